// File access for the catalogue: block reads into fixed buffers, atomic writes, and the
// resolution of the relative paths stored in the catalogue inside the data folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tundrix {

// Reads the file into the front of `buffer`, at most buffer.size() bytes; a shorter file fills
// only the front and the rest keeps its content. Returns false, leaving the buffer untouched,
// when the file does not exist or cannot be read.
bool readFileInto(const std::filesystem::path& file, std::span<std::uint8_t> buffer);

// Reads a whole file (capped at `limit` bytes); nullopt when it does not exist or cannot be read.
std::optional<std::vector<std::uint8_t>> readWholeFile(const std::filesystem::path& file,
                                                       std::size_t limit = 64u << 20);

// Writes the file atomically: a temporary file beside it, flushed, then renamed over it, so a
// failed write leaves the previous file whole. On failure returns false and says why in `error`.
bool writeFileAtomic(const std::filesystem::path& file, std::span<const std::uint8_t> data,
                     std::string* error = nullptr);

// Resolves a relative path stored in the catalogue ("images\\a.jpg", "agrdata/x.dat") inside the
// data folder. Both separators are accepted. Absolute paths, drive letters and ".." components
// resolve to nothing: a path that would leave the data folder counts as a missing file.
std::optional<std::filesystem::path> resolveDataPath(const std::filesystem::path& dataDir,
                                                     std::string_view relative);

// True when the relative path resolves inside the data folder to an existing regular file.
bool dataFileExists(const std::filesystem::path& dataDir, std::string_view relative);

}  // namespace tundrix
