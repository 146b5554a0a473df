#include "catalogue/datadir.h"

#include <system_error>

namespace tundrix {

namespace fs = std::filesystem;

fs::path defaultDataDir(const fs::path& executableDir) {
    // The condenser list is the one file every catalogue has.
    auto holdsCatalogue = [](const fs::path& dir) {
        std::error_code ec;
        return fs::is_regular_file(dir / "condensators.dat", ec);
    };
    for (const fs::path& dir : {executableDir, executableDir / "data", executableDir / ".." / "data"})
        if (holdsCatalogue(dir)) return dir.lexically_normal();
    return executableDir;
}

}  // namespace tundrix
