// The batch commands of the command line.
#include "app/cli/batch_command.h"

#include "app/batch_runner.h"
#include "app/cli/exit_status.h"
#include "app/cli/terminal_host.h"
#include "app/settings_store.h"
#include "conversion/language_table.h"
#include "foundation/ascii_case.h"
#include "foundation/file_error.h"
#include "foundation/output_file.h"
#include "foundation/string_table.h"
#include "foundation/text_file.h"
#include "verifier/machine_report.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

namespace quillex {
namespace {

// Applies the command-line choices to the settings of this run; returns an
// error text for a value that does not fit.
std::string applyOverrides(const BatchArguments& args, Settings& settings) {
    OptionSettings& o = settings.options;
    if (!args.format.empty())
        o.fileFormatForQmx = args.format == "rtf" ? QmxFileFormat::Rtf : QmxFileFormat::Text;
    if (!args.pageSize.empty())
        o.rtfPageSize = args.pageSize == "letter" ? PaperSize::Letter : PaperSize::A4;
    if (!args.smartQuotes.empty())
        o.smartQuotes = args.smartQuotes == "tags" ? SmartQuotes::AsTags : SmartQuotes::AsText;
    if (!args.readOnly.empty())
        o.readOnlyComponents = args.readOnly == "dont-translate" ? ReadOnlyComponents::DontTranslate
                                                                 : ReadOnlyComponents::Translate;
    if (!args.markerPlaceholders.empty())
        o.markerPlaceholders = args.markerPlaceholders == "dont-insert"
                                   ? MarkerPlaceholders::DontInsert
                                   : MarkerPlaceholders::Insert;
    if (!args.hyphenation.empty())
        o.translationHyphenation =
            args.hyphenation == "leave" ? Hyphenation::LeaveAsIs : Hyphenation::TurnOff;
    if (args.overwrite == "always")
        o.overwriteFiles = OverwriteFiles::AlwaysOverwrite;
    if (args.debug)
        o.debug = 1;
    for (const std::string& report : args.reports)
        o.machineReports |= report == "json" ? verifier::kJsonReport : verifier::kJunitReport;
    struct LanguageOption {
        const std::string* name;
        std::string* slot;
        LanguageRole role;
        const char* use;
    };
    for (const LanguageOption& option :
         {LanguageOption{&args.sourceLanguage, &o.sourceLanguage, LanguageRole::Source, "source"},
          LanguageOption{&args.targetLanguage, &o.targetLanguage, LanguageRole::Target,
                         "target"}}) {
        if (option.name->empty())
            continue;
        if (!isLanguageFor(*option.name, option.role))
            return std::string("not a ") + option.use + " language: " + *option.name;
        *option.slot = *option.name;
    }
    return {};
}

std::string absoluteFolder(const std::string& folder) {
    if (folder.empty())
        return folder;
    return SettingsStore::withTrailingSlash(std::filesystem::absolute(folder).lexically_normal());
}

void saveResults(const std::string& path, const std::vector<std::string>& lines) {
    OutputFile file(path);
    for (const std::string& line : lines)
        file.writeText(line + "\n");
    file.commit();
}

// Whether verification findings fail the command: scripts run
// `quillex verify && deliver`, so findings of the chosen level or above do.
bool failsOn(const std::string& level, const VerificationCounts& findings) {
    if (findings.errors > 0)
        return true;
    if (level == "error")
        return false;
    return findings.alerts > 0 || (level == "warning" && findings.warnings > 0);
}

// The files of `folder` that a batch of `kind` takes (Interleaf ASCII files
// to convert, QMX files to verify or convert back), in name order; with
// `recursive` those of its subfolders too. A backward batch reads the
// folder's ancillary file for every document: it is not one of them.
std::vector<std::string> filesInFolder(const std::string& folder, BatchKind kind, bool recursive) {
    const auto takes = [kind](const std::filesystem::path& path) {
        const std::string extension = upperCaseAscii(path.extension().string());
        if (kind == BatchKind::Forward)
            return extension == ".DOC" || extension == ".STY";
        if (kind == BatchKind::Backward && upperCaseAscii(path.stem().string()) == "ANCILL")
            return false;
        return extension == ".TXT" || extension == ".RTF" || extension == ".CAT";
    };
    std::vector<std::string> files;
    const auto add = [&](const std::filesystem::directory_entry& entry) {
        if (entry.is_regular_file() && takes(entry.path()))
            files.push_back(std::filesystem::absolute(entry.path()).lexically_normal());
    };
    if (recursive)
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
            add(entry);
    else
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            add(entry);
    std::sort(files.begin(), files.end());
    return files;
}

// Why the results list may not go to `path`: a folder, or an existing file
// that the overwrite policy (or the user) keeps. Asked before the batch
// starts, so that nothing is lost at its end; the batch runner refuses it
// with its own files when it is one of them.
std::string checkResultsFile(const std::string& path, TerminalHost& host) {
    if (std::filesystem::is_directory(path))
        return "the results file " + path + " is a folder; name a file";
    if (std::filesystem::exists(path) &&
        host.ask(formatString(MessageId::Overwrite, path.c_str()), false) != Answer::Yes)
        return "the results file " + path + " exists and is kept (--overwrite always replaces it)";
    return {};
}

} // namespace

void addBatchOptions(CLI::App& command, BatchArguments& args, BatchKind kind) {
    command.add_option("FILE", args.files, "files to process, or folders of them")->required();
    command.add_flag("-r,--recursive", args.recursive, "take the files of subfolders too");
    command.add_option("--org-dir", args.orgDirectory,
                       kind == BatchKind::Forward    ? "folder for the QMX and ORG files"
                       : kind == BatchKind::Backward ? "folder of the ORG files (and style files)"
                                                     : "folder of the ORG and source QMX files");
    if (kind == BatchKind::Forward)
        command.add_option("--translated-dir", args.translatedDirectory,
                           "folder that gets a copy of the QMX files for translation");
    if (kind == BatchKind::Verify)
        command.add_option("--source-dir", args.sourceDirectory, "folder of the source QMX files");
    command
        .add_option("--format", args.format,
                    kind == BatchKind::Backward
                        ? "container of the ancillary file (ANCILL.TXT/.RTF)"
                        : "QMX container")
        ->check(CLI::IsMember({"txt", "rtf"}));
    // A translated file names its source language itself, and a backward run
    // writes no RTF.
    if (kind != BatchKind::Backward) {
        command.add_option("--page-size", args.pageSize, "RTF page size")
            ->check(CLI::IsMember({"a4", "letter"}));
        command.add_option("--source-language", args.sourceLanguage, "source language name");
    }
    command.add_option("--target-language", args.targetLanguage, "target language name");
    // Each command offers only the options that change what it does.
    if (kind == BatchKind::Forward) {
        command.add_option("--smart-quotes", args.smartQuotes, "straight quotes as tags or text")
            ->check(CLI::IsMember({"tags", "text"}));
        command.add_option("--read-only", args.readOnly, "read-only components")
            ->check(CLI::IsMember({"translate", "dont-translate"}));
        command
            .add_option("--marker-placeholders", args.markerPlaceholders, "index marker anchors")
            ->check(CLI::IsMember({"insert", "dont-insert"}));
    }
    if (kind == BatchKind::Backward)
        command.add_option("--hyphenation", args.hyphenation, "translation hyphenation")
            ->check(CLI::IsMember({"turn-off", "leave"}));
    command.add_option("--overwrite", args.overwrite, "existing output files")
        ->check(CLI::IsMember({"ask", "always", "never"}));
    if (kind == BatchKind::Forward)
        command.add_option("--ancillary", args.ancillary, "create the ancillary file")
            ->check(CLI::IsMember({"ask", "yes", "no"}));
    command.add_option("--results", args.resultsFile, "save the results list to this file");
    if (kind == BatchKind::Verify)
        command
            .add_option("--fail-on", args.failOn,
                        "exit 1 when a file has findings of this level or above (default error)")
            ->check(CLI::IsMember({"error", "alert", "warning"}));
    if (kind == BatchKind::Verify)
        command
            .add_option("--report", args.reports,
                        "also write N.json or N.junit.xml beside the .CMP report, for every "
                        "file (may be given twice)")
            ->allow_extra_args(false)
            ->delimiter(',')
            ->check(CLI::IsMember({"json", "junit"}));
    command.add_flag("--debug", args.debug, "add parser diagnostics to the results");
    command.add_flag("--quiet", args.quiet, "print only the summary");
    command.add_flag("--no-wait", args.noWait,
                     "fail at once (status 3) when another batch writes into the same folders");
    command.footer("A run whose outputs (reports and --results included) meet one of its "
                   "inputs is refused before anything is written.\n\nExit status: 0 success; "
                   "1 a file failed, or findings at the --fail-on level; 2 a usage error or a "
                   "refused run; 3 with --no-wait, another batch writes into the same folders; "
                   "130 cancelled.");
}

int runBatch(BatchKind kind, const BatchArguments& args, std::atomic<bool>& cancelled) {
    Settings settings = SettingsStore::load();
    if (const std::string error = applyOverrides(args, settings); !error.empty()) {
        std::cerr << "quillex: " << error << '\n';
        return kExitUsage;
    }
    TerminalOptions terminal;
    for (const std::string& input : args.files) {
        if (std::filesystem::is_directory(input)) {
            for (std::string& file : filesInFolder(input, kind, args.recursive))
                terminal.files.push_back(std::move(file));
            continue;
        }
        if (!fileExists(input)) {
            std::cerr << "quillex: no such file: " << input << '\n';
            return kExitUsage;
        }
        terminal.files.push_back(std::filesystem::absolute(input).lexically_normal());
    }
    if (terminal.files.empty()) {
        std::cerr << "quillex: the folders given hold no files to "
                  << (kind == BatchKind::Verify ? "verify" : "convert") << '\n';
        return kExitUsage;
    }
    const std::string& orgFolder = kind == BatchKind::Verify && !args.sourceDirectory.empty()
                                       ? args.sourceDirectory
                                       : args.orgDirectory;
    if (!orgFolder.empty())
        terminal.orgDirectory = absoluteFolder(orgFolder);
    if (!args.translatedDirectory.empty())
        terminal.translatedDirectory = absoluteFolder(args.translatedDirectory);
    if (!terminal.orgDirectory)
        std::cerr << "quillex: using the folder " << settings.paths.orgFiles
                  << (kind == BatchKind::Verify     ? " for the source QMX files"
                      : kind == BatchKind::Backward ? " for the ORG files"
                                                    : " for the outputs")
                  << " (--org-dir names another)\n";
    terminal.overwrite = policyNamed(args.overwrite);
    terminal.ancillary = policyNamed(args.ancillary);
    terminal.quiet = args.quiet;

    TerminalHost host(terminal, cancelled);
    std::string resultsFile;
    if (!args.resultsFile.empty()) {
        resultsFile = std::filesystem::absolute(args.resultsFile).lexically_normal();
        if (const std::string refusal = checkResultsFile(resultsFile, host); !refusal.empty()) {
            std::cerr << "quillex: " << refusal << '\n';
            return kExitUsage;
        }
    }
    BatchRunner runner(host, settings);
    runner.setWaitForFolders(!args.noWait);
    runner.setCheckWhenReportKept(true);
    if (!resultsFile.empty())
        runner.alsoWrites(resultsFile, "results file");
    const BatchReport report = runner.run(kind);
    if (!report.refusal.empty()) {
        std::cerr << "quillex: " << report.refusal << '\n';
        return report.busy ? kExitBusy : kExitUsage;
    }
    if (!resultsFile.empty()) {
        try {
            saveResults(resultsFile, host.results());
        } catch (const FileError& error) {
            for (const std::string& line : error.resultLines())
                std::cerr << line << '\n';
            return kExitFailed;
        }
    }
    if (cancelled.load())
        return kExitCancelled;
    if (kind == BatchKind::Verify && failsOn(args.failOn, report.findings))
        return kExitFailed;
    // A file kept by the overwrite policy is the user's choice, not a failure.
    return report.failed > report.skipped || report.stopped || report.ancillaryFailed ? kExitFailed
                                                                                      : 0;
}

} // namespace quillex
