// The Q-Mark Verifier: checks the tags of a translated QMX file against those
// of its source and writes a verification report (.CMP) when there is
// anything to report.
#pragma once

#include "conversion/conversion_host.h"
#include "conversion/conversion_options.h"
#include "conversion/progress_budget.h"
#include "verifier/segment.h"
#include "verifier/tag_inventory.h"
#include "verifier/verification_counts.h"
#include "verifier/verification_report.h"

#include <functional>
#include <string>
#include <vector>

namespace quillex {

// Progress steps of one verified file pair.
inline constexpr int kVerifyProgressSteps = 24;
// Progress steps of the tag check of a translated document.
inline constexpr int kTagCheckProgressSteps = 9;

// One Verifier serves one file pair (or one tag check) and is then dropped.
// Whatever way it ends, it takes the progress steps it has not yet taken, so
// that every file moves the progress bars by the same amount.
class Verifier {
  public:
    // With `progressChecks` off a progress step does nothing and Cancel is not
    // looked at.
    Verifier(const ConversionOptions& options, ConversionHost& host,
             int progressBudget = kVerifyProgressSteps, bool progressChecks = true);
    ~Verifier();
    Verifier(const Verifier&) = delete;
    Verifier& operator=(const Verifier&) = delete;

    // Verifies options.inputPath against the file of the same name in
    // options.orgDirectory and writes the report beside the translated file
    // when needed. Returns 10030 (complete) or 10020 (stopped after a syntax
    // check); throws the result code of any other outcome, or FileError.
    // `counts` receives the findings, also when the verification fails.
    int verify(VerificationCounts& counts);

    // The single-file checks over the lines of a translated file, as the
    // backward conversion runs them before a merge: returns when no check
    // found anything, throws result code 10000 otherwise. No report is
    // written and no counts are handed back.
    void checkTranslatedTags(const std::vector<std::string>& lines);

    // The whole verification of `translatedLines` against `sourceLines` (QMX
    // lines held in memory, header lines included), as the backward conversion
    // runs it before a merge: returns when it found no error; throws result
    // code 10000 otherwise. Alerts and warnings let the conversion go on, as
    // the report tells the user they may. No report is written. The source
    // lines are let go once read: the check holds their text in one block.
    void checkAgainstSource(std::vector<std::string> sourceLines,
                            const std::vector<std::string>& translatedLines);

    // The report built so far (for inspection).
    const verifier::VerificationReport& report() const { return report_; }

  private:
    using TextLoader = std::function<std::string()>;

    void progressStep();
    std::string loadFile(const std::string& path);
    int compareFiles(const TextLoader& loadSource, const TextLoader& loadTranslated,
                     const std::string& sourceName, const std::string& translatedName);
    void runSourceChecks(verifier::TaggedFile& source);
    void runTranslatedChecks(verifier::TaggedFile& translated, int& addedWithHash);
    void runComparison(verifier::TaggedFile& source, verifier::TaggedFile& translated,
                       int addedWithHash);
    void writeReport(const std::string& path);

    ConversionOptions options_;
    ProgressBudget progress_;
    bool progressChecks_;
    verifier::VerificationReport report_;
    verifier::TagInventory inventory_;
    bool reportNeeded_ = false;
    VerificationCounts* counts_ = nullptr;
};

// The per-file routine of the Verify batch: options.inputPath is the
// translated QMX file, options.orgDirectory the folder of the source QMX
// files. Gives 10030 or 10020, or the code that ended the check (with the
// lines of a file error).
ConversionResult verifyFile(const ConversionOptions& options, ConversionHost& host,
                            VerificationCounts& counts);

} // namespace quillex
