// Helpers of the forward conversion tests: parsing a document given as text,
// a host that records results and progress, and item lists written briefly.
#pragma once

#include "conversion/conversion_host.h"
#include "conversion/result_code.h"
#include "forward/document_parser.h"
#include "support/file_contents.h"
#include "support/item_strings.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

#include <string>
#include <vector>

namespace quillex::testing {

using ResultsHost = quillex::testing::RecordingHost;

// A document parsed from `text`, with the result code of the parse.
struct ParsedText {
    int code = -1;
    ParsedDocument document;
};

inline ParsedText parseText(const std::string& text, const ParseSettings& settings = {}) {
    TempDir folder;
    const std::string path = folder.write("doc.DOC", text);
    ParsedText parsed;
    try {
        parsed.code = parseDocument(path, settings, parsed.document).code;
    } catch (const ConversionFailure& failure) {
        parsed.code = failure.code();
    }
    return parsed;
}

// The opening every test document shares: a header and the end of the
// declarations, after which the body follows.
inline std::string document(const std::string& declarations, const std::string& body) {
    return "<!OPS, Version = 8.0>\n\n" + declarations + "<!End Declarations>\n\n" + body;
}

} // namespace quillex::testing
