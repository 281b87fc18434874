// The ancillary text of a backward batch: read once, checked, and cut into
// the section of each file.
//
// The forward batch wrote the text outside the body (formats, master pages,
// headers and footers, shared text) of all its files into one ancillary file,
// one `<file "NAME">` section per file. The batch runner owns the batch's
// BatchAncillaryText; the first file of the batch reads the file into it,
// later files reuse what it read.
// In document mode every problem is a warning here; the backward conversion
// then fails a document that has text in its section, which would otherwise
// keep its source wording. A style file cannot do without its section.
#pragma once

#include "conversion/conversion_host.h"
#include "conversion/conversion_options.h"

#include <string>
#include <vector>

namespace quillex::backward {

struct AncillaryRequest {
    const ConversionOptions* options = nullptr; // folders, format, quotes, read-only, language
    std::string outputName;                     // "N.DOC" or "N.STY"
    bool styleMode = false;
    bool documentIsCurrentVersion = false; // the translated file begins with <qmx "I2.00">
};

// The ancillary text of one backward batch, started and finished by the
// batch runner.
class BatchAncillaryText {
  public:
    // A new batch: the file has not been read.
    void start() { finish(); }
    // The batch has ended: what was read is let go.
    void finish() {
        read_ = false;
        std::vector<std::string>().swap(lines_);
    }

    // Reads the ancillary file when no file of the batch has tried yet,
    // checks its header, and returns the section of `request.outputName`
    // (from its <file> line to its </file> line), or nothing when it cannot
    // be used; each reason goes to the results list. Throws
    // ConversionFailure 5100 in style mode when there is no usable section.
    std::vector<std::string> sectionFor(const AncillaryRequest& request, ConversionHost& host);

    // The lines of the ancillary file as read (none when it could not be).
    const std::vector<std::string>& lines() const { return lines_; }

  private:
    bool read_ = false;
    std::vector<std::string> lines_;
};

} // namespace quillex::backward
