// Running tundrix-cli (or any shell command) from a test the way a user runs it, in the C locale
// so that numbers print with a decimal point.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

namespace tundrix::clitest {

struct ShellRun {
    int status = -1;  // exit status; -1 when the command could not run or was killed
    std::string out;  // what it wrote to standard output (and standard error, if redirected)
};

inline ShellRun runShell(const std::string& cmd) {
    ShellRun r;
    FILE* p = ::popen(cmd.c_str(), "r");
    if (!p)
        return r;
    std::array<char, 4096> buf{};
    std::size_t n = 0;
    while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0)
        r.out.append(buf.data(), n);
    const int status = ::pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

inline std::filesystem::path cliProgram() {
    return std::filesystem::path(TUNDRIX_BIN_DIR) / "tundrix-cli";
}

// "LC_ALL=C <bin>/tundrix-cli args"
inline std::string cliCommand(const std::string& args) {
    return "LC_ALL=C " + cliProgram().string() + " " + args;
}

}  // namespace tundrix::clitest
