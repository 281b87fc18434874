// The per-file entry of the forward conversion.
#pragma once

#include "forward/ancillary_collector.h"
#include "qmx/conversion_host.h"
#include "qmx/conversion_options.h"

namespace quillex {

// Converts options.inputPath (with options.baseName and options.extension
// filled in) and returns its result code. Integers, file errors and other
// exceptions are left to the batch runner's per-file wrapper.
int convertFile(const ConversionOptions& options, AncillaryCollector& collector,
                ConversionHost& host);

} // namespace quillex
