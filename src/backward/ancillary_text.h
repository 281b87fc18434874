// The ancillary text of a backward batch: read once, checked, and cut into
// the section of each file.
//
// The forward batch wrote the text outside the body (formats, master pages,
// headers and footers, shared text) of all its files into one ancillary file,
// one `<file "NAME">` section per file. The batch runner owns the lines read
// from it; the first file of the batch reads them, later files reuse them.
// In document mode every problem is a warning here; the backward conversion
// then fails a document that has text in its section, which would otherwise
// keep its source wording. A style file cannot do without its section.
#pragma once

#include "conversion/conversion_host.h"
#include "conversion/conversion_options.h"

#include <string>
#include <vector>

namespace quillex::backward {

// What the batch ancillary lines hold before the first file has read them.
inline constexpr std::string_view kFirstFileInBatch = "First File In Batch Dummy";

struct AncillaryRequest {
    const ConversionOptions* options = nullptr; // folders, format, quotes, read-only, language
    std::string outputName;                     // "N.DOC" or "N.STY"
    bool styleMode = false;
    bool documentIsCurrentVersion = false; // the translated file begins with <qmx "I2.00">
};

// Loads the batch's ancillary lines when this is the first file, checks their
// header, and returns the section of `request.outputName` (from its <file>
// line to its </file> line), or nothing when it cannot be used; each reason
// goes to the results list. Throws ConversionFailure 5100 in style mode when
// there is no usable section.
std::vector<std::string> loadFileAncillaryLines(const AncillaryRequest& request,
                                                std::vector<std::string>& batchLines,
                                                ConversionHost& host);

} // namespace quillex::backward
