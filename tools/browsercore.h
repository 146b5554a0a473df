// The data file browser's folder bookkeeping and listing: which data folder a grid column opens,
// going down into subfolders, the relative path a picked file is stored as, and the entries of a
// folder with their attribute letters.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tundrix {

// "TechnicalData\" (column 7), "Complect\" (8), "images\" (11), "Textfiles\" (23); empty for any
// other column.
std::string browserFolderForColumn(int column);

// `dir` and `name` with one separator between them, none added when `dir` already ends in one.
std::string joinPath(std::string_view dir, std::string_view name, char separator = '\\');

struct FileAttributes {
    bool archive = false;
    bool readOnly = false;
    bool hidden = false;
    bool system = false;
};

// "A", "R", "H", "S" in this order, each present when its attribute is set.
std::string fileAttributeLetters(const FileAttributes& a);

struct BrowserEntry {
    std::string name;  // UTF-8
    bool isDir = false;
    std::uintmax_t size = 0;
    std::optional<std::filesystem::file_time_type> modified;
    FileAttributes attributes;
};

// Every entry of the folder except "." and "..", sorted by name; empty for a folder that does not
// exist or cannot be read. This platform has no archive or system flags: a file without write
// permission is read-only, a name starting with "." hidden, anything that is neither a regular
// file nor a folder (device, socket, pipe) counts as a system entry.
std::vector<BrowserEntry> listFolder(const std::filesystem::path& folder);

// The six hidden values of a list entry: size, type name, last-write time, attribute letters,
// path (Edit1's text joined with the name) and "dir" or "file".
std::array<std::string, 6> browserSubValues(const BrowserEntry& entry, const std::string& typeName,
                                            const std::string& timeText,
                                            const std::string& edit1Text, char separator);

// Where the browser is: the relative folder (with "\" after every part) below the data folder.
class BrowserLocation {
public:
    BrowserLocation() = default;
    BrowserLocation(std::filesystem::path dataDir, int column);

    const std::string& relative() const { return relative_; }
    // The folder shown, inside the data folder; nullopt when the relative folder is not one.
    std::optional<std::filesystem::path> fullFolder() const;
    // The full folder as the browser shows it in Edit1 (native separators, ending in one).
    std::string displayFolder() const;

    void enter(std::string_view folderName);
    // The path stored for a picked file: relative folder + name, e.g. "TechnicalData\plan.pdf".
    std::string picked(std::string_view fileName) const {
        return relative_ + std::string(fileName);
    }

private:
    std::filesystem::path dataDir_;
    std::string relative_;
};

}  // namespace tundrix
