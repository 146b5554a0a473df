// The maintenance tools as the program wires them: the hidden menu "Редактирование", shown with
// the maintenance switch, opens the unit list editor with the calculator's tab in front, and the
// editor's double clicks reach the data file browser and the technical-data window.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

#include <filesystem>

#include "app/windowset.h"
#include "qtestmain.h"
#include "tools/unitlisteditor.h"

namespace fs = std::filesystem;
using namespace tundrix;

class MaintenanceMenuTest : public QObject {
    Q_OBJECT

private:
    static void doubleClick(QTableWidget* g, int row, int col) {
        if (!g->item(row, col))
            g->setItem(row, col, new QTableWidgetItem);
        g->setCurrentCell(row, col);
        g->scrollToItem(g->item(row, col));
        const QPoint at = g->visualItemRect(g->item(row, col)).center();
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, at);
        QApplication::processEvents();
    }

private slots:
    void initTestCase() {
        if (!fs::exists(fs::path(TUNDRIX_SAMPLE_DATA) / "condensators.dat"))
            QFAIL("the sample catalogue has not been generated");
    }

    void menuIsHiddenUnlessMaintaining() {
        const auto w = createWindows(TUNDRIX_SAMPLE_DATA);
        QAction* menu = w->form1->findChild<QMenu*>(QStringLiteral("MenuEditing"))->menuAction();
        QVERIFY(!menu->isVisible());
        w->form1->setMaintenanceMode(true);
        QVERIFY(menu->isVisible());
    }

    void menuOpensTheEditorAndItsHelpers() {
        const auto w = createWindows(TUNDRIX_SAMPLE_DATA);
        w->form1->setMaintenanceMode(true);
        w->form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(w->form1.get()));
        auto* pages = w->form1->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
        pages->setCurrentIndex(MainWindow::Condensing);
        QApplication::processEvents();

        w->form1->findChild<QAction*>(QStringLiteral("MenuUnitList"))->trigger();
        QApplication::processEvents();
        QVERIFY(w->form2->isVisible());
        QCOMPARE(w->form2->objectName(), QStringLiteral("TForm2"));
        QCOMPARE(pages->currentIndex(), int(MainWindow::Description));

        auto* editor = qobject_cast<UnitListEditor*>(w->form2.get());
        QVERIFY(editor);
        QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("Button3")),
                          Qt::LeftButton);
        auto* grid = editor->findChild<QTableWidget*>(QStringLiteral("StringGrid1"));
        doubleClick(grid, 0, 8);
        QVERIFY(w->form4->isVisible());
        w->form4->close();
        doubleClick(grid, 0, 9);
        QVERIFY(w->form5->isVisible());
        QCOMPARE(w->form5->objectName(), QStringLiteral("TForm5"));

        w->form1->findChild<QAction*>(QStringLiteral("MenuPolynomial"))->trigger();
        QApplication::processEvents();
        QVERIFY(w->form3->isVisible());
    }
};

TUNDRIX_QTEST_MAIN(MaintenanceMenuTest)
#include "maintenancemenu_qtest.moc"
