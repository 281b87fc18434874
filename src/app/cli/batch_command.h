// The batch commands of the command line (forward, verify, backward): their
// options, and a batch run through the batch runner on the terminal host.
#pragma once

#include "app/batch_kind.h"

#include <CLI/CLI.hpp>

#include <atomic>
#include <string>
#include <vector>

namespace quillex {

// The options shared by the batch commands.
struct BatchArguments {
    std::vector<std::string> files;
    std::string orgDirectory;
    std::string translatedDirectory;
    std::string sourceDirectory;
    std::string format;
    std::string pageSize;
    std::string sourceLanguage;
    std::string targetLanguage;
    std::string smartQuotes;
    std::string readOnly;
    std::string markerPlaceholders;
    std::string hyphenation;
    std::string overwrite = "ask";
    std::string ancillary = "ask";
    std::string resultsFile;
    std::string failOn = "error";
    std::vector<std::string> reports; // verify: "json", "junit"
    bool debug = false;
    bool quiet = false;
    bool noWait = false;
    bool recursive = false;
};

// Adds the options of `kind`'s command to `command`, filling `args`.
void addBatchOptions(CLI::App& command, BatchArguments& args, BatchKind kind);

// Runs one batch; returns the exit status. `cancelled` is set by the signal
// handlers.
int runBatch(BatchKind kind, const BatchArguments& args, std::atomic<bool>& cancelled);

} // namespace quillex
