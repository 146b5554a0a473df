#include "catalogue/datadir.h"

#include <system_error>

namespace tundrix {

namespace fs = std::filesystem;

fs::path defaultDataDir(const fs::path& executableDir) {
    // Every catalogue has its condenser list and its unit list folder.
    auto holdsCatalogue = [](const fs::path& dir) {
        std::error_code ec;
        return fs::is_regular_file(dir / "condensators.dat", ec) ||
               fs::is_directory(dir / "agrdata", ec);
    };
    for (const fs::path& dir :
         {executableDir, executableDir / "data", executableDir.parent_path() / "data"})
        if (holdsCatalogue(dir))
            return dir;
    return executableDir;
}

}  // namespace tundrix
