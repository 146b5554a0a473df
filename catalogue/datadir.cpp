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
    const fs::path up = executableDir.parent_path();
    for (const fs::path& dir :
         {executableDir, executableDir / "data", up / "data", up / "share" / "tundrix" / "data"})
        if (holdsCatalogue(dir))
            return dir;
    return executableDir;
}

}  // namespace tundrix
