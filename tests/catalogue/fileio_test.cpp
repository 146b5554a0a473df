// Reading and writing catalogue files: the atomic writer's temporary files, the permissions it
// keeps, what a failed write leaves behind, and the Russian reasons the user reads.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "catalogue/fileio.h"
#include "filelimit.h"
#include "tempfolder.h"

// The next close() of a temporary file of the writer fails with EIO (after really closing it),
// as a network file system may report a write only when the file is closed. Defined in the test
// program, this close() is the one the writer's call reaches.
namespace {
bool failNextTemporaryClose = false;
}

extern "C" int close(int fd) {
    using Close = int (*)(int);
    static const auto real = reinterpret_cast<Close>(::dlsym(RTLD_NEXT, "close"));
    bool fail = false;
    if (failNextTemporaryClose) {
        char target[4096] = {};
        const std::string link = "/proc/self/fd/" + std::to_string(fd);
        const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
        fail = n > 4 && std::string(target, std::size_t(n)).ends_with(".tmp");
    }
    const int result = real(fd);
    if (!fail)
        return result;
    failNextTemporaryClose = false;
    errno = EIO;
    return -1;
}

namespace tundrix {
namespace {

namespace fs = std::filesystem;
using testing::FileSizeLimit;
using testing::TempFolder;

std::vector<std::uint8_t> bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Everything in the folder but the given file: temporary files left behind.
std::vector<std::string> othersThan(const fs::path& dir, const std::string& name) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.path().filename() != name && e.path().filename() != "agrdata")
            out.push_back(e.path().filename().string());
    return out;
}

TEST(FileErrorReason, CommonCausesInRussianTheRestInTheSystemsWords) {
    EXPECT_EQ(fileErrorReason(ENOENT), "нет такого файла или папки");
    EXPECT_EQ(fileErrorReason(EACCES), "нет прав доступа");
    EXPECT_EQ(fileErrorReason(EPERM), "нет прав доступа");
    EXPECT_EQ(fileErrorReason(EROFS), "файловая система доступна только для чтения");
    EXPECT_EQ(fileErrorReason(ENOSPC), "на диске нет места");
    EXPECT_EQ(fileErrorReason(EBUSY), "файл занят другой программой");
    EXPECT_EQ(fileErrorReason(ETXTBSY), "файл занят другой программой");
    EXPECT_EQ(fileErrorReason(std::make_error_code(std::errc::read_only_file_system)),
              "файловая система доступна только для чтения");
    const std::string rare = fileErrorReason(ENOTSOCK);
    EXPECT_NE(rare.find(std::strerror(ENOTSOCK)), std::string::npos) << rare;
}

TEST(ReadFile, AFailedReadSaysWhyInRussian) {
    TempFolder dir;
    std::vector<std::uint8_t> buffer(8, 7);
    std::string error;
    EXPECT_FALSE(readFileInto(dir / "absent.dat", buffer, &error));
    EXPECT_NE(error.find("absent.dat: нет такого файла или папки"), std::string::npos) << error;
    EXPECT_FALSE(readFileInto(dir / "agrdata", buffer, &error));
    EXPECT_NE(error.find("это папка, а не файл"), std::string::npos) << error;
    EXPECT_EQ(buffer, std::vector<std::uint8_t>(8, 7));
}

TEST(AtomicWrite, AnotherWritersTemporaryFileIsLeftAloneAndNoneIsLeftBehind) {
    TempFolder dir;
    const fs::path file = dir / "list.dat";
    // A second program instance in the middle of writing the same file.
    std::ofstream(dir / "list.dat.tmp") << "the other writer's half";
    ASSERT_TRUE(writeFileAtomic(file, bytes("first")));
    ASSERT_TRUE(writeFileAtomic(file, bytes("second")));
    EXPECT_EQ(contents(file), "second");
    EXPECT_EQ(contents(dir / "list.dat.tmp"), "the other writer's half");
    EXPECT_EQ(othersThan(dir.path(), "list.dat"), std::vector<std::string>{"list.dat.tmp"});
}

TEST(AtomicWrite, TheReplacedFileKeepsItsPermissions) {
    TempFolder dir;
    const fs::path file = dir / "prices.dat";
    ASSERT_TRUE(writeFileAtomic(file, bytes("old")));
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(writeFileAtomic(file, bytes("new")));
    EXPECT_EQ(contents(file), "new");
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // A new file gets what any new file gets: 0666 less the umask.
    const mode_t mask = ::umask(022);
    ASSERT_TRUE(writeFileAtomic(dir / "new.dat", bytes("x")));
    ::umask(mask);
    EXPECT_EQ(fs::status(dir / "new.dat").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);
}

TEST(AtomicWrite, AFailedWriteLeavesTheOldFileWholeAndSaysWhy) {
    TempFolder dir;
    const fs::path file = dir / "bock.dat";
    ASSERT_TRUE(writeFileAtomic(file, bytes("the old file")));
    std::string error;
    {
        const FileSizeLimit limit(4);
        EXPECT_FALSE(writeFileAtomic(file, bytes("a longer new file"), &error));
    }
    EXPECT_EQ(error, "не удалось записать " + file.string() + ": файл слишком велик");
    EXPECT_EQ(contents(file), "the old file");
    EXPECT_TRUE(othersThan(dir.path(), "bock.dat").empty());

    EXPECT_FALSE(writeFileAtomic(dir / "no" / "folder.dat", bytes("x"), &error));
    EXPECT_NE(error.find("нет такого файла или папки"), std::string::npos) << error;
}

TEST(AtomicWrite, AWriteThatFailsOnlyOnClosingGivesTheReasonOfTheClose) {
    TempFolder dir;
    const fs::path file = dir / "mashine1.dat";
    ASSERT_TRUE(writeFileAtomic(file, bytes("old")));
    std::string error;
    failNextTemporaryClose = true;
    EXPECT_FALSE(writeFileAtomic(file, bytes("new"), &error));
    EXPECT_FALSE(failNextTemporaryClose) << "the writer closed no temporary file";
    failNextTemporaryClose = false;
    EXPECT_EQ(error, "не удалось записать " + file.string() + ": ошибка ввода-вывода");
    EXPECT_EQ(contents(file), "old");
    EXPECT_TRUE(othersThan(dir.path(), "mashine1.dat").empty());
}

}  // namespace
}  // namespace tundrix
