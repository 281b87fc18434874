// quillex: the command-line front end.
//
//   quillex forward [options] FILE...    Interleaf ASCII files to QMX
//   quillex verify [options] FILE...     check translated QMX files
//   quillex settings [set SECTION/NAME VALUE]
//   quillex tokens [--debug] FILE        how the parser sees an Interleaf file
//   quillex xliff export|import FILE...  exchange QMX files as XLIFF
//   quillex pseudo FILE...               pseudo-translated QMX files
//   quillex count FILE...                words and segments of QMX files
//   quillex tmx -o FILE.tmx FILE...      a translation memory from translated QMX
//
// Options override the saved settings for this run only. Exit status: 0 when
// every file succeeded, 1 when any failed (skipped files aside), when the
// ancillary file could not be written or when verification found findings at
// the --fail-on level; 2 for usage errors and refused runs, 3 when --no-wait
// found the folders busy, 130 when cancelled with Ctrl-C.
#include "app/cli/batch_command.h"
#include "app/cli/exit_status.h"
#include "app/cli/xliff_commands.h"
#include "app/settings_store.h"
#include "foundation/text_file.h"
#include "parser/interleaf/interleaf_diagnostics.h"

#include <CLI/CLI.hpp>

#include <atomic>
#include <csignal>
#include <iostream>

namespace {

using namespace quillex;

std::atomic<bool> gCancelled{false};

extern "C" void onInterrupt(int) {
    gCancelled.store(true);
}

// Ctrl-C, SIGTERM and SIGHUP all cancel the batch: it stops at its next
// progress step, leaves nothing partial and exits with 130. The handlers do
// not restart system calls, so that a question waiting on the terminal is
// interrupted too. A closed pipe is reported as a write error, not a death
// by SIGPIPE.
void installSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

// Results that could not reach standard output (a closed pipe, a full disk)
// fail the command.
int withOutputChecked(int status) {
    std::cout.flush();
    if (std::cout)
        return status;
    std::cerr << "quillex: the results could not be written to standard output\n";
    return status == 0 ? kExitFailed : status;
}

// Lists the lexemes of an Interleaf ASCII file and the outcome of its parse,
// so that a user can see why a document is refused.
int listTokens(const std::string& file, bool debug, const std::string& sourceLanguage) {
    // A device or a pipe would be read without end.
    if (!fileExists(file)) {
        std::cerr << "quillex: not a regular file: " << file << '\n';
        return kExitUsage;
    }
    std::string language = sourceLanguage;
    if (language.empty())
        language = SettingsStore::load().options.sourceLanguage;
    LanguageRecord record;
    if (!lookupLanguage(language, LanguageRole::Source, record)) {
        std::cerr << "quillex: unknown language: " << language << '\n';
        return kExitUsage;
    }
    const int outcome = writeInterleafDiagnostics(file, std::cout, debug ? 1 : 0,
                                                  static_cast<std::uint32_t>(record.codePage));
    return outcome == 0 ? 0 : kExitFailed;
}

int listSettings() {
    std::cout << "# " << SettingsStore::fileName() << '\n';
    for (const SettingValue& value : SettingsStore::list())
        std::cout << value.key << " = " << value.value << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"The Quillex 2.0 for Interleaf: prepares Interleaf ASCII documents for "
                 "translation and puts the translated text back."};
    app.require_subcommand(1);
    app.set_version_flag("-V,--version", "quillex 2.0 (The Quillex 2.0 for Interleaf)");
    app.footer("No command writes over a file it reads: such a run is refused before anything "
               "is written.\n\nExit status: 0 success; 1 a file failed, or findings at the "
               "--fail-on level; 2 a usage error or a refused run; 3 with --no-wait, another "
               "batch writes into the same folders; 130 cancelled.");

    BatchArguments forwardArgs;
    CLI::App* forward = app.add_subcommand("forward", "convert Interleaf ASCII files to QMX");
    addBatchOptions(*forward, forwardArgs, BatchKind::Forward);

    BatchArguments verifyArgs;
    CLI::App* verify = app.add_subcommand("verify", "verify the Q-Marks of translated QMX files");
    addBatchOptions(*verify, verifyArgs, BatchKind::Verify);

    BatchArguments backwardArgs;
    CLI::App* backward =
        app.add_subcommand("backward", "convert translated QMX files to Interleaf ASCII");
    addBatchOptions(*backward, backwardArgs, BatchKind::Backward);

    CLI::App* settings = app.add_subcommand("settings", "print or change the saved settings");
    std::string settingName;
    std::string settingValue;
    CLI::App* set = settings->add_subcommand("set", "change one saved setting");
    set->add_option("NAME", settingName, "SECTION/NAME, as 'quillex settings' lists them")
        ->required();
    set->add_option("VALUE", settingValue, "the new value")->required();

    CLI::App* tokens =
        app.add_subcommand("tokens", "list the lexemes of an Interleaf ASCII file and its parse");
    std::string tokensFile;
    bool tokensDebug = false;
    std::string tokensLanguage;
    tokens->add_option("FILE", tokensFile, "Interleaf ASCII file")->required();
    tokens->add_flag("--debug", tokensDebug, "also list unexpected characters and error texts");
    tokens->add_option("--source-language", tokensLanguage,
                       "language whose code page tells double-byte characters");

    BridgeArguments bridgeArgs;
    const BridgeCommands bridge = addBridgeCommands(app, bridgeArgs);

    const auto isCommand = [&app](const std::string& name) {
        for (const CLI::App* command : app.get_subcommands({}))
            if (command->get_name() == name)
                return true;
        return false;
    };
    if (argc > 1 && argv[1][0] != '-' && !isCommand(argv[1])) {
        std::cerr << "quillex: unknown command '" << argv[1] << "' (see 'quillex --help')\n";
        return kExitUsage;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error);
        return status == 0 ? 0 : kExitUsage;
    }

    installSignalHandlers();
    if (forward->parsed())
        return withOutputChecked(runBatch(BatchKind::Forward, forwardArgs, gCancelled));
    if (verify->parsed())
        return withOutputChecked(runBatch(BatchKind::Verify, verifyArgs, gCancelled));
    if (backward->parsed())
        return withOutputChecked(runBatch(BatchKind::Backward, backwardArgs, gCancelled));
    if (const int status = runBridgeCommand(bridge, bridgeArgs, gCancelled); status >= 0)
        return withOutputChecked(status);
    if (tokens->parsed())
        return listTokens(tokensFile, tokensDebug, tokensLanguage);
    if (set->parsed()) {
        if (const auto refusal = SettingsStore::set(settingName, settingValue)) {
            std::cerr << "quillex: " << refusal->message << '\n';
            return refusal->notSaved ? kExitFailed : kExitUsage;
        }
        return 0;
    }
    return listSettings();
}
