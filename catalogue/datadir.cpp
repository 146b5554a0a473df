#include "catalogue/datadir.h"

#include <unistd.h>

#include <system_error>

namespace tundrix {

namespace fs = std::filesystem;

bool holdsCatalogue(const fs::path& dir) {
    // Every catalogue has its condenser list and its unit list folder.
    std::error_code ec;
    return fs::is_regular_file(dir / "condensators.dat", ec) ||
           fs::is_directory(dir / "agrdata", ec);
}

std::optional<std::string> missingCatalogueNotice(const fs::path& dataDir) {
    if (holdsCatalogue(dataDir))
        return std::nullopt;
    return "В папке " + dataDir.string() +
           " нет каталога: ни списка конденсаторов condensators.dat, ни папки agrdata со "
           "списками агрегатов. Программа работает, но подбирать ей не из чего.\n"
           "Другую папку каталога укажите при запуске:\n"
           "tundrix --data ПАПКА";
}

fs::path defaultDataDir(const fs::path& executableDir) {
    const fs::path up = executableDir.parent_path();
    for (const fs::path& dir :
         {executableDir, executableDir / "data", up / "data", up / "share" / "tundrix" / "data"})
        if (holdsCatalogue(dir))
            return dir;
    return executableDir;
}

namespace {

bool isInstalledCatalogue(const fs::path& dataDir) {
    std::error_code ec;
    fs::path dir = fs::weakly_canonical(fs::absolute(dataDir, ec), ec);
    if (dir.filename().empty())
        dir = dir.parent_path();  // a trailing separator
    return dir.filename() == "data" && dir.parent_path().filename() == "tundrix" &&
           dir.parent_path().parent_path().filename() == "share";
}

}  // namespace

std::optional<std::string> catalogueWriteRefusal(const fs::path& dataDir) {
    const std::string folder = dataDir.string();
    const std::string copy =
        "Чтобы изменять каталог, скопируйте его в свою папку и запустите "
        "программу с ключом --data, например:\n"
        "cp -r " +
        folder +
        " ~/tundrix-data\n"
        "tundrix --maintenance --data ~/tundrix-data";
    if (isInstalledCatalogue(dataDir))
        return "Каталог в папке " + folder +
               " установлен вместе с программой и открыт только для чтения; ничего не "
               "записано.\n" +
               copy;
    // A missing folder is left to the write itself, which names what is missing.
    std::error_code ec;
    if (fs::is_directory(dataDir, ec) && ::access(dataDir.c_str(), W_OK) != 0)
        return "В папку каталога " + folder +
               " нельзя записывать (нет прав на запись); ничего не записано.\n" + copy;
    return std::nullopt;
}

}  // namespace tundrix
