// Grabs pictures of the windows for the documentation: a selection on the condensing-unit tab
// (its list, drawing, picture and technical data, the seasonal figures), selections for R290 and
// R448A, the chiller tab, the calculator on the description tab and the maintenance tools'
// refrigerant choices.
//
//   tundrix-screenshots --data DIR --out DIR
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>
#include <filesystem>

#include "app/windowset.h"
#include "mainwindow/seasonalwindow.h"

namespace {

bool save(QWidget* w, const QString& file) {
    // The drawing view renders its pages in the background; give it a moment.
    QEventLoop wait;
    QTimer::singleShot(1500, &wait, &QEventLoop::quit);
    wait.exec();
    const bool ok = w->grab().save(file);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(file));
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tundrix"));
    QString data, out;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QStringLiteral("--data"))
            data = args[i + 1];
        else if (args[i] == QStringLiteral("--out"))
            out = args[i + 1];
    }
    if (data.isEmpty() || out.isEmpty()) {
        std::fprintf(stderr, "usage: tundrix-screenshots --data DIR --out DIR\n");
        return 2;
    }
    std::filesystem::create_directories(out.toStdString());

    const auto windows = tundrix::createWindows(std::filesystem::path(data.toStdString()));
    tundrix::MainWindow& w = *windows->form1;
    w.resize(1280, 800);
    w.show();
    QApplication::processEvents();

    bool ok = true;
    auto* pages = w.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    w.findChild<QPushButton*>(QStringLiteral("interpxy"))->click();
    ok &= save(&w, out + QStringLiteral("/calculator.png"));

    pages->setCurrentIndex(tundrix::MainWindow::Condensing);
    w.findChild<QLineEdit*>(QStringLiteral("Edit11"))->setText(QStringLiteral("10"));
    w.findChild<QPushButton*>(QStringLiteral("Button8"))->click();
    ok &= save(&w, out + QStringLiteral("/condensing-units.png"));

    // The seasonal figures of a middle-temperature unit under the cursor.
    tundrix::UnitTab& condensing = w.unitTab(tundrix::MainWindow::Condensing);
    w.findChild<QComboBox*>(QStringLiteral("ComboBox6"))->setCurrentIndex(2);
    condensing.podbor->click();
    condensing.seasonal->click();
    ok &= save(windows->seasonal.get(), out + QStringLiteral("/seasonal.png"));
    windows->seasonal->hide();
    w.findChild<QComboBox*>(QStringLiteral("ComboBox6"))->setCurrentIndex(1);
    w.findChild<QLineEdit*>(QStringLiteral("evaporate"))->setText(QStringLiteral("-25"));
    condensing.podbor->click();

    auto* details = w.findChild<QTabWidget*>(QStringLiteral("PageControl2"));
    details->setCurrentIndex(1);
    ok &= save(&w, out + QStringLiteral("/condensing-unit-drawing.png"));
    details->setCurrentIndex(3);
    ok &= save(&w, out + QStringLiteral("/condensing-unit-picture.png"));
    details->setCurrentIndex(4);
    ok &= save(&w, out + QStringLiteral("/condensing-unit-technical-data.png"));
    details->setCurrentIndex(0);

    // A refrigerant of today, with its safety class and GWP beside the selector.
    w.findChild<QComboBox*>(QStringLiteral("ComboBox8"))->setCurrentIndex(5);
    w.findChild<QComboBox*>(QStringLiteral("ComboBox6"))->setCurrentIndex(2);
    w.findChild<QPushButton*>(QStringLiteral("Button8"))->click();
    ok &= save(&w, out + QStringLiteral("/condensing-units-r290.png"));

    // A blend of the mixture model, rated by its dew and bubble temperatures.
    w.findChild<QComboBox*>(QStringLiteral("ComboBox8"))->setCurrentIndex(9);
    w.findChild<QComboBox*>(QStringLiteral("ComboBox6"))->setCurrentIndex(1);
    w.findChild<QLineEdit*>(QStringLiteral("evaporate"))->setText(QStringLiteral("-35"));
    w.findChild<QPushButton*>(QStringLiteral("Button8"))->click();
    ok &= save(&w, out + QStringLiteral("/condensing-units-r448a.png"));
    w.findChild<QLineEdit*>(QStringLiteral("evaporate"))->setText(QStringLiteral("-25"));

    pages->setCurrentIndex(tundrix::MainWindow::Chiller);
    ok &= save(&w, out + QStringLiteral("/chillers.png"));

    // The maintenance tools' refrigerant choices, every refrigerant of the table.
    windows->form2->show();
    ok &= save(windows->form2.get(), out + QStringLiteral("/unit-list-editor.png"));
    windows->form3->show();
    ok &= save(windows->form3.get(), out + QStringLiteral("/table-builder.png"));
    return ok ? 0 : 1;
}
