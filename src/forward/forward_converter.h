// The per-file entry of the forward conversion.
#pragma once

#include "conversion/conversion_host.h"
#include "conversion/conversion_options.h"
#include "forward/ancillary_collector.h"

namespace quillex {

// Converts options.inputPath (with options.baseName and options.extension
// filled in) and returns its result code. Integers, file errors and other
// exceptions are left to the batch runner's per-file wrapper.
int convertFile(const ConversionOptions& options, AncillaryCollector& collector,
                ConversionHost& host);

} // namespace quillex
