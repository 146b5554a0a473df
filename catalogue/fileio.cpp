#include "catalogue/fileio.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

namespace tundrix {

namespace fs = std::filesystem;

bool readFileInto(const fs::path& file, std::span<std::uint8_t> buffer) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return false;
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    // Read into a scratch copy first so that a read error leaves the buffer as it was.
    std::vector<char> data(buffer.size());
    in.read(data.data(), static_cast<std::streamsize>(data.size()));
    const auto got = static_cast<std::size_t>(in.gcount());
    if (in.bad()) return false;
    std::copy(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(got), buffer.begin());
    return true;
}

std::optional<std::vector<std::uint8_t>> readWholeFile(const fs::path& file, std::size_t limit) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> out;
    char chunk[65536];
    while (out.size() < limit) {
        in.read(chunk, static_cast<std::streamsize>(std::min(sizeof chunk, limit - out.size())));
        const auto got = static_cast<std::size_t>(in.gcount());
        out.insert(out.end(), chunk, chunk + got);
        if (got == 0 || !in) break;
    }
    if (in.bad()) return std::nullopt;
    return out;
}

bool writeFileAtomic(const fs::path& file, std::span<const std::uint8_t> data,
                     std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    fs::path tmp = file;
    tmp += ".tmp";
    {
        std::FILE* f = std::fopen(tmp.c_str(), "wb");
        if (!f) return fail("cannot create " + tmp.string() + ": " + std::strerror(errno));
        const bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size() &&
                        std::fflush(f) == 0;
        const int err = errno;
        if (std::fclose(f) != 0 || !ok) {
            std::error_code ec;
            fs::remove(tmp, ec);
            return fail("cannot write " + file.string() + ": " + std::strerror(err));
        }
    }
    std::error_code ec;
    fs::rename(tmp, file, ec);
    if (ec) {
        fs::remove(tmp, ec);
        return fail("cannot replace " + file.string() + ": " + ec.message());
    }
    return true;
}

std::optional<fs::path> resolveDataPath(const fs::path& dataDir, std::string_view relative) {
    if (relative.empty()) return std::nullopt;
    std::string rel(relative);
    for (char& c : rel)
        if (c == '\\') c = '/';
    if (rel.front() == '/' || (rel.size() > 1 && rel[1] == ':')) return std::nullopt;
    fs::path result = dataDir;
    std::size_t start = 0;
    while (start <= rel.size()) {
        const std::size_t end = std::min(rel.find('/', start), rel.size());
        const std::string part = rel.substr(start, end - start);
        if (part == "..") return std::nullopt;
        if (!part.empty() && part != ".") result /= part;
        start = end + 1;
    }
    return result;
}

bool dataFileExists(const fs::path& dataDir, std::string_view relative) {
    const auto p = resolveDataPath(dataDir, relative);
    std::error_code ec;
    return p && fs::is_regular_file(*p, ec);
}

}  // namespace tundrix
