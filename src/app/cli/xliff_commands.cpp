// The bridge commands on the command line.
#include "app/cli/xliff_commands.h"

#include "app/cli/exit_status.h"
#include "app/settings_store.h"
#include "foundation/file_error.h"
#include "foundation/text_file.h"
#include "xliff/count_report.h"
#include "xliff/pseudo_translation.h"
#include "xliff/xliff_files.h"
#include "xliff/xliff_import.h"

#include <filesystem>
#include <iostream>

namespace quillex {
namespace {

// A folder name as the library takes it, ending with "/"; made when missing.
std::string preparedFolder(const std::string& folder) {
    std::filesystem::create_directories(folder);
    return SettingsStore::withTrailingSlash(folder);
}

std::string targetLanguageOf(const BridgeArguments& args) {
    return args.targetLanguage.empty() ? SettingsStore::load().options.targetLanguage
                                       : args.targetLanguage;
}

// Runs `work` for one file and reports a failure on standard error; returns
// whether it succeeded.
template <typename Work> bool reported(const std::string& file, Work&& work) {
    try {
        work();
        return true;
    } catch (const FileProblem& problem) {
        std::cerr << "quillex: " << problem.what() << '\n';
    } catch (const std::exception& error) {
        const std::string text = error.what();
        std::cerr << "quillex: " << (text.starts_with(file) ? "" : file + ": ") << text
                  << (text.ends_with('\n') ? "" : "\n");
    }
    return false;
}

int runExport(const BridgeArguments& args) {
    xliff::ExportSettings settings;
    settings.targetLanguage = targetLanguageOf(args);
    settings.letterPaper = args.pageSize.empty() ? SettingsStore::load().options.rtfPageSize == 1
                                                 : args.pageSize == "letter";
    if (!args.output.empty()) {
        const bool done =
            reported(args.output, [&] { xliff::exportToXliff(args.files, args.output, settings); });
        if (done)
            std::cout << "Wrote " << args.output << '\n';
        return done ? 0 : kExitFailed;
    }
    int status = 0;
    for (const std::string& file : args.files) {
        std::string output = xliff::withExtension(file, ".xlf");
        if (!args.outputFolder.empty())
            output = preparedFolder(args.outputFolder) +
                     std::filesystem::path(output).filename().string();
        if (reported(file, [&] { xliff::exportToXliff({file}, output, settings); }))
            std::cout << "Wrote " << output << '\n';
        else
            status = kExitFailed;
    }
    return status;
}

int runImport(const BridgeArguments& args) {
    const std::string folder = preparedFolder(args.outputFolder);
    int status = 0;
    for (const std::string& file : args.files) {
        std::vector<std::string> written;
        if (!reported(file, [&] {
                written = xliff::importFromXliff(file, folder, args.targetLanguage);
            })) {
            std::cerr << "quillex: " << file << ": nothing was written\n";
            status = kExitFailed;
            continue;
        }
        for (const std::string& path : written)
            std::cout << "Wrote " << path << '\n';
    }
    return status;
}

bool letterPaperOf(const BridgeArguments& args) {
    return args.pageSize.empty() ? SettingsStore::load().options.rtfPageSize == 1
                                 : args.pageSize == "letter";
}

int runPseudo(const BridgeArguments& args) {
    xliff::PseudoSettings settings;
    settings.targetLanguage = targetLanguageOf(args);
    settings.expansionPercent = args.expansion;
    settings.letterPaper = letterPaperOf(args);
    const std::string folder = preparedFolder(args.outputFolder);
    int status = 0;
    for (const std::string& file : args.files) {
        std::string written;
        if (reported(file, [&] { written = xliff::pseudoTranslateFile(file, folder, settings); }))
            std::cout << "Wrote " << written << '\n';
        else
            status = kExitFailed;
    }
    return status;
}

int runCount(const BridgeArguments& args) {
    std::vector<xliff::QmxSource> sources;
    int status = 0;
    for (const std::string& file : args.files)
        if (!reported(file, [&] { sources.push_back(xliff::readQmxSource(file)); }))
            status = kExitFailed;
    std::cout << xliff::formatCounts(xliff::countFiles(sources),
                                     *xliff::countFormatOf(args.format));
    return status;
}

} // namespace

BridgeCommands addBridgeCommands(CLI::App& app, BridgeArguments& args) {
    BridgeCommands commands;
    CLI::App* xliff =
        app.add_subcommand("xliff", "exchange QMX files with translation tools as XLIFF 1.2");
    xliff->require_subcommand(1);

    commands.exportCommand = xliff->add_subcommand("export", "QMX files (.TXT, .RTF) to XLIFF");
    commands.exportCommand->add_option("FILE", args.files, "QMX files")
        ->required()
        ->check(CLI::ExistingFile);
    commands.exportCommand->add_option("-o,--output", args.output,
                                       "one XLIFF file for all inputs (default: N.xlf beside "
                                       "each N.TXT)");
    commands.exportCommand->add_option("--output-dir", args.outputFolder,
                                       "folder of the N.xlf files");
    commands.exportCommand->add_option("--target-language", args.targetLanguage,
                                       "language of the translation (default: the settings)");
    commands.exportCommand
        ->add_option("--page-size", args.pageSize, "paper of RTF files written back")
        ->check(CLI::IsMember({"a4", "letter"}));

    commands.importCommand =
        xliff->add_subcommand("import", "translated XLIFF files back to QMX files");
    commands.importCommand->add_option("FILE", args.files, "XLIFF files")
        ->required()
        ->check(CLI::ExistingFile);
    commands.importCommand
        ->add_option("-o,--output-dir", args.outputFolder,
                     "folder of the translated QMX files (not the folder of the sources)")
        ->required();
    commands.importCommand->add_option("--target-language", args.targetLanguage,
                                       "language of the translation (default: the one exported)");

    commands.pseudoCommand = app.add_subcommand(
        "pseudo", "pseudo-translated copies of QMX files, to try a round trip before translating");
    commands.pseudoCommand->add_option("FILE", args.files, "QMX files")
        ->required()
        ->check(CLI::ExistingFile);
    commands.pseudoCommand
        ->add_option("-o,--output-dir", args.outputFolder,
                     "folder of the pseudo-translated files (not the folder of the sources)")
        ->required();
    commands.pseudoCommand->add_option("--target-language", args.targetLanguage,
                                       "whose code page gives the accented letters (default: "
                                       "the settings)");
    commands.pseudoCommand
        ->add_option("--expansion", args.expansion, "percent added to each text (default 30)")
        ->check(CLI::Range(0, 1000));
    commands.pseudoCommand->add_option("--page-size", args.pageSize, "paper of RTF files")
        ->check(CLI::IsMember({"a4", "letter"}));

    commands.countCommand =
        app.add_subcommand("count", "words, characters and segments of QMX files");
    commands.countCommand->add_option("FILE", args.files, "QMX files")
        ->required()
        ->check(CLI::ExistingFile);
    commands.countCommand->add_option("--format", args.format, "table (default), csv or json")
        ->check(CLI::IsMember({"table", "csv", "json"}));
    return commands;
}

int runBridgeCommand(const BridgeCommands& commands, const BridgeArguments& args) {
    if (commands.exportCommand->parsed())
        return runExport(args);
    if (commands.importCommand->parsed())
        return runImport(args);
    if (commands.pseudoCommand->parsed())
        return runPseudo(args);
    if (commands.countCommand->parsed())
        return runCount(args);
    return -1;
}

} // namespace quillex
