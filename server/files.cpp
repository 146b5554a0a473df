#include "server/files.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cctype>
#include <system_error>

namespace tundrix::server {

namespace fs = std::filesystem;

std::string contentType(const fs::path& file) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 12> types = {{
        {".html", "text/html; charset=utf-8"},
        {".htm", "text/html; charset=utf-8"},
        {".js", "text/javascript; charset=utf-8"},
        {".mjs", "text/javascript; charset=utf-8"},
        {".css", "text/css; charset=utf-8"},
        {".json", "application/json"},
        {".png", "image/png"},
        {".jpg", "image/jpeg"},
        {".jpeg", "image/jpeg"},
        {".svg", "image/svg+xml"},
        {".pdf", "application/pdf"},
        {".txt", "text/plain; charset=utf-8"},
    }};
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    for (const auto& [e, type] : types)
        if (ext == e)
            return std::string(type);
    return "application/octet-stream";
}

std::optional<fs::path> fileInside(const fs::path& folder, std::string_view relative) {
    if (relative.empty() || relative.front() == '/' ||
        relative.find_first_of(std::string_view("\\\0", 2)) != std::string_view::npos)
        return std::nullopt;
    fs::path path = folder;
    std::size_t start = 0;
    while (start <= relative.size()) {
        const std::size_t end = std::min(relative.find('/', start), relative.size());
        const std::string_view part = relative.substr(start, end - start);
        if (part.empty() || part == "." || part == "..")
            return std::nullopt;
        path /= fs::path(std::string(part));
        start = end + 1;
    }
    // Links are followed, but what they lead to must lie in the folder too.
    std::error_code ec;
    const fs::path base = fs::canonical(folder, ec);
    if (ec)
        return std::nullopt;
    const fs::path real = fs::canonical(path, ec);
    if (ec || !fs::is_regular_file(real, ec))
        return std::nullopt;
    const auto [b, r] = std::mismatch(base.begin(), base.end(), real.begin(), real.end());
    if (b != base.end() || r == real.end())
        return std::nullopt;
    return real;
}

std::optional<fs::path> catalogueFile(const fs::path& dataDir, std::string_view relative) {
    for (const std::string_view folder : {kPictureFolder, kDrawingFolder}) {
        if (relative.size() > folder.size() && relative.substr(0, folder.size()) == folder &&
            relative[folder.size()] == '/')
            return fileInside(dataDir / std::string(folder), relative.substr(folder.size() + 1));
    }
    return std::nullopt;
}

Json fileLink(const fs::path& dataDir, const std::string& stored) {
    std::string relative = stored;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    if (!catalogueFile(dataDir, relative))
        return nullptr;
    // Percent-encoded but for the separators and the characters that need none.
    std::string link = "/api/v1/files/";
    static constexpr char hex[] = "0123456789ABCDEF";
    for (const unsigned char c : relative) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            link += char(c);
        } else {
            link += '%';
            link += hex[c >> 4];
            link += hex[c & 15];
        }
    }
    return link;
}

}  // namespace tundrix::server
