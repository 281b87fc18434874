// The files one batch reads and writes, as the batch runner names them: the
// inputs and what each needs beside it (skeletons, source QMX files, the
// ancillary file) and every output (converted files, copies, reports).
#pragma once

#include "app/batch_kind.h"
#include "app/file_guard.h"
#include "conversion/conversion_options.h"

#include <string>
#include <vector>

namespace quillex {

// The extension of the file `path` names, in upper case ("" when none).
std::string extensionOf(const std::string& path);

// Forward batches tell style files by the last three letters of the name.
bool endsWithSty(const std::string& path);

// Sets the per-file fields of `options` (input path, bare name, extension)
// for `file` of a batch of `kind`.
void setFileOptions(BatchKind kind, const std::string& file, ConversionOptions& options);

// The reports a verification writes for the file of `options`: the .CMP
// report and the machine-readable reports it asks for.
std::vector<std::string> verificationReports(const ConversionOptions& options);

// Enters into `guard` every file the batch reads and writes for `files`,
// with the directories of `options`.
void guardBatchFiles(BatchKind kind, const std::vector<std::string>& files,
                     ConversionOptions options, FileGuard& guard);

} // namespace quillex
