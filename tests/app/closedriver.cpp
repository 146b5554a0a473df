// Loaded into the unchanged desktop program by the closing test (LD_PRELOAD), so that the test
// can use the program as a user does without the program taking any test switch: once the
// program's event loop runs, it opens the windows listed in TUNDRIX_DRIVE_OPEN, then closes the
// main window the way TUNDRIX_DRIVE_CLOSE names ("button", "menu" or "window"), saying on
// standard error what it did and which windows were open.
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

namespace {

void say(const QString& text) {
    std::fprintf(stderr, "driver: %s\n", qPrintable(text));
    std::fflush(stderr);
}

[[noreturn]] void giveUp(const QString& why) {
    say(QStringLiteral("failed: ") + why);
    std::_Exit(3);
}

QWidget* window(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name))
            return w;
    giveUp(QStringLiteral("no window ") + QLatin1String(name));
}

template <typename T>
T* control(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(QLatin1String(name));
    if (!c)
        giveUp(QStringLiteral("no control ") + QLatin1String(name));
    return c;
}

QStringList openWindows() {
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && !w->objectName().isEmpty())
            names << w->objectName();
    names.sort();
    return names;
}

// A window opened with nothing to show yet may say so in a message box; the driver answers it
// as a user would and goes on.
void answerMessages() {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            say(QStringLiteral("message: ") + box->text().simplified());
            box->accept();
        }
    });
    timer->start(50);
}

void drive() {
    answerMessages();
    QWidget* main = window("TForm1");
    if (!main->isVisible())
        giveUp(QStringLiteral("the main window is not shown"));
    const QStringList open =
        qEnvironmentVariable("TUNDRIX_DRIVE_OPEN").split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& what : open) {
        if (what == QLatin1String("chiller")) {
            control<QTabWidget>(main, "PageControl1")->setCurrentIndex(4);  // the dialog shows
        } else if (what == QLatin1String("basket")) {
            control<QPushButton>(main, "Button19")->click();
        } else if (what == QLatin1String("options")) {
            control<QTabWidget>(main, "PageControl1")->setCurrentIndex(1);
            control<QPushButton>(main, "Button35")->click();
        } else if (what == QLatin1String("editor")) {
            control<QAction>(main, "MenuUnitList")->trigger();
        } else if (what == QLatin1String("builder")) {
            control<QAction>(main, "MenuPolynomial")->trigger();
        } else if (what == QLatin1String("techdata")) {
            // A double click on the editor's technical-data column opens that window.
            emit control<QTableWidget>(window("TForm2"), "StringGrid1")->cellDoubleClicked(0, 9);
        } else {
            giveUp(QStringLiteral("unknown window ") + what);
        }
        QApplication::processEvents();
    }
    say(QStringLiteral("open: ") + openWindows().join(QLatin1Char(' ')));
    const QString how = qEnvironmentVariable("TUNDRIX_DRIVE_CLOSE");
    if (how == QLatin1String("button"))
        control<QPushButton>(main, "Button2")->click();
    else if (how == QLatin1String("menu"))
        control<QAction>(main, "MenuExit")->trigger();
    else if (how == QLatin1String("window"))
        main->windowHandle()->close();  // what the window manager's close button does
    else
        giveUp(QStringLiteral("unknown way to close: ") + how);
    say(QStringLiteral("closed the main window by ") + how);
}

// Runs while QApplication is being constructed: the drive waits for the first turn of the
// program's event loop, when its windows exist and the main window is shown.
void start() {
    QTimer::singleShot(0, drive);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(start)
