#include "tools/browsercore.h"

#include <algorithm>
#include <system_error>

#include "catalogue/fileio.h"

namespace fs = std::filesystem;

namespace tundrix {

std::string browserFolderForColumn(int column) {
    switch (column) {
        case 7:
            return "TechnicalData\\";
        case 8:
            return "Complect\\";
        case 11:
            return "images\\";
        case 23:
            return "Textfiles\\";
        default:
            return "";
    }
}

std::string joinPath(std::string_view dir, std::string_view name, char separator) {
    std::string path(dir);
    if (path.empty() || path.back() != separator)
        path += separator;
    path += name;
    return path;
}

std::string fileAttributeLetters(const FileAttributes& a) {
    std::string letters;
    if (a.archive)
        letters += 'A';
    if (a.readOnly)
        letters += 'R';
    if (a.hidden)
        letters += 'H';
    if (a.system)
        letters += 'S';
    return letters;
}

std::vector<BrowserEntry> listFolder(const fs::path& folder) {
    std::vector<BrowserEntry> entries;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return entries;
    for (const fs::directory_entry& de : it) {
        BrowserEntry e;
        e.name = reinterpret_cast<const char*>(de.path().filename().u8string().c_str());
        std::error_code ignored;
        const fs::file_status st = de.status(ignored);
        e.isDir = fs::is_directory(st);
        const bool regular = fs::is_regular_file(st);
        if (regular) {
            const auto size = de.file_size(ignored);
            e.size = ignored ? 0 : size;
        }
        const auto time = de.last_write_time(ignored);
        if (!ignored)
            e.modified = time;
        e.attributes.readOnly = (st.permissions() & fs::perms::owner_write) == fs::perms::none;
        e.attributes.hidden = !e.name.empty() && e.name.front() == '.';
        e.attributes.system = !regular && !e.isDir;
        entries.push_back(std::move(e));
    }
    std::sort(entries.begin(), entries.end(),
              [](const BrowserEntry& a, const BrowserEntry& b) { return a.name < b.name; });
    return entries;
}

std::array<std::string, 6> browserSubValues(const BrowserEntry& entry, const std::string& typeName,
                                            const std::string& timeText,
                                            const std::string& edit1Text, char separator) {
    return {std::to_string(entry.size),
            typeName,
            timeText,
            fileAttributeLetters(entry.attributes),
            joinPath(edit1Text, entry.name, separator),
            entry.isDir ? "dir" : "file"};
}

BrowserLocation::BrowserLocation(fs::path dataDir, int column)
    : dataDir_(std::move(dataDir)), relative_(browserFolderForColumn(column)) {}

std::optional<fs::path> BrowserLocation::fullFolder() const {
    return resolveDataPath(dataDir_, relative_);
}

std::string BrowserLocation::displayFolder() const {
    std::string rel = relative_;
    std::replace(rel.begin(), rel.end(), '\\', char(fs::path::preferred_separator));
    return joinPath(dataDir_.string(), rel, char(fs::path::preferred_separator));
}

void BrowserLocation::enter(std::string_view folderName) {
    relative_ += std::string(folderName) + "\\";
}

}  // namespace tundrix
