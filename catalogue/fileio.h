// File access for the catalogue: block reads into fixed buffers, atomic writes, and the
// resolution of the relative paths stored in the catalogue inside the data folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace tundrix {

// Why a file operation failed, for a message to the user: the common causes (no such file or
// folder, no permission, disk full, read-only file system, file in use, ...) in Russian words,
// the system's own (English) text only for the rare rest. Every file error the program shows
// goes through here.
std::string fileErrorReason(int errnum);
std::string fileErrorReason(const std::error_code& ec);

// Reads the file into the front of `buffer`, at most buffer.size() bytes; a shorter file fills
// only the front and the rest keeps its content. Returns false, leaving the buffer untouched,
// when the file does not exist or cannot be read, with the reason in `error`.
bool readFileInto(const std::filesystem::path& file, std::span<std::uint8_t> buffer,
                  std::string* error = nullptr);

// Reads a whole file (capped at `limit` bytes); nullopt when it does not exist or cannot be read.
std::optional<std::vector<std::uint8_t>> readWholeFile(const std::filesystem::path& file,
                                                       std::size_t limit = 64u << 20);

// Writes the file atomically: a temporary file of a name no other writer uses, in the same
// folder, renamed over the file once it is written and closed, so a failed write leaves the
// previous file whole and two writers of one file never share a temporary file. A replaced file
// keeps its permission bits (and, where the system allows, its owner). On failure returns false
// and says in `error` which step failed and why (fileErrorReason).
bool writeFileAtomic(const std::filesystem::path& file, std::span<const std::uint8_t> data,
                     std::string* error = nullptr);

// Resolves a relative path stored in the catalogue ("images\\a.jpg", "agrdata/x.dat") inside the
// data folder. Both separators are accepted. Absolute paths, drive letters and ".." components
// resolve to nothing: a path that would leave the data folder counts as a missing file.
std::optional<std::filesystem::path> resolveDataPath(const std::filesystem::path& dataDir,
                                                     std::string_view relative);

// True when the relative path resolves inside the data folder to an existing regular file.
bool dataFileExists(const std::filesystem::path& dataDir, std::string_view relative);

// A file's path with its inode, modification time and size: equal stamps mean an unchanged file;
// empty when the file cannot be read.
std::string fileStamp(const std::filesystem::path& file);

}  // namespace tundrix
