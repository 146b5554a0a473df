// The desktop program: creates every window once, in the fixed order the program relies on, and
// runs the event loop until the main window is closed (whatever other windows are open then).
//
//   tundrix [--data DIR] [--maintenance]
//
// --data DIR      the catalogue folder (default: found beside the executable, see
//                 defaultDataDir)
// --maintenance   shows the maintenance menu "Редактирование"
// --help          prints the usage; it works without a display, so it is read before Qt starts
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <filesystem>
#include <string_view>

#include "app/windowset.h"
#include "catalogue/datadir.h"

namespace fs = std::filesystem;

namespace {

const char* const kUsage =
    "usage: tundrix [--data DIR] [--maintenance]\n"
    "\n"
    "Selects refrigeration units (condensing units, compressor-receiver units, racks,\n"
    "chillers) from a manufacturer's catalogue. The windows are in Russian.\n"
    "\n"
    "options:\n"
    "  --data DIR      the catalogue folder. Without it the first of these that holds a\n"
    "                  catalogue: the program's folder, data/ beside it, ../data,\n"
    "                  ../share/tundrix/data (the installed catalogue, read-only)\n"
    "  --maintenance   shows the maintenance menu \"Редактирование\" (its tools write into\n"
    "                  the catalogue folder)\n"
    "  --help, -h      prints this text\n";

bool asksForHelp(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--data")
            ++i;  // its value, whatever it reads
        else if (a == "--help" || a == "-h")
            return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (asksForHelp(argc, argv)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tundrix"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tundrix"));
    // Desktops that match windows to their menu entry by it (Wayland) find the entry's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tundrix.Tundrix"));

    QTranslator qtbase;
    if (qtbase.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtbase);

    fs::path data;
    bool maintenance = false;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--data") && i + 1 < args.size()) {
            data = fs::path(args[++i].toStdString());
        } else if (args[i] == QStringLiteral("--maintenance")) {
            maintenance = true;
        } else {
            std::fprintf(stderr, "tundrix: unknown argument %s\n", qPrintable(args[i]));
            return 2;
        }
    }
    if (data.empty())
        data =
            tundrix::defaultDataDir(fs::path(QApplication::applicationDirPath().toStdString()));

    // The windows in their creation order; all exist before the main window is first shown.
    const auto windows = tundrix::createWindows(data);
    tundrix::showMainWindow(*windows, maintenance);
    return QApplication::exec();
}
