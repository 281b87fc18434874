// The command line's batch host.
#include "app/cli/terminal_host.h"

#include "foundation/string_table.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace quillex {
namespace {

constexpr int kBarWidth = 30;

std::string bar(int value, int maximum) {
    const int filled = maximum > 0 ? value * kBarWidth / maximum : 0;
    return "[" + std::string(static_cast<std::size_t>(std::min(filled, kBarWidth)), '#') +
           std::string(static_cast<std::size_t>(kBarWidth - std::min(filled, kBarWidth)), '.') +
           "]";
}

// Results lines that report a problem go to standard error, and stay with
// --quiet; the rest (progress of the batch, the summary) go to standard
// output.
bool isProblemLine(std::string_view line) {
    static constexpr std::array<std::string_view, 9> kProblemStarts = {"Conversion failed!",
                                                                       "Verification failed!",
                                                                       "File Error!",
                                                                       "Warning!",
                                                                       "Error!",
                                                                       "Exception!",
                                                                       "Filename:",
                                                                       "skipped:",
                                                                       "Unexpected text:"};
    for (std::string_view start : kProblemStarts)
        if (line.starts_with(start))
            return true;
    return line.find(": the document cannot be read from here on") != std::string_view::npos;
}

// "Filename:PATH" as a terminal shows it: a path with blanks in quotes, so
// that it can be copied into a shell as it is.
std::string quotedPath(const std::string& line) {
    constexpr std::string_view kFileName = "Filename:";
    if (!line.starts_with(kFileName))
        return line;
    const std::string path = line.substr(kFileName.size());
    if (path.find_first_of(" \t") == std::string::npos)
        return line;
    return std::string(kFileName) + " '" + path + "'";
}

} // namespace

Policy policyNamed(const std::string& text) {
    if (text == "always" || text == "yes")
        return Policy::Yes;
    if (text == "never" || text == "no")
        return Policy::No;
    return Policy::Ask;
}

TerminalHost::TerminalHost(TerminalOptions options, std::atomic<bool>& cancelFlag)
    : options_(std::move(options)), cancelFlag_(cancelFlag),
      interactive_(::isatty(STDIN_FILENO) != 0),
      drawProgress_(::isatty(STDERR_FILENO) != 0 && !options_.quiet) {}

std::vector<std::string> TerminalHost::chooseFiles(const std::string&, const std::string&,
                                                   const std::string&) {
    return options_.files;
}

// The folders come from the options; the runner checks them once the
// folders named there are made.
bool TerminalHost::confirmBatch(BatchKind kind, const std::string&, const std::string&,
                                BatchDirectories& directories) {
    kind_ = kind;
    if (options_.orgDirectory)
        directories.org = *options_.orgDirectory;
    if (options_.translatedDirectory && kind == BatchKind::Forward)
        directories.translated = *options_.translatedDirectory;
    return true;
}

// Output folders named on the command line are made when missing (a backward
// or verify batch reads from its ORG folder, so it is never made).
std::string TerminalHost::makeOutputFolders(BatchKind kind, const BatchDirectories& directories) {
    std::vector<std::string> folders;
    if (kind == BatchKind::Forward && options_.orgDirectory)
        folders.push_back(directories.org);
    if (kind == BatchKind::Forward && options_.translatedDirectory)
        folders.push_back(directories.translated);
    for (const std::string& folder : folders) {
        std::error_code error;
        if (std::filesystem::is_directory(folder, error))
            continue;
        if (std::filesystem::exists(folder, error))
            return "cannot create the folder " + folder + ": a file of that name exists";
        if (!std::filesystem::create_directories(folder, error) && error)
            return "cannot create the folder " + folder + ": " + error.message();
        std::cout << "Created the folder " << folder << '\n';
    }
    return {};
}

Answer TerminalHost::ask(const std::string& question, bool withCancel) {
    const bool ancillaryQuestion = question == loadString(MessageId::AskCreateAncillary);
    const Policy policy = ancillaryQuestion ? options_.ancillary : options_.overwrite;
    Answer answer = Answer::No;
    if (policy == Policy::Yes)
        answer = Answer::Yes;
    else if (policy == Policy::Ask && !interactive_)
        answer = ancillaryQuestion ? Answer::Yes : Answer::No;
    else if (policy == Policy::Ask)
        answer = askOnTerminal(question, withCancel, !ancillaryQuestion);
    // A verification still checks the file; the runner says what was kept.
    if (!ancillaryQuestion && answer == Answer::No && kind_ != BatchKind::Verify)
        appendResult("skipped: " + pathIn(question) + " exists (use --overwrite always)");
    return answer;
}

