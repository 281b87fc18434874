// Writing the ancillary file at the end of a forward batch.
#pragma once

#include "conversion/conversion_host.h"
#include "conversion/conversion_options.h"
#include "forward/ancillary_collector.h"

namespace quillex {

// Writes ANCILL.TXT or ANCILL.RTF into the ORG folder and, when it differs,
// the translated folder, asking before overwriting unless the options say
// always overwrite (a folder refused is skipped). Each saved file is reported
// with "Created the ancillary file:" and its path. Returns false when nothing
// was written; a file error is reported in the results list and sets
// `*failed`, when given.
bool writeAncillaryFile(const ConversionOptions& options, const AncillaryCollector& collector,
                        ConversionHost& host, bool* failed = nullptr);

} // namespace quillex
