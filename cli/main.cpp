// tundrix-cli: the catalogue and the selection core on the command line, for batch work and tests.
#include <filesystem>
#include <optional>
#include <iostream>
#include <string>
#include <vector>

#include "catalogue/datadir.h"
#include "cli/commands.h"

namespace fs = std::filesystem;
using namespace tundrix::cli;

namespace {

fs::path executableDir(const char* argv0) {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) return self.parent_path();
    return fs::absolute(argv0, ec).parent_path();
}

void printHelp(std::ostream& out) {
    out << "usage: tundrix-cli [--data DIR] [--format json|csv] COMMAND [options]\n\n"
           "The data folder (--data) defaults to the first of these that holds a catalogue:\n"
           "the program's folder, data/ beside it, ../data, ../share/tundrix/data (the\n"
           "installed catalogue).\n\n"
           "commands:\n";
    for (const auto& c : commands()) out << "  " << c.name << "\t" << c.summary << "\n";
    out << "\n'tundrix-cli COMMAND --help' describes a command's options.\n";
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    Context ctx;
    std::optional<fs::path> dataDir;
    std::size_t i = 0;
    try {
        // The global options may stand anywhere; everything else belongs to the command.
        std::vector<std::string> rest;
        bool help = false;
        for (std::size_t j = 0; j < args.size(); ++j) {
            std::string a = args[j];
            std::optional<std::string> v;
            if (a.rfind("--data=", 0) == 0 || a.rfind("--format=", 0) == 0) {
                v = a.substr(a.find('=') + 1);
                a = a.substr(0, a.find('='));
            } else if (a == "--data" || a == "--format") {
                if (j + 1 >= args.size()) throw UsageError("option " + a + " needs a value");
                v = args[++j];
            }
            if (!v) {
                if ((a == "--help" || a == "-h") && rest.empty()) help = true;
                rest.push_back(a);
                continue;
            }
            if (a == "--data") {
                dataDir = *v;
            } else if (*v == "json") {
                ctx.format = Format::Json;
            } else if (*v == "csv") {
                ctx.format = Format::Csv;
            } else {
                throw UsageError("--format: expected json or csv, got " + *v);
            }
        }
        if (help) {
            printHelp(std::cout);
            return 0;
        }
        args = rest;
        if (i >= args.size()) {
            printHelp(std::cerr);
            return 2;
        }
        const std::string name = args[i];
        rest.assign(args.begin() + 1, args.end());
        ctx.dataDir = dataDir ? *dataDir : tundrix::defaultDataDir(executableDir(argv[0]));
        for (const auto& c : commands()) {
            if (name != c.name) continue;
            for (const auto& r : rest) {
                if (r == "--help" || r == "-h") {
                    std::cout << c.usage;
                    return 0;
                }
            }
            return c.run(ctx, rest, std::cout);
        }
        throw UsageError("unknown command " + name + " (see tundrix-cli --help)");
    } catch (const UsageError& e) {
        std::cerr << "tundrix-cli: " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "tundrix-cli: " << e.what() << "\n";
        return 1;
    }
}
