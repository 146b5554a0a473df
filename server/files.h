// Files the service hands out: the catalogue's pictures and drawings, and the web page's files.
// A path from a request is taken only when it names a regular file inside its folder: "..",
// ".", absolute paths, backslashes, NUL bytes and links that lead out of the folder find
// nothing.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "calculation/jsontext.h"

namespace tundrix::server {

// The folders of the data folder whose files /api/v1/files/ serves: pictures and drawings.
inline constexpr std::string_view kPictureFolder = "images";
inline constexpr std::string_view kDrawingFolder = "TechnicalData";

// Content-Type by the file name's extension.
std::string contentType(const std::filesystem::path& file);

// The file `relative` ("/" between names) inside `folder`; none when it leaves the folder or
// is no regular file.
std::optional<std::filesystem::path> fileInside(const std::filesystem::path& folder,
                                                std::string_view relative);

// A picture or drawing of the catalogue: `relative` must start in one of their folders.
std::optional<std::filesystem::path> catalogueFile(const std::filesystem::path& dataDir,
                                                   std::string_view relative);

// The API's address of a picture or drawing the catalogue names ("images\\a.jpg"), or null when
// the file is not there to be served.
Json fileLink(const std::filesystem::path& dataDir, const std::string& stored);

}  // namespace tundrix::server
