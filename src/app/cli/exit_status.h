// Exit statuses of the quillex command.
#pragma once

namespace quillex {

inline constexpr int kExitFailed = 1;      // a file failed, or findings at the --fail-on level
inline constexpr int kExitUsage = 2;       // the command line or its inputs were refused
inline constexpr int kExitBusy = 3;        // --no-wait: another batch writes into the same folders
inline constexpr int kExitCancelled = 130; // Ctrl-C, SIGTERM, SIGHUP or "q" at a question

} // namespace quillex
