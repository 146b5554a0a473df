// main() of a folder's QtTest program: runs the tests of the file named by the first argument.
#include "qtestmain.h"

#include <cstdio>
#include <map>
#include <string>

namespace tundrix::qtest {

namespace {

// Filled while the program's files are initialised, before main() runs.
std::map<std::string, Run>& runs() {
    static std::map<std::string, Run> all;
    return all;
}

std::string stem(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

bool add(const char* file, Run run) {
    runs()[stem(file)] = run;
    return true;
}

}  // namespace tundrix::qtest

int main(int argc, char** argv) {
    const auto& runs = tundrix::qtest::runs();
    const auto found = argc > 1 ? runs.find(argv[1]) : runs.end();
    if (found == runs.end()) {
        std::fprintf(stderr, "usage: %s FILE [QtTest options]\nFILE is one of:\n", argv[0]);
        for (const auto& [name, run] : runs)
            std::fprintf(stderr, "  %s\n", name.c_str());
        return 2;
    }
    // QtTest sees the program's name and the arguments after the file's.
    argv[1] = argv[0];
    return found->second(argc - 1, argv + 1);
}
