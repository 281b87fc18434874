// ForwardAnalysis: what the forward conversion knows of one Interleaf
// document, made from its text and the batch's options alone.
//
// The analysis parses the text into pieces, enters every QMX tag it makes in
// the two tag maps, and makes the QMX lines and the file's section of the
// ancillary file. It writes no file and reports nothing: its warnings are
// kept as notes, and a document it refuses gives back a result. The forward
// conversion writes what it made; the backward conversion analyses the
// skeleton the same way and fills its pieces with a translation. Because both
// see the same bytes and options, both number the tags alike.
#pragma once

#include "conversion/conversion_options.h"
#include "conversion/progress_budget.h"
#include "conversion/result_code.h"
#include "forward/analysis_notes.h"
#include "forward/ancillary_collector.h"
#include "forward/ancillary_contributions.h"
#include "forward/class_information.h"
#include "forward/document_parser.h"
#include "forward/tag_registry.h"
#include "qmx/qmx_lines.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quillex {

// Units the parse posts, one per fifth of the source lines.
inline constexpr int kForwardParseSteps = 5;

// An Interleaf file as the analysis reads it.
struct SourceFile {
    std::string text;          // as read in text mode (CR LF becomes LF)
    std::uint64_t rawSize = 0; // the size of the file as stored
    int rawLineCount = 0;      // its lines as stored
};

// Refuses a file that is no Interleaf ASCII file of a supported version
// (throws ConversionFailure).
void checkInterleafHeader(const std::string& path);
// Reads the file once; throws FileError.
SourceFile readSourceFile(const std::string& path);

struct AnalysisInput {
    std::string path;          // names the file in the pieces and the notes
    std::string text;          // the file as read in text mode
    std::uint64_t rawSize = 0; // the size of the file as stored
    int lineCount = 0;         // lines of the text, for the parse's progress
    bool styleMode = false;    // a style file: its body is its catalog
    // The name the ancillary file knows the file by ("N.DOC", "N.STY").
    std::string ancillaryName;
    // The QMX body lines are made too, not only the pieces and tags.
    bool withQmxLines = true;
    // The documents converted earlier in a forward batch, for a style file's
    // catalog; none outside one.
    const AncillaryCollector* batchSoFar = nullptr;
};

class ForwardAnalysis {
  public:
    explicit ForwardAnalysis(const ConversionOptions& options) : options_(options) {}
    ForwardAnalysis(const ForwardAnalysis&) = delete;
    ForwardAnalysis& operator=(const ForwardAnalysis&) = delete;

    // Analyses `input`: Success, or the code (with the lines that say why)
    // of a document the parse refuses. `progress` moves the bars and polls
    // Cancel, which throws.
    ConversionResult run(AnalysisInput input, ProgressBudget* progress);

    const AnalysisNotes& notes() const { return notes_; }
    // The QMX lines with header and closing line (the body alone before
    // run() has finished).
    const QmxLines& qmxLines() const { return qmxLines_; }
    // The file's section of the ancillary file, before the quote conversion
    // that writing the ancillary file applies.
    const AncillaryContribution& contribution() const { return contribution_; }
    // True when that section holds text to translate.
    bool hasAncillaryText() const;
    // False when the QMX file would give a translator nothing.
    bool hasTextToTranslate() const;
    TagRegistry& registry() { return registry_; }
    const TagRegistry::TagMap& knownTags() const { return knownTags_; }
    const TagRegistry::TagMap& tagReplacements() const { return tagReplacements_; }
    const ClassTable& classes() const { return classes_; }
    PieceList& pieces() { return document_.pieces; }
    const PieceList& pieces() const { return document_.pieces; }
    // The text as the parse read it; the pieces view it.
    const SourceText& source() const { return document_.source; }

  private:
    ConversionResult parse(AnalysisInput& input, ProgressBudget* progress);
    void addHeaderAndClosingLines();

    const ConversionOptions& options_;
    AnalysisNotes notes_;
    QmxLines qmxLines_;
    TagRegistry::TagMap knownTags_;
    TagRegistry::TagMap tagReplacements_;
    TagRegistry registry_{knownTags_, tagReplacements_};
    ParsedDocument document_;
    ClassTable classes_;
    AncillaryContribution contribution_;
};

// True when some line holds text outside tags that is not blank: text a
// translator would see.
bool holdsTextToTranslate(const std::vector<std::string>& lines);

} // namespace quillex
