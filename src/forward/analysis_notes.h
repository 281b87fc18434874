// AnalysisNotes: what the forward analysis of a document has to say, kept
// instead of told.
//
// The analysis speaks to nobody; its caller decides what reaches the results
// list. The forward conversion reports every note; the backward conversion,
// which analyses the skeleton again, reports only the notes that concern the
// translation too.
#pragma once

#include "conversion/conversion_host.h"

#include <string>
#include <vector>

namespace quillex {

struct AnalysisNote {
    std::string line;
    // The length of an index marker limits its translation as well.
    bool concernsTranslation = false;
};

class AnalysisNotes {
  public:
    // A warning about the source document.
    void warn(std::string line) { notes_.push_back({std::move(line), false}); }
    // A note that concerns the translation of the document as well.
    void notice(std::string line) { notes_.push_back({std::move(line), true}); }

    const std::vector<AnalysisNote>& all() const { return notes_; }
    // The lines of all notes, in order.
    std::vector<std::string> lines() const {
        std::vector<std::string> lines;
        for (const AnalysisNote& note : notes_)
            lines.push_back(note.line);
        return lines;
    }

    // Appends the notes in the order they were made: all of them, or only
    // those that concern the translation.
    void report(ConversionHost& host, bool translationOnly) const {
        for (const AnalysisNote& note : notes_)
            if (!translationOnly || note.concernsTranslation)
                host.appendResult(note.line);
    }

  private:
    std::vector<AnalysisNote> notes_;
};

} // namespace quillex
