// The desktop program: creates every window once, in the fixed order the program relies on, and
// runs the event loop until the main window is closed.
//
//   tundrix [--data DIR] [--maintenance]
//
// --data DIR      the catalogue folder (default: found beside the executable, see
//                 defaultDataDir)
// --maintenance   shows the maintenance menu "Редактирование"
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <filesystem>

#include "app/windowset.h"
#include "catalogue/datadir.h"

namespace fs = std::filesystem;

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
        data =
            tundrix::defaultDataDir(fs::path(QApplication::applicationDirPath().toStdString()));

    // The windows in their creation order; all exist before the main window is first shown.
    const auto windows = tundrix::createWindows(data);
    windows->form1->setMaintenanceMode(maintenance);
    windows->form1->show();
    return QApplication::exec();
}
