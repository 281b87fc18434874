// TerminalHost: the batch host of the command line.
//
// Files come from the command line, directories from the options, questions
// are asked on the terminal (or answered by policy when stdin is no
// terminal), results lines go to standard output and two progress bars are
// drawn on standard error when it is a terminal.
#pragma once

#include "app/batch_host.h"

#include <atomic>
#include <optional>
#include <string>
#include <vector>

namespace quillex {

enum class Policy { Ask, Yes, No };

// The policy that an --overwrite or --ancillary value names: always/yes,
// never/no, or ask.
Policy policyNamed(const std::string& text);

struct TerminalOptions {
    std::vector<std::string> files;
    std::optional<std::string> orgDirectory;
    std::optional<std::string> translatedDirectory;
    Policy overwrite = Policy::Ask;
    Policy ancillary = Policy::Ask;
    bool quiet = false;
};

class TerminalHost : public BatchHost {
  public:
    TerminalHost(TerminalOptions options, std::atomic<bool>& cancelFlag);

    std::vector<std::string> chooseFiles(const std::string& title, const std::string& filter,
                                         const std::string& startDirectory) override;
    bool confirmBatch(BatchKind kind, const std::string& title, const std::string& countLine,
                      BatchDirectories& directories) override;
    std::string makeOutputFolders(BatchKind kind, const BatchDirectories& directories) override;
    Answer ask(const std::string& question, bool withCancel) override;
    void setProgressRanges(int fileMaximum, int batchMaximum) override;
    void setProgress(int fileValue, int batchValue) override;
    void appendResult(const std::string& line) override;
    void showSummary(const std::string& text, bool isError) override;
    bool isCancelled() const override;
    void clearCancel() override;

    const std::vector<std::string>& results() const { return results_; }

  private:
    Answer askOnTerminal(const std::string& question, bool withCancel, bool overwriteQuestion);
    static std::string pathIn(const std::string& question);
    static bool isFileHeading(const std::string& line);
    void clearProgressLine();

    TerminalOptions options_;
    std::atomic<bool>& cancelFlag_;
    bool interactive_;
    bool drawProgress_;
    int fileMaximum_ = 1;
    int batchMaximum_ = 1;
    bool progressShown_ = false;
    std::vector<std::string> results_;
    BatchKind kind_ = BatchKind::Forward;
    std::string heading_; // the line that began the current file, until a problem shows it
};

} // namespace quillex
