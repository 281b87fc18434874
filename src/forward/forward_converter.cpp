// The per-file entry of the forward conversion.
#include "forward/forward_converter.h"

#include "conversion/result_code.h"
#include "forward/document_converter.h"

namespace quillex {

int convertFile(const ConversionOptions& options, AncillaryCollector& collector,
                ConversionHost& host) {
    try {
        DocumentConverter converter(options, collector, host);
        converter.run();
    } catch (const ConversionFailure& failure) {
        return failure.code();
    }
    return result::Success;
}

} // namespace quillex
