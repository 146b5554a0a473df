// Where the programs find their data folder when none is given: the folder that holds the
// executable when the catalogue lies there, otherwise a "data" folder beside or one level above it
// (a build keeps its executables in bin/ and the generated sample catalogue in data/), otherwise
// the installed catalogue share/tundrix/data beside the bin/ folder of an installed program.
// And whether the maintenance tools may write into a data folder.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tundrix {

std::filesystem::path defaultDataDir(const std::filesystem::path& executableDir);

// Whether a folder holds a catalogue: its condenser list or its unit list folder.
bool holdsCatalogue(const std::filesystem::path& dir);

// What the desktop program says once at start on a folder without a catalogue (it then runs on
// an empty one): the folder, and how to choose another. Nothing when the folder holds one.
std::optional<std::string> missingCatalogueNotice(const std::filesystem::path& dataDir);

// Why the maintenance tools must not write into the catalogue in `dataDir`, or nothing when they
// may. The installed catalogue (a folder share/tundrix/data) belongs to the package, which would
// put its own files back on the next update, so it is refused even to a user who could write
// there; any other folder is refused when the user cannot write into it. The text names the
// folder and tells how to work on a copy; the tools check it before they write anything.
std::optional<std::string> catalogueWriteRefusal(const std::filesystem::path& dataDir);

}  // namespace tundrix
