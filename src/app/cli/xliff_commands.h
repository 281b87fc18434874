// The commands that bridge to translation tools: 'xliff export', 'xliff
// import', 'pseudo', 'count' and 'tmx'. Thin: the work is in the xliff library.
#pragma once

#include <CLI/CLI.hpp>

#include <atomic>
#include <string>
#include <vector>

namespace quillex {

struct BridgeArguments {
    std::vector<std::string> files;
    std::string output;             // export: one XLIFF document for every input
    std::string outputFolder;       // export, import, pseudo
    std::string sourceFolder;       // import: the source QMX files
    bool nearestCharacters = false; // import: for characters the code page lacks
    std::string targetLanguage;
    std::string pageSize;
    std::string targets = "none";  // export: none or copy
    std::string format = "table";  // count
    int expansion = 30;            // pseudo, percent
    std::string overwrite = "ask"; // export, import, pseudo, tmx: existing outputs
    // export, count, tmx: paragraph classes not to translate (default: the
    // settings), and whether index sort keys equal to their entry are offered
    std::vector<std::string> dontTranslateClasses;
    bool translateSortKeys = false;
    std::string countRule = "quillex"; // count --like
    std::string memory;                // export --tm: a TMX file
};

// Adds 'xliff' (with 'export' and 'import'), 'pseudo', 'count' and 'tmx' to
// `app`.
struct BridgeCommands {
    CLI::App* exportCommand = nullptr;
    CLI::App* importCommand = nullptr;
    CLI::App* pseudoCommand = nullptr;
    CLI::App* countCommand = nullptr;
    CLI::App* tmxCommand = nullptr;
};
BridgeCommands addBridgeCommands(CLI::App& app, BridgeArguments& args);

// Runs the parsed command of `commands`; returns the exit status, or -1 when
// none of them was given. `cancelled` is set by a signal or by "q" at an
// overwrite question.
int runBridgeCommand(const BridgeCommands& commands, const BridgeArguments& args,
                     std::atomic<bool>& cancelled);

} // namespace quillex
