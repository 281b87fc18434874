// The bridge commands on the command line.
#include "app/cli/xliff_commands.h"

#include "app/cli/exit_status.h"
#include "app/cli/terminal_host.h"
#include "app/file_guard.h"
#include "app/settings_store.h"
#include "foundation/ascii_case.h"
#include "foundation/file_error.h"
#include "foundation/output_file.h"
#include "foundation/string_table.h"
#include "foundation/text_file.h"
#include "xliff/count_report.h"
#include "xliff/held_back_units.h"
#include "xliff/pseudo_translation.h"
#include "xliff/tmx_file.h"
#include "xliff/translation_memory.h"
#include "xliff/xliff_files.h"
#include "xliff/xliff_import.h"

#include <filesystem>
#include <iostream>
#include <new>
#include <optional>
#include <utility>

namespace quillex {
namespace {

// Makes `folder` when missing; returns why it could not be made (a file of
// that name, a read-only file system), or nothing.
std::optional<std::string> madeFolder(const std::string& folder) {
    std::error_code error;
    if (std::filesystem::is_directory(folder, error))
        return std::nullopt;
    if (std::filesystem::exists(folder, error))
        return "cannot create the folder " + folder + ": a file of that name exists";
    if (!std::filesystem::create_directories(folder, error) && error)
        return "cannot create the folder " + folder + ": " + error.message();
    return std::nullopt;
}

// A folder name as the library takes it, ending with "/".
std::string folderPrefix(const std::string& folder) {
    return SettingsStore::withTrailingSlash(folder);
}

// Refuses a run whose outputs meet its inputs or each other, before anything
// is written; returns whether it may go on.
bool guarded(const FileGuard& guard) {
    const std::string refusal = guard.refusal();
    if (!refusal.empty())
        std::cerr << "quillex: " << refusal << '\n';
    return refusal.empty();
}

// Asks the overwrite questions of a run, answered as --overwrite says (on the
// terminal for "ask", or kept when no one is there to answer).
class OverwriteQuestions {
  public:
    OverwriteQuestions(const BridgeArguments& args, std::atomic<bool>& cancelled)
        : cancelled_(cancelled), host_(optionsOf(args), cancelled) {}

    // Whether every file of `outputs` may be written: each is missing, or may
    // be replaced. The host names a file that is kept.
    bool mayWriteAll(const std::vector<std::string>& outputs) {
        for (const std::string& path : outputs)
            if (!cancelled_.load() && fileExists(path) &&
                host_.ask(formatString(MessageId::Overwrite, path.c_str()), false) != Answer::Yes)
                return false;
        return !cancelled_.load();
    }

    bool cancelled() const { return cancelled_.load(); }

  private:
    static TerminalOptions optionsOf(const BridgeArguments& args) {
        TerminalOptions options;
        options.overwrite = policyNamed(args.overwrite);
        return options;
    }

