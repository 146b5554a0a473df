// Which catalogue folders the maintenance tools may write into: never the installed catalogue,
// nor a folder the user cannot write into; the refusal names the folder and the way out.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "catalogue/datadir.h"
#include "tempfolder.h"

namespace tundrix {
namespace {

namespace fs = std::filesystem;

TEST(CatalogueWriteRefusal, TheInstalledCatalogueIsRefusedHoweverItIsNamed) {
    testing::TempFolder top;
    const fs::path installed = top / "usr/share/tundrix/data";
    fs::create_directories(installed);
    for (const fs::path& named :
         {installed, fs::path(installed.string() + "/"), installed / ".." / "data"}) {
        const auto refusal = catalogueWriteRefusal(named);
        ASSERT_TRUE(refusal) << named;
        EXPECT_NE(refusal->find(named.string()), std::string::npos) << *refusal;
        EXPECT_NE(refusal->find("--data"), std::string::npos) << *refusal;
    }
}

TEST(CatalogueWriteRefusal, AFolderOfTheUsersOwnIsWrittenWhateverItHolds) {
    testing::TempFolder top;
    fs::create_directories(top / "share/other/data");
    fs::create_directories(top / "tundrix/data");
    EXPECT_FALSE(catalogueWriteRefusal(top.path()));
    EXPECT_FALSE(catalogueWriteRefusal(top / "share/other/data"));
    EXPECT_FALSE(catalogueWriteRefusal(top / "tundrix/data"));
}

TEST(CatalogueWriteRefusal, AFolderWithoutWritePermissionIsRefused) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser may write into any folder";
    testing::TempFolder top;
    fs::permissions(top.path(), fs::perms::owner_write, fs::perm_options::remove);
    const auto refusal = catalogueWriteRefusal(top.path());
    fs::permissions(top.path(), fs::perms::owner_write, fs::perm_options::add);
    ASSERT_TRUE(refusal);
    EXPECT_NE(refusal->find(top.path().string()), std::string::npos) << *refusal;
}

}  // namespace
}  // namespace tundrix
