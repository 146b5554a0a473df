// Every document of the package states the project's version: a release made by raising the
// version in CMake needs its changelog entry, its AppStream release and its manual pages.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

namespace {

const std::filesystem::path kPackaging = std::filesystem::path(TUNDRIX_SOURCE_DIR) / "packaging";

std::string read(const std::string& name) {
    std::ifstream in(kPackaging / name);
    EXPECT_TRUE(in) << name;
    return {std::istreambuf_iterator<char>(in), {}};
}

// The first match of the pattern's group, i.e. the newest entry where a file lists several.
std::string first(const std::string& text, const char* pattern) {
    std::smatch m;
    return std::regex_search(text, m, std::regex(pattern)) ? m[1].str() : std::string();
}

TEST(PackageVersion, TheChangelogTheMetainfoAndTheManualPagesStateTheProjectsVersion) {
    EXPECT_EQ(first(read("changelog"), R"(^tundrix \(([^)]+)\))"), TUNDRIX_VERSION);
    EXPECT_EQ(
        first(read("io.github.tundrix.Tundrix.metainfo.xml"), R"(<release version="([^"]+)\")"),
        TUNDRIX_VERSION);
    for (const char* page : {"man/tundrix.1", "man/tundrix-cli.1"})
        EXPECT_EQ(first(read(page), R"(\n\.TH .* "Tundrix ([^"]+)\")"), TUNDRIX_VERSION) << page;
}

}  // namespace