    std::atomic<bool>& cancelled_;
    TerminalHost host_;
};

// Whether the path has the name of a QMX file.
bool isQmxName(const std::string& path) {
    const std::string extension = upperCaseAscii(std::filesystem::path(path).extension().string());
    return extension == ".TXT" || extension == ".RTF" || extension == ".CAT";
}

// An output folder option that names nothing is a usage error.
bool namesFolder(const std::string& folder) {
    if (!folder.empty())
        return true;
    std::cerr << "quillex: the output folder name is empty\n";
    return false;
}

std::string targetLanguageOf(const BridgeArguments& args) {
    return args.targetLanguage.empty() ? SettingsStore::load().options.targetLanguage
                                       : args.targetLanguage;
}

// What export, count and tmx hold back: the classes given, else those of the
// settings; index sort keys equal to their entry unless asked to offer them.
xliff::HeldBackText heldBackOf(const BridgeArguments& args) {
    xliff::HeldBackText rules;
    rules.classes = args.dontTranslateClasses.empty()
                        ? xliff::classesOfList(SettingsStore::load().options.dontTranslateClasses)
                        : args.dontTranslateClasses;
    rules.sortKeysLikeEntries = !args.translateSortKeys;
    return rules;
}

// An -o that names a QMX file is one the shell put there from a pattern
// (-o out/*.TXT), not a name for the document to write.
bool namesQmxFile(const std::string& output, const char* document) {
    if (!isQmxName(output))
        return false;
    std::cerr << "quillex: -o " << output << " names a QMX file, which the " << document
              << " would replace (did the shell expand a pattern after -o?)\n";
    return true;
}

// Runs `work` for one file and reports a failure on standard error; returns
// whether it succeeded. A file error gives its message and the file.
template <typename Work> bool reported(const std::string& file, Work&& work) {
    try {
        work();
        return true;
    } catch (const FileProblem& problem) {
        // The file at fault (an output, a source) and what happened to it.
        const std::vector<std::string> lines = problem.resultLines();
        std::cerr << "quillex: " << problem.path() << ": "
                  << (lines.empty() ? std::string(problem.what()) : lines.front()) << '\n';
    } catch (const std::bad_alloc&) {
        std::cerr << "quillex: " << (file.empty() ? "" : file + ": ") << "not enough memory\n";
    } catch (const std::exception& error) {
        const std::string text = error.what();
        std::cerr << "quillex: " << (text.starts_with(file) ? "" : file + ": ") << text
                  << (text.ends_with('\n') ? "" : "\n");
    }
    return false;
}

int runExport(const BridgeArguments& args, std::atomic<bool>& cancelled) {
    OverwriteQuestions overwrite(args, cancelled);
    xliff::ExportSettings settings;
    settings.targetLanguage = targetLanguageOf(args);
    settings.letterPaper = args.pageSize.empty()
                               ? SettingsStore::load().options.rtfPageSize == PaperSize::Letter
                               : args.pageSize == "letter";
    settings.targets = args.targets == "copy" ? xliff::Targets::Copy : xliff::Targets::None;
    settings.heldBack = heldBackOf(args);
    FileGuard guard;
    for (const std::string& file : args.files)
        guard.reads(file, "input");
    if (!args.memory.empty())
        guard.reads(args.memory, "translation memory");
    xliff::PrefillCounts prefilled;
    settings.prefilled = &prefilled;
    // What each output took from the memory, after its "Wrote" line.
    const auto reportPrefilled = [&] {
        if (settings.memory)
            std::cout << "  from the translation memory: " << prefilled.inContext
                      << " units in context (translated), " << prefilled.exact
                      << " elsewhere (to review)\n";
        prefilled = {};
    };
    // The memory is read once the run is known to write over none of its
    // inputs.
    const auto memoryRead = [&] {
        return args.memory.empty() || reported(args.memory, [&] {
                   settings.memory = std::make_shared<xliff::TranslationMemory>(
                       xliff::readTmx(readBinaryFile(args.memory), settings.targetLanguage));
               });
    };
    if (!args.output.empty()) {
        // A QMX name after -o is a QMX file the shell put there from a
        // pattern (-o out/*.TXT), not a name for the XLIFF document.
        if (isQmxName(args.output)) {
            std::cerr << "quillex: -o " << args.output
                      << " names a QMX file, which the XLIFF document would replace (did the "
                         "shell expand a pattern after -o?); name the document N.xlf\n";
            return kExitUsage;
        }
        guard.writes(args.output, "XLIFF document");
        if (!guarded(guard))
            return kExitUsage;
        if (!overwrite.mayWriteAll({args.output}))
            return overwrite.cancelled() ? kExitCancelled : 0;
        if (!memoryRead())
            return kExitFailed;
        const bool done =
            reported(args.output, [&] { xliff::exportToXliff(args.files, args.output, settings); });
        if (done) {
            std::cout << "Wrote " << args.output << '\n';
            reportPrefilled();
        }
        return done ? 0 : kExitFailed;
    }
    std::vector<std::string> outputs;
    for (const std::string& file : args.files) {
        outputs.push_back(xliff::withExtension(file, ".xlf"));
        if (!args.outputFolder.empty())
            outputs.back() = folderPrefix(args.outputFolder) +
                             std::filesystem::path(outputs.back()).filename().string();
        guard.writes(outputs.back(), "XLIFF document");
    }
    if (!guarded(guard))
        return kExitUsage;
    if (!memoryRead())
        return kExitFailed;
    if (!args.outputFolder.empty())
        if (const auto failure = madeFolder(args.outputFolder)) {
            std::cerr << "quillex: " << *failure << '\n';
            return kExitUsage;
        }
    int status = 0;
    for (std::size_t i = 0; i < args.files.size(); ++i) {
        if (!overwrite.mayWriteAll({outputs[i]})) {
            if (overwrite.cancelled())
                return kExitCancelled;
            continue;
        }
        if (reported(args.files[i],
                     [&] { xliff::exportToXliff({args.files[i]}, outputs[i], settings); })) {
            std::cout << "Wrote " << outputs[i] << '\n';
            reportPrefilled();
        } else {
            status = kExitFailed;
            prefilled = {};
        }
    }
    return status;
}

// Every XLIFF file is read and checked first; the output folder is made, and
// files written, only when the run's outputs meet none of its inputs.
int runImport(const BridgeArguments& args, std::atomic<bool>& cancelled) {
    if (!namesFolder(args.outputFolder))
        return kExitUsage;
    const std::string folder = folderPrefix(args.outputFolder);
    std::string sourceFolder = args.sourceFolder;
    if (sourceFolder.empty()) {
        sourceFolder = SettingsStore::load().paths.orgFiles;
        std::cerr << "quillex: using the folder " << sourceFolder
                  << " for the source QMX files (--source-dir names another)\n";
    }
    sourceFolder = folderPrefix(sourceFolder);
    int status = 0;
    std::vector<std::pair<std::string, xliff::PreparedImport>> prepared;
    FileGuard guard;
    for (const std::string& file : args.files) {
        guard.reads(file, "XLIFF file");
        if (!reported(file, [&] {
                prepared.emplace_back(
                    file, xliff::PreparedImport(file, sourceFolder, args.targetLanguage,
                                                args.nearestCharacters
                                                    ? xliff::MissingCharacters::Nearest
                                                    : xliff::MissingCharacters::Problem));
            })) {
            std::cerr << "quillex: " << file << ": nothing was written\n";
            status = kExitFailed;
        }
    }
    for (const auto& [file, import] : prepared) {
        for (const std::string& source : import.sources())
            guard.reads(source, "source QMX file");
        for (const std::string& name : import.names())
            guard.writes(folder + name, "output of " + file);
    }
    if (!guarded(guard))
        return kExitUsage;
    if (prepared.empty())
        return status;
    if (const auto failure = madeFolder(args.outputFolder)) {
        std::cerr << "quillex: " << *failure << '\n';
        return kExitUsage;
    }
    OverwriteQuestions overwrite(args, cancelled);
    for (const auto& [file, import] : prepared) {
        // The files of one XLIFF file are written together or not at all.
        std::vector<std::string> outputs;
        for (const std::string& name : import.names())
            outputs.push_back(folder + name);
        if (!overwrite.mayWriteAll(outputs)) {
            if (overwrite.cancelled())
                return kExitCancelled;
            std::cerr << "quillex: " << file << ": nothing was written\n";
            continue;
        }
        std::vector<std::string> written;
        if (!reported(file, [&] { written = import.write(folder); })) {
            std::cerr << "quillex: " << file << ": nothing was written\n";
            status = kExitFailed;
            continue;
        }
        for (const std::string& warning : import.warnings())
            std::cerr << "quillex: warning: " << warning << '\n';
        for (const std::string& path : written)
            std::cout << "Wrote " << path << '\n';
    }
    return status;
}

bool letterPaperOf(const BridgeArguments& args) {
    return args.pageSize.empty() ? SettingsStore::load().options.rtfPageSize == PaperSize::Letter
                                 : args.pageSize == "letter";
}

int runPseudo(const BridgeArguments& args, std::atomic<bool>& cancelled) {
    if (!namesFolder(args.outputFolder))
        return kExitUsage;
    xliff::PseudoSettings settings;
    settings.targetLanguage = targetLanguageOf(args);
    settings.expansionPercent = args.expansion;
    settings.letterPaper = letterPaperOf(args);
    const std::string folder = folderPrefix(args.outputFolder);
    FileGuard guard;
    std::vector<std::string> outputs;
    for (const std::string& file : args.files) {
        guard.reads(file, "input");
        outputs.push_back(folder + std::filesystem::path(file).filename().string());
        guard.writes(outputs.back(), "pseudo-translation");
    }
    if (!guarded(guard))
        return kExitUsage;
    if (const auto failure = madeFolder(args.outputFolder)) {
        std::cerr << "quillex: " << *failure << '\n';
        return kExitUsage;
    }
    OverwriteQuestions overwrite(args, cancelled);
    int status = 0;
    for (std::size_t i = 0; i < args.files.size(); ++i) {
        const std::string& file = args.files[i];
        if (!overwrite.mayWriteAll({outputs[i]})) {
            if (overwrite.cancelled())
                return kExitCancelled;
            continue;
        }
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
    xliff::CountSettings settings;
    settings.heldBack = heldBackOf(args);
    settings.rule = *xliff::countRuleOf(args.countRule);
    std::cout << xliff::formatCounts(xliff::countFiles(sources, settings),
                                     *xliff::countFormatOf(args.format));
    return status;
}

// The pairs of source and translated QMX files: each file with the file of
// its name in --source-dir, or the files taken two by two.
std::optional<std::vector<xliff::TranslationPair>> translationPairs(const BridgeArguments& args) {
    std::vector<xliff::TranslationPair> pairs;
    if (!args.sourceFolder.empty()) {
        for (const std::string& file : args.files)
            pairs.push_back(
                {folderPrefix(args.sourceFolder) + std::filesystem::path(file).filename().string(),
                 file});
        return pairs;
    }
    if (args.files.size() % 2 != 0) {
        std::cerr << "quillex: tmx takes each source QMX file followed by its translation (or "
                     "the translations with --source-dir); "
                  << args.files.size() << " files do not make pairs\n";
        return std::nullopt;
    }
    for (std::size_t i = 0; i < args.files.size(); i += 2)
        pairs.push_back({args.files[i], args.files[i + 1]});
    return pairs;
}

int runTmx(const BridgeArguments& args, std::atomic<bool>& cancelled) {
    const auto pairs = translationPairs(args);
    if (!pairs || namesQmxFile(args.output, "translation memory"))
        return kExitUsage;
    FileGuard guard;
    for (const xliff::TranslationPair& pair : *pairs) {
        guard.reads(pair.source, "source QMX file");
        guard.reads(pair.translated, "translated QMX file");
    }
    guard.writes(args.output, "translation memory");
    if (!guarded(guard))
        return kExitUsage;
    OverwriteQuestions overwrite(args, cancelled);
    if (!overwrite.mayWriteAll({args.output}))
        return overwrite.cancelled() ? kExitCancelled : 0;
    std::size_t units = 0;
    // Every message names its file (an input, or the output).
    const bool done = reported("", [&] {
        const xliff::TranslationMemory memory =
            xliff::memoryOfTranslations(*pairs, targetLanguageOf(args), heldBackOf(args));
        writeWholeFile(args.output, xliff::writeTmx(memory));
        units = memory.units.size();
    });
    if (!done)
        return kExitFailed;
    std::cout << "Wrote " << args.output << " (" << units << " units)\n";
    return 0;
}

// --dont-translate-class NAME, repeated or as a list with commas.
void addClassOptions(CLI::App* command, BridgeArguments& args) {
    command
        ->add_option("--dont-translate-class", args.dontTranslateClasses,
                     "paragraph class not to translate nor count (repeat it, or separate "
                     "names with commas; default: OPTIONS/DONT_TRANSLATE_CLASSES)")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->delimiter(',');
    command->add_flag("--translate-sort-keys", args.translateSortKeys,
                      "offer index sort keys that repeat their entry's text for translation");
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
    commands.exportCommand->add_option("--overwrite", args.overwrite, "existing output files")
        ->check(CLI::IsMember({"ask", "always", "never"}));
    commands.exportCommand
        ->add_option("--page-size", args.pageSize, "paper of RTF files written back")
        ->check(CLI::IsMember({"a4", "letter"}));
    commands.exportCommand
        ->add_option("--targets", args.targets,
                     "none (default), or copy: each unit to translate gets its source as a "
                     "target with state=\"needs-translation\", which some tools need to "
                     "offer it")
        ->check(CLI::IsMember({"none", "copy"}));
    addClassOptions(commands.exportCommand, args);
    commands.exportCommand
        ->add_option("--tm", args.memory,
                     "TMX file whose translations pre-fill the targets ('quillex tmx' writes one)")
        ->check(CLI::ExistingFile);

    commands.importCommand =
        xliff->add_subcommand("import", "translated XLIFF files back to QMX files");
    commands.importCommand->add_option("FILE", args.files, "XLIFF files")
        ->required()
        ->check(CLI::ExistingFile);
    commands.importCommand
        ->add_option("-o,--output-dir", args.outputFolder,
                     "folder of the translated QMX files (not the folder of the sources)")
        ->required();
    commands.importCommand->add_option(
        "--source-dir", args.sourceFolder,
        "folder of the source QMX files that were exported; what is not translatable comes "
        "from them (default: the ORG folder of the settings)");
    commands.importCommand->add_flag(
        "--nearest-characters", args.nearestCharacters,
        "write a character the target code page lacks as the nearest it has, with a warning, "
        "rather than refuse the file");
    commands.importCommand->add_option("--overwrite", args.overwrite, "existing output files")
        ->check(CLI::IsMember({"ask", "always", "never"}));
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
    commands.pseudoCommand->add_option("--overwrite", args.overwrite, "existing output files")
        ->check(CLI::IsMember({"ask", "always", "never"}));
    commands.pseudoCommand->add_option("--page-size", args.pageSize, "paper of RTF files")
        ->check(CLI::IsMember({"a4", "letter"}));

    commands.countCommand =
        app.add_subcommand("count", "words, characters and segments of QMX files");
    commands.countCommand->add_option("FILE", args.files, "QMX files")
        ->required()
        ->check(CLI::ExistingFile);
    commands.countCommand->add_option("--format", args.format, "table (default), csv or json")
        ->check(CLI::IsMember({"table", "csv", "json"}));
    commands.countCommand
        ->add_option("--like", args.countRule,
                     "count words as quillex (default), pocount or omegat count them")
        ->check(CLI::IsMember({"quillex", "pocount", "omegat"}));
    addClassOptions(commands.countCommand, args);

    commands.tmxCommand = app.add_subcommand(
        "tmx", "a TMX translation memory from source QMX files and their translations");
    commands.tmxCommand
        ->add_option("FILE", args.files,
                     "each source QMX file followed by its translation (with --source-dir: "
                     "the translations)")
        ->required()
        ->check(CLI::ExistingFile);
    commands.tmxCommand->add_option("-o,--output", args.output, "the TMX file to write")
        ->required();
    commands.tmxCommand->add_option(
        "--source-dir", args.sourceFolder,
        "folder of the source QMX files, each of the name of its translation");
    commands.tmxCommand->add_option("--target-language", args.targetLanguage,
                                    "language of translations whose <language> line still "
                                    "names the source's (default: the settings)");
    addClassOptions(commands.tmxCommand, args);
    commands.tmxCommand->add_option("--overwrite", args.overwrite, "an existing TMX file")
        ->check(CLI::IsMember({"ask", "always", "never"}));
    return commands;
}

int runBridgeCommand(const BridgeCommands& commands, const BridgeArguments& args,
                     std::atomic<bool>& cancelled) {
    if (commands.exportCommand->parsed())
        return runExport(args, cancelled);
    if (commands.importCommand->parsed())
        return runImport(args, cancelled);
    if (commands.pseudoCommand->parsed())
        return runPseudo(args, cancelled);
    if (commands.countCommand->parsed())
        return runCount(args);
    if (commands.tmxCommand->parsed())
        return runTmx(args, cancelled);
    return -1;
}

} // namespace quillex
