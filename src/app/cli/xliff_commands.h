// The commands that bridge to translation tools: 'xliff export', 'xliff
// import', 'pseudo' and 'count'. Thin: the work is in the xliff library.
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
    std::string overwrite = "ask"; // export, import, pseudo: existing outputs
};

// Adds 'xliff' (with 'export' and 'import'), 'pseudo' and 'count' to `app`.
struct BridgeCommands {
    CLI::App* exportCommand = nullptr;
    CLI::App* importCommand = nullptr;
    CLI::App* pseudoCommand = nullptr;
    CLI::App* countCommand = nullptr;
};
BridgeCommands addBridgeCommands(CLI::App& app, BridgeArguments& args);

// Runs the parsed command of `commands`; returns the exit status, or -1 when
// none of them was given. `cancelled` is set by a signal or by "q" at an
// overwrite question.
int runBridgeCommand(const BridgeCommands& commands, const BridgeArguments& args,
                     std::atomic<bool>& cancelled);

} // namespace quillex
