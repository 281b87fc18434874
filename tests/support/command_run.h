// Running a shell command from a test: what it printed (standard output and
// standard error) and how it exited.
#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace quillex::testing {

struct CommandRun {
    int status = -1;
    std::string output;
};

inline CommandRun runCommand(const std::string& command) {
    CommandRun result;
    std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr)
        return result;
    std::array<char, 4096> buffer{};
    std::size_t read = 0;
    while ((read = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.output.append(buffer.data(), read);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

} // namespace quillex::testing
