// The per-file entry of the forward conversion.
#include "forward/forward_converter.h"

#include "conversion/per_file_result.h"
#include "forward/document_converter.h"

namespace quillex {

ConversionResult convertFile(const ConversionOptions& options, AncillaryCollector& collector,
                             ConversionHost& host) {
    return resultOf([&] {
        DocumentConverter(options, collector, host).run();
        return result::Success;
    });
}

} // namespace quillex
