// The desktop program: creates every window once, in the fixed order the program relies on, and
// runs the event loop until the main window is closed.
//
//   tundrix [--data DIR] [--maintenance]
//
// --data DIR      the catalogue folder (default: found beside the executable, see dataFolder)
// --maintenance   shows the maintenance menu "Редактирование"
#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

#include <cstdio>
#include <filesystem>

#include "app/windowset.h"

namespace {

namespace fs = std::filesystem;

bool looksLikeCatalogue(const fs::path& dir) {
    std::error_code ec;
    return fs::exists(dir / "condensators.dat", ec) || fs::is_directory(dir / "agrdata", ec);
}

// The catalogue folder: the executable's own folder when the catalogue lies there, else a
// "data" folder beside it, else the "data" folder one level up (build/bin next to build/data).
fs::path dataFolder(const fs::path& exeDir) {
    for (const fs::path& candidate : {exeDir, exeDir / "data", exeDir.parent_path() / "data"})
        if (looksLikeCatalogue(candidate))
            return candidate;
    return exeDir;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tundrix"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tundrix"));

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
        } else if (args[i] == QStringLiteral("--help") || args[i] == QStringLiteral("-h")) {
            std::printf("usage: tundrix [--data DIR] [--maintenance]\n");
            return 0;
        } else {
            std::fprintf(stderr, "tundrix: unknown argument %s\n", qPrintable(args[i]));
            return 2;
        }
    }
    if (data.empty())
        data = dataFolder(fs::path(QApplication::applicationDirPath().toStdString()));

    // The windows in their creation order; all exist before the main window is first shown.
    const auto windows = tundrix::createWindows(data);
    windows->form1->setMaintenanceMode(maintenance);
    windows->form1->show();
    return QApplication::exec();
}
