// DocumentConverter: the forward conversion of one Interleaf ASCII file.
//
// One object per file and run. It checks the header and the free space,
// keeps a line-for-line copy of the source (the ORG file), has the source
// analysed into QMX lines (ForwardAnalysis), reports what the analysis noted
// and saves the lines. Outputs reach the disk only at the very end, so a run
// that stops early leaves no ORG copy and no QMX file behind.
#pragma once

#include "conversion/conversion_host.h"
#include "conversion/conversion_options.h"
#include "conversion/progress_budget.h"
#include "forward/ancillary_collector.h"
#include "forward/forward_analysis.h"
#include "forward/forward_outputs.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quillex {

class OutputFile;

// Progress units of one forward file.
inline constexpr int kForwardStepsPerFile = 10;

class DocumentConverter {
  public:
    DocumentConverter(const ConversionOptions& options, AncillaryCollector& collector,
                      ConversionHost& host);
    ~DocumentConverter();

    // Runs every step; throws a ConversionFailure or a FileProblem.
    void run();

    bool styleMode() const { return outputs_.styleMode; }
    int lineCount() const { return lineCount_; }
    // The QMX lines, as strings of their own (a copy).
    std::vector<std::string> outputLines() const { return analysis_.qmxLines().strings(); }
    const TagRegistry::TagMap& knownTags() const { return analysis_.knownTags(); }
    const TagRegistry::TagMap& tagReplacements() const { return analysis_.tagReplacements(); }
    const PieceList& pieces() const { return analysis_.pieces(); }

  private:
    void checkFreeSpace();
    void refuseToOverwriteSource() const;
    void copySourceToOrg();
    void analyseSource();
    void warnWhenNothingToTranslate();
    void save();

    const ConversionOptions& options_;
    AncillaryCollector& collector_;
    ProgressBudget progress_;
    ForwardOutputs outputs_;
    std::string sourcePath_;
    int lineCount_ = 0;
    SourceFile source_;
    std::unique_ptr<OutputFile> orgCopy_;
    ForwardAnalysis analysis_;
};

} // namespace quillex
