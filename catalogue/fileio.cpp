#include "catalogue/fileio.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

namespace tundrix {

namespace fs = std::filesystem;

std::string fileErrorReason(int errnum) {
    switch (errnum) {
        case ENOENT:
            return "нет такого файла или папки";
        case EACCES:
        case EPERM:
            return "нет прав доступа";
        case EROFS:
            return "файловая система доступна только для чтения";
        case ENOSPC:
            return "на диске нет места";
        case EDQUOT:
            return "превышена дисковая квота";
        case EBUSY:
        case ETXTBSY:
            return "файл занят другой программой";
        case EISDIR:
            return "это папка, а не файл";
        case ENOTDIR:
            return "часть пути не является папкой";
        case ENAMETOOLONG:
            return "слишком длинное имя файла";
        case EFBIG:
            return "файл слишком велик";
        case EIO:
            return "ошибка ввода-вывода";
        case EMFILE:
        case ENFILE:
            return "открыто слишком много файлов";
        case ELOOP:
            return "слишком много символических ссылок в пути";
        default:
            return "системная ошибка " + std::to_string(errnum) + " (" + std::strerror(errnum) +
                   ")";
    }
}

std::string fileErrorReason(const std::error_code& ec) {
    if (ec.category() == std::generic_category() || ec.category() == std::system_category())
        return fileErrorReason(ec.value());
    return ec.message();
}

bool readFileInto(const fs::path& file, std::span<std::uint8_t> buffer, std::string* error) {
    auto fail = [&](int err) {
        if (error)
            *error = "не удалось прочитать " + file.string() + ": " + fileErrorReason(err);
        return false;
    };
    // Non-blocking, so that a FIFO in the file's place fails below instead of waiting.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return fail(errno);
    struct stat st {};
    const int statError = ::fstat(fd, &st) == 0 ? 0 : errno;
    if (statError != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return fail(statError != 0 ? statError : S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
    }
    // Read into a scratch copy first so that a read error leaves the buffer as it was.
    std::vector<std::uint8_t> data(buffer.size());
    std::size_t got = 0;
    while (got < data.size()) {
        const ssize_t n = ::read(fd, data.data() + got, data.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            return fail(err);
        }
        if (n == 0)
            break;
        got += std::size_t(n);
    }
    ::close(fd);
    std::copy_n(data.begin(), got, buffer.begin());
    return true;
}

std::optional<std::vector<std::uint8_t>> readWholeFile(const fs::path& file, std::size_t limit) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::uint8_t> out;
    char chunk[65536];
    while (out.size() < limit) {
        in.read(chunk, static_cast<std::streamsize>(std::min(sizeof chunk, limit - out.size())));
        const auto got = static_cast<std::size_t>(in.gcount());
        out.insert(out.end(), chunk, chunk + got);
        if (got == 0 || !in)
            break;
    }
    if (in.bad())
        return std::nullopt;
    return out;
}

namespace {

// Creates a temporary file beside `file` under a name no other writer has: the process id and a
// counter, and O_EXCL against leftovers and other hosts sharing the folder. New files get the
// usual permissions (0666 less the umask). Returns the descriptor, or -1 with errno set.
int createTemporary(const fs::path& file, fs::path& tmp) {
    static std::atomic<unsigned> serial{0};
    const std::string stem = "." + file.filename().string() + "." + std::to_string(::getpid());
    for (int attempt = 0; attempt < 100; ++attempt) {
        tmp = file.parent_path() / (stem + "-" + std::to_string(serial++) + ".tmp");
        const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, std::span<const std::uint8_t> data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        done += std::size_t(n);
    }
    return true;
}

}  // namespace

bool writeFileAtomic(const fs::path& file, std::span<const std::uint8_t> data, std::string* error) {
    // Each step takes the error number of its own call: a later step never reports the reason
    // of an earlier one.
    auto fail = [&](const std::string& what, int err) {
        if (error)
            *error = what + ": " + fileErrorReason(err);
        return false;
    };
    fs::path tmp;
    const int fd = createTemporary(file, tmp);
    if (fd < 0)
        return fail("не удалось создать временный файл рядом с " + file.string(), errno);
    auto discard = [&](const std::string& what, int err) {
        ::unlink(tmp.c_str());
        return fail(what, err);
    };
    struct stat old {};
    if (::stat(file.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        // The replaced file's owner where allowed (root editing a maintainer's file), and its
        // permission bits always: the temporary file is ours, so fchmod cannot be refused.
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
            ::fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Not allowed: the file becomes the writer's, as any file it creates would.
        }
        if (::fchmod(fd, old.st_mode & 07777) != 0) {
            const int err = errno;
            ::close(fd);
            return discard("не удалось перенести права доступа на " + file.string(), err);
        }
    }
    if (!writeAll(fd, data)) {
        const int err = errno;
        ::close(fd);
        return discard("не удалось записать " + file.string(), err);
    }
    // A write may only fail when the file is closed (network file systems, quotas).
    if (::close(fd) != 0)
        return discard("не удалось записать " + file.string(), errno);
    if (::rename(tmp.c_str(), file.c_str()) != 0)
        return discard("не удалось заменить " + file.string(), errno);
    return true;
}

std::optional<fs::path> resolveDataPath(const fs::path& dataDir, std::string_view relative) {
    if (relative.empty())
        return std::nullopt;
    std::string rel(relative);
    for (char& c : rel)
        if (c == '\\')
            c = '/';
    if (rel.front() == '/' || (rel.size() > 1 && rel[1] == ':'))
        return std::nullopt;
    fs::path result = dataDir;
    std::size_t start = 0;
    while (start <= rel.size()) {
        const std::size_t end = std::min(rel.find('/', start), rel.size());
        const std::string part = rel.substr(start, end - start);
        if (part == "..")
            return std::nullopt;
        if (!part.empty() && part != ".")
            result /= part;
        start = end + 1;
    }
    return result;
}

bool dataFileExists(const fs::path& dataDir, std::string_view relative) {
    const auto p = resolveDataPath(dataDir, relative);
    std::error_code ec;
    return p && fs::is_regular_file(*p, ec);
}

std::string fileStamp(const fs::path& file) {
    // The inode tells a file replaced by a rename (as every writer of the program replaces its
    // files), the nanoseconds a rewrite in place within the same second.
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0)
        return {};
    return file.string() + '|' + std::to_string(std::uint64_t(st.st_ino)) + '|' +
           std::to_string(std::int64_t(st.st_mtim.tv_sec)) + '.' +
           std::to_string(std::int64_t(st.st_mtim.tv_nsec)) + '|' +
           std::to_string(std::int64_t(st.st_size));
}

}  // namespace tundrix
