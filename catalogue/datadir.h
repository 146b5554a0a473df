// Where the programs find their data folder when none is given: the folder that holds the
// executable when the catalogue lies there, otherwise a "data" folder beside or one level above it
// (a build keeps its executables in bin/ and the generated sample catalogue in data/), otherwise
// the installed catalogue share/tundrix/data beside the bin/ folder of an installed program.
#pragma once

#include <filesystem>

namespace tundrix {

std::filesystem::path defaultDataDir(const std::filesystem::path& executableDir);

}  // namespace tundrix
