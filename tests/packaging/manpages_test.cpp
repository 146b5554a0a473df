// The manual pages kept in step with the programs' --help: the commands of tundrix-cli, and per
// command and for each program's global options the long options they name, both ways round. A
// command or option added to --help fails here until its manual page describes it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "cli/shellrun.h"

namespace {

namespace fs = std::filesystem;
using Names = std::set<std::string>;

const fs::path kBin = TUNDRIX_BIN_DIR;
const fs::path kMan = fs::path(TUNDRIX_SOURCE_DIR) / "packaging" / "man";

std::string help(const std::string& program, const std::string& args) {
    const auto run = tundrix::clitest::runShell((kBin / program).string() + " " + args + " 2>&1");
    EXPECT_EQ(run.status, 0) << program << " " << args << ": " << run.out;
    return run.out;
}

Names longOptions(const std::string& text) {
    static const std::regex option(R"((?:^|[^A-Za-z0-9-])(--[a-z][a-z0-9-]*))");
    Names names;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option);
         it != std::sregex_iterator(); ++it)
        names.insert((*it)[1]);
    return names;
}

// A manual page as plain text per section (".SH NAME") and per subsection of a section
// ("COMMANDS/select"), with font changes and escapes taken out.
std::map<std::string, std::string> manSections(const fs::path& file) {
    std::ifstream in(file);
    EXPECT_TRUE(in) << file;
    std::map<std::string, std::string> sections;
    std::string section, current, line;
    auto title = [](std::string t) {
        t = std::regex_replace(t, std::regex(R"(^\.S[HS]\s+|")"), "");
        return std::regex_replace(t, std::regex(R"(\\-)"), "-");
    };
    while (std::getline(in, line)) {
        if (line.rfind(".\\\"", 0) == 0)
            continue;
        if (line.rfind(".SH", 0) == 0) {
            section = current = title(line);
            continue;
        }
        if (line.rfind(".SS", 0) == 0) {
            current = section + "/" + title(line);
            continue;
        }
        line = std::regex_replace(line, std::regex(R"(\\f[BIRP])"), "");
        line = std::regex_replace(line, std::regex(R"(\\-)"), "-");
        sections[current] += line + "\n";
    }
    return sections;
}

// The commands tundrix-cli lists: the lines "  name<tab>summary" of its help.
Names cliCommands() {
    std::istringstream lines(help("tundrix-cli", "--help"));
    Names names;
    static const std::regex command(R"(^  ([a-z][a-z0-9-]*)\t)");
    std::smatch m;
    for (std::string line; std::getline(lines, line);)
        if (std::regex_search(line, m, command))
            names.insert(m[1]);
    return names;
}

TEST(ManualPages, TheDesktopProgramsPageNamesTheOptionsOfItsHelp) {
    const auto man = manSections(kMan / "tundrix.1");
    EXPECT_EQ(longOptions(man.at("OPTIONS")), longOptions(help("tundrix", "--help")));
}

TEST(ManualPages, TheCommandLinePageDescribesEveryCommandWithTheOptionsOfItsHelp) {
    const auto man = manSections(kMan / "tundrix-cli.1");
    EXPECT_EQ(longOptions(man.at("OPTIONS")), longOptions(help("tundrix-cli", "--help")));

    const Names commands = cliCommands();
    ASSERT_FALSE(commands.empty());
    Names described;
    for (const auto& [name, text] : man)
        if (name.rfind("COMMANDS/", 0) == 0)
            described.insert(name.substr(9));
    EXPECT_EQ(described, commands);
    for (const std::string& c : commands) {
        const auto section = man.find("COMMANDS/" + c);
        if (section == man.end())
            continue;  // reported above
        EXPECT_EQ(longOptions(section->second), longOptions(help("tundrix-cli", c + " --help")))
            << "command " << c;
    }
}

}  // namespace
