// The per-file entry of the forward conversion.
#pragma once

#include "conversion/conversion_host.h"
#include "conversion/conversion_options.h"
#include "conversion/result_code.h"
#include "forward/ancillary_collector.h"

namespace quillex {

// Converts options.inputPath (with options.baseName and options.extension
// filled in) and gives its result: the code, and the lines of a file error.
ConversionResult convertFile(const ConversionOptions& options, AncillaryCollector& collector,
                             ConversionHost& host);

} // namespace quillex
