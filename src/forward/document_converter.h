// DocumentConverter: the forward conversion of one Interleaf ASCII file.
//
// One object per file and run. It checks the header and the free space,
// keeps a line-for-line copy of the source (the ORG file), converts the
// source into QMX lines, puts the QMX header around them and saves them.
// It owns everything it makes; outputs reach the disk only at the very end,
// so a run that stops early leaves no ORG copy and no QMX file behind.
#pragma once

#include "conversion/conversion_host.h"
#include "conversion/conversion_options.h"
#include "conversion/progress_budget.h"
#include "forward/ancillary_collector.h"
#include "forward/ancillary_contributions.h"
#include "forward/class_information.h"
#include "forward/document_extensions.h"
#include "forward/document_parser.h"
#include "forward/forward_outputs.h"
#include "forward/tag_registry.h"
#include "qmx/qmx_lines.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace quillex {

class OutputFile;

// Progress units of one forward file.
inline constexpr int kForwardStepsPerFile = 10;
// Units the parse posts, one per fifth of the source lines.
inline constexpr int kForwardParseSteps = 5;

class DocumentConverter {
  public:
    DocumentConverter(const ConversionOptions& options, AncillaryCollector& collector,
                      ConversionHost& host);
    ~DocumentConverter();

    // Runs every step; throws a ConversionFailure or a FileProblem.
    void run();

    // The backward conversion's re-parse: checks the header of `skeleton`
    // (the ORG copy of the source, or the style file kept in the ORG folder)
    // and rebuilds the pieces and both tag maps from it exactly as run()
    // builds them from the source, with no warnings and nothing saved.
    // With `withQmxLines` the QMX lines and the ancillary section are made
    // too, as the forward run made them of the source: what a translation is
    // checked against and what an untranslated piece is recognised by.
    void rebuildFrom(const std::string& skeleton, bool withQmxLines = false);

    bool styleMode() const { return outputs_.styleMode; }
    bool japaneseSource() const { return japaneseSource_; }
    int lineCount() const { return lineCount_; }
    // The QMX lines, as strings of their own (a copy).
    std::vector<std::string> outputLines() const { return outputLines_.strings(); }
    // True when the file's section of the ancillary file holds text to
    // translate (formats, headers, footers, streams).
    bool hasAncillaryText() const;
    // The file's section of the ancillary file, before the quote conversion
    // that writing the ancillary file applies.
    const std::vector<std::string>& ancillaryLines() const { return contribution_.lines; }
    const TagRegistry::TagMap& knownTags() const { return knownTags_; }
    const TagRegistry::TagMap& tagReplacements() const { return tagReplacements_; }
    // The registry of the maps, which the backward conversion completes.
    TagRegistry& registry() { return registry_; }
    const PieceList& pieces() const { return document_.pieces; }
    // The source (or skeleton) text as the parse read it; the pieces view it.
    const SourceText& source() const { return document_.source; }
    PieceList& pieces() { return document_.pieces; }
    const ClassTable& classes() const { return classes_; }

  private:
    void checkSourceHeader();
    void checkFreeSpace();
    void refuseToOverwriteSource() const;
    void readSource();
    void copySourceToOrg();
    void convertSource();
    void parseSource();
    void convertBody();
    void convertStyleFile();
    void warnWhenNothingToTranslate();
    std::string ancillaryFileName() const;
    void addHeaderAndClosingLines();
    void save();

    const ConversionOptions& options_;
    AncillaryCollector& collector_;
    ProgressBudget progress_;
    ForwardOutputs outputs_;
    std::string sourcePath_;
    bool japaneseSource_ = false;
    bool warnJapanese_ = true;
    // False for a backward conversion's re-parse that needs only the pieces
    // and tag maps: the QMX lines are not made.
    bool withQmxLines_ = true;
    int lineCount_ = 0;
    // The source as read in text mode, until the parse takes it over; the
    // size and the line count of the file as stored.
    std::string sourceText_;
    std::uint64_t rawSize_ = 0;
    int rawLineCount_ = 0;
    std::unique_ptr<OutputFile> orgCopy_;
    QmxLines outputLines_;
    TagRegistry::TagMap knownTags_;
    TagRegistry::TagMap tagReplacements_;
    TagRegistry registry_{knownTags_, tagReplacements_};
    ParsedDocument document_;
    ClassTable classes_;
    std::unique_ptr<DocumentExtensions> extensions_;
    AncillaryContribution contribution_;
};

} // namespace quillex
