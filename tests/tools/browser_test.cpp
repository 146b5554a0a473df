// The data file browser's folders, stored paths and listing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "tools/browsercore.h"

namespace fs = std::filesystem;

namespace tundrix {
namespace {

class BrowserFolder : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tundrix-browser-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "TechnicalData" / "series" / "small");
        fs::create_directories(dir_ / "images");
        std::ofstream(dir_ / "TechnicalData" / "plan.pdf") << "12345";
        std::ofstream(dir_ / "TechnicalData" / "series" / "small" / "a.pdf") << "x";
        std::ofstream(dir_ / "TechnicalData" / ".hidden") << "";
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST(BrowserPaths, FolderByColumn) {
    EXPECT_EQ(browserFolderForColumn(7), "TechnicalData\\");
    EXPECT_EQ(browserFolderForColumn(8), "Complect\\");
    EXPECT_EQ(browserFolderForColumn(11), "images\\");
    EXPECT_EQ(browserFolderForColumn(23), "Textfiles\\");
    EXPECT_EQ(browserFolderForColumn(9), "");
}

TEST(BrowserPaths, JoinPutsOneSeparator) {
    EXPECT_EQ(joinPath("C:\\data", "a.pdf"), "C:\\data\\a.pdf");
    EXPECT_EQ(joinPath("C:\\data\\", "a.pdf"), "C:\\data\\a.pdf");
    EXPECT_EQ(joinPath("/data/", "a.pdf", '/'), "/data/a.pdf");
    EXPECT_EQ(joinPath("/data", "a.pdf", '/'), "/data/a.pdf");
}

TEST(BrowserPaths, AttributeLettersInOrder) {
    EXPECT_EQ(fileAttributeLetters({}), "");
    EXPECT_EQ(fileAttributeLetters({true, true, true, true}), "ARHS");
    EXPECT_EQ(fileAttributeLetters({false, true, false, true}), "RS");
    EXPECT_EQ(fileAttributeLetters({true, false, true, false}), "AH");
}

TEST_F(BrowserFolder, TwoLevelsDownStoresBothFolders) {
    BrowserLocation loc(dir_, 7);
    EXPECT_EQ(loc.relative(), "TechnicalData\\");
    loc.enter("series");
    loc.enter("small");
    EXPECT_EQ(loc.picked("a.pdf"), "TechnicalData\\series\\small\\a.pdf");
    ASSERT_TRUE(loc.fullFolder());
    EXPECT_TRUE(fs::exists(*loc.fullFolder() / "a.pdf"));
    // Reopening starts at the top again.
    EXPECT_EQ(BrowserLocation(dir_, 7).picked("plan.pdf"), "TechnicalData\\plan.pdf");
}

TEST_F(BrowserFolder, PickedPathIsRelative) {
    BrowserLocation loc(dir_, 7);
    const std::string p = loc.picked("plan.pdf");
    EXPECT_FALSE(fs::path(p).is_absolute());
    EXPECT_EQ(p.find(dir_.string()), std::string::npos);
    EXPECT_EQ(loc.displayFolder(), (dir_ / "TechnicalData").string() + "/");
}

TEST_F(BrowserFolder, ListingSortedWithSubValues) {
    const auto entries = listFolder(dir_ / "TechnicalData");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, ".hidden");
    EXPECT_TRUE(entries[0].attributes.hidden);
    EXPECT_EQ(entries[1].name, "plan.pdf");
    EXPECT_EQ(entries[1].size, 5u);
    EXPECT_FALSE(entries[1].isDir);
    EXPECT_TRUE(entries[1].modified.has_value());
    EXPECT_EQ(entries[2].name, "series");
    EXPECT_TRUE(entries[2].isDir);

    const auto file =
        browserSubValues(entries[1], "PDF", "01.01.2026 10:00", "/d/TechnicalData/", '/');
    EXPECT_EQ(file[0], "5");
    EXPECT_EQ(file[1], "PDF");
    EXPECT_EQ(file[2], "01.01.2026 10:00");
    EXPECT_EQ(file[3], "");
    EXPECT_EQ(file[4], "/d/TechnicalData/plan.pdf");
    EXPECT_EQ(file[5], "file");
    EXPECT_EQ(browserSubValues(entries[2], "", "", "/d", '/')[5], "dir");
}

TEST_F(BrowserFolder, ReadOnlyFileHasR) {
    fs::permissions(dir_ / "TechnicalData" / "plan.pdf", fs::perms::owner_write,
                    fs::perm_options::remove);
    const auto entries = listFolder(dir_ / "TechnicalData");
    EXPECT_EQ(fileAttributeLetters(entries[1].attributes), "R");
}

TEST_F(BrowserFolder, MissingOrEmptyFolderGivesNothing) {
    EXPECT_TRUE(listFolder(dir_ / "Complect").empty());
    EXPECT_TRUE(listFolder(dir_ / "images").empty());
    BrowserLocation loc(dir_, 8);
    ASSERT_TRUE(loc.fullFolder());
    EXPECT_TRUE(listFolder(*loc.fullFolder()).empty());
}

}  // namespace
}  // namespace tundrix
