// quillex-measure: runs a command and reports its wall time and peak memory.
//
//   quillex-measure [--repeat N] [--stdout FILE] -- COMMAND [ARGUMENT...]
//
// Runs the command N times (default 3) and prints one line:
//   seconds=<best wall time> max_rss_kb=<largest peak resident set> status=<exit status>
// A run that fails stops the repeats; its status is reported. The command's
// standard output goes to FILE (default /dev/null) so that printing does not
// count; standard error stays on the terminal.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <vector>

namespace {

struct Run {
    double seconds = 0;
    long maxRssKb = 0;
    int status = 0;
};

Run runOnce(char** command, const char* stdoutPath) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("quillex-measure: fork");
        std::exit(2);
    }
    if (child == 0) {
        const int out = open(stdoutPath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out >= 0) {
            dup2(out, STDOUT_FILENO);
            close(out);
        }
        execvp(command[0], command);
        std::fprintf(stderr, "quillex-measure: cannot run %s: %s\n", command[0],
                     std::strerror(errno));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) < 0) {
        std::perror("quillex-measure: wait4");
        std::exit(2);
    }
    Run run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.maxRssKb = usage.ru_maxrss;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

} // namespace

int main(int argc, char** argv) {
    int repeat = 3;
    const char* stdoutPath = "/dev/null";
    int i = 1;
    for (; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--") {
            ++i;
            break;
        }
        if (argument == "--repeat" && i + 1 < argc)
            repeat = std::max(1, std::atoi(argv[++i]));
        else if (argument == "--stdout" && i + 1 < argc)
            stdoutPath = argv[++i];
        else {
            std::fprintf(stderr, "usage: quillex-measure [--repeat N] [--stdout FILE] -- "
                                 "COMMAND [ARGUMENT...]\n");
            return 2;
        }
    }
    if (i >= argc) {
        std::fprintf(stderr, "quillex-measure: no command\n");
        return 2;
    }
    Run best;
    best.seconds = -1;
    for (int r = 0; r < repeat; ++r) {
        const Run run = runOnce(argv + i, stdoutPath);
        best.maxRssKb = std::max(best.maxRssKb, run.maxRssKb);
        if (run.status != 0) {
            best.seconds = run.seconds;
            best.status = run.status;
            break;
        }
        if (best.seconds < 0 || run.seconds < best.seconds)
            best.seconds = run.seconds;
    }
    std::printf("seconds=%.6f max_rss_kb=%ld status=%d\n", best.seconds, best.maxRssKb,
                best.status);
    return 0;
}