// The path an overwrite question names: its second line.
std::string TerminalHost::pathIn(const std::string& question) {
    const std::size_t start = question.find('\n');
    if (start == std::string::npos)
        return question;
    const std::size_t end = question.find('\n', start + 1);
    return question.substr(start + 1, end == std::string::npos ? end : end - start - 1);
}

// y and n answer this question; for overwrite questions a (all) answers yes
// to this one and every later one, and q quits the batch.
Answer TerminalHost::askOnTerminal(const std::string& question, bool withCancel,
                                   bool overwriteQuestion) {
    clearProgressLine();
    for (;;) {
        std::cerr << question
                  << (overwriteQuestion ? " [y/n/a(ll)/q(uit)] "
                      : withCancel      ? " [y/n/c] "
                                        : " [y/n] ")
                  << std::flush;
        std::string answer;
        // A signal interrupts the wait (Ctrl-C cancels at a question too).
        if (cancelFlag_.load() || !std::getline(std::cin, answer) || cancelFlag_.load()) {
            std::cin.clear();
            std::cerr << '\n';
            return withCancel ? Answer::Cancel : Answer::No;
        }
        if (answer == "y" || answer == "Y" || answer == "yes")
            return Answer::Yes;
        if (answer == "n" || answer == "N" || answer == "no")
            return Answer::No;
        if (withCancel && (answer == "c" || answer == "C" || answer == "cancel"))
            return Answer::Cancel;
        if (overwriteQuestion && (answer == "a" || answer == "A" || answer == "all")) {
            options_.overwrite = Policy::Yes;
            return Answer::Yes;
        }
        if (overwriteQuestion && (answer == "q" || answer == "Q" || answer == "quit")) {
            cancelFlag_.store(true); // the user ends the batch, as with Ctrl-C
            return withCancel ? Answer::Cancel : Answer::No;
        }
    }
}

void TerminalHost::setProgressRanges(int fileMaximum, int batchMaximum) {
    fileMaximum_ = fileMaximum;
    batchMaximum_ = batchMaximum;
}

void TerminalHost::setProgress(int fileValue, int batchValue) {
    if (!drawProgress_)
        return;
    std::cerr << "\rFile: " << bar(fileValue, fileMaximum_)
              << "  Batch: " << bar(batchValue, batchMaximum_) << std::flush;
    progressShown_ = true;
}

void TerminalHost::clearProgressLine() {
    if (progressShown_) {
        std::cerr << "\r" << std::string(80, ' ') << "\r" << std::flush;
        progressShown_ = false;
    }
}

void TerminalHost::appendResult(const std::string& line) {
    results_.push_back(line);
    const bool problem = isProblemLine(line);
    // With --quiet a problem still names its file: the line that began the
    // file goes first, once.
    if (isFileHeading(line))
        heading_ = line;
    if (options_.quiet && !problem)
        return;
    clearProgressLine();
    if (options_.quiet && !heading_.empty())
        std::cerr << quotedPath(heading_) << '\n';
    if (problem)
        heading_.clear();
    (problem ? std::cerr : std::cout) << quotedPath(line) << '\n' << std::flush;
}

// The line that begins each file of a batch ("Converting FILE").
bool TerminalHost::isFileHeading(const std::string& line) {
    for (const MessageId id : {MessageId::ConvertingFile, MessageId::VerifyingFile}) {
        const std::string start = formatString(id, "");
        if (line.starts_with(start) && line.size() > start.size())
            return true;
    }
    return false;
}

void TerminalHost::showSummary(const std::string& text, bool isError) {
    clearProgressLine();
    (void)isError;
    std::cout << text << "\n" << std::flush;
}

bool TerminalHost::isCancelled() const {
    return cancelFlag_.load();
}

void TerminalHost::clearCancel() {
    // The command line ends with the batch; the flag stays for the exit status.
}

} // namespace quillex
