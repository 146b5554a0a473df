// The main window as the user finds it at start and as the common inputs react to tab, level and
// brand changes. Runs on an empty catalogue folder: none of this needs catalogue data.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

#include "qtestmain.h"
#include "widgets/widgetstyle.h"
#include "windowfixture.h"

using namespace tundrix;
using namespace tundrix::testing;

class StartupTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir empty_;
    std::unique_ptr<MainWindow> w_;

    QLineEdit* edit(const char* name) { return child<QLineEdit>(w_.get(), name); }
    QTabWidget* pages() { return child<QTabWidget>(w_.get(), "PageControl1"); }

private slots:
    void init() {
        w_ = std::make_unique<MainWindow>(std::filesystem::path(empty_.path().toStdString()));
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
        w_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
    }
    void cleanup() { w_.reset(); }

    void startsOnTheDescriptionTabWithTheDefaults() {
        QCOMPARE(w_->windowTitle(), QStringLiteral("Подбор агрегатов"));
        QCOMPARE(w_->objectName(), QStringLiteral("TForm1"));
        QCOMPARE(pages()->currentIndex(), 0);
        QCOMPARE(pages()->count(), 5);
        const QStringList captions = {QStringLiteral("Описание программы"),
                                      QStringLiteral("Компрессорно-конденсаторные агрегаты"),
                                      QStringLiteral("Компрессорно-ресиверные"),
                                      QStringLiteral("Многокомпрессорные"),
                                      QStringLiteral("Водоохлаждающие")};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(pages()->tabText(i), captions[i]);
        QCOMPARE(child<QComboBox>(w_.get(), "ComboBox8")->currentText(),
                 QStringLiteral("R404A/R507"));
        QCOMPARE(checkedItems(child<QListWidget>(w_.get(), "CheckListBox1")),
                 QStringList{QStringLiteral("Bock")});
        QCOMPARE(checkedItems(child<QListWidget>(w_.get(), "CheckListBox2")).size(), 4);
        QCOMPARE(child<QComboBox>(w_.get(), "ComboBox6")->currentText(),
                 QStringLiteral("Низкотемпературное"));
        QCOMPARE(edit("evaporate")->text(), QStringLiteral("-25"));
        QCOMPARE(edit("condensate")->text(), QStringLiteral("45"));
        QCOMPARE(edit("Edit7")->text(), QStringLiteral("30"));
        QCOMPARE(edit("superheat")->text(), QStringLiteral("10"));
        QCOMPARE(edit("subcool")->text(), QStringLiteral("0"));
        QVERIFY(edit("Edit11")->text().isEmpty());
        QCOMPARE(child<QLabel>(w_.get(), "Label23")->text(), QStringLiteral("°C"));
        QVERIFY(w_->catalogue().levelon[1]);
        QVERIFY(!w_->catalogue().levelon[2] && !w_->catalogue().levelon[3]);
        QVERIFY(w_->started());
        // No selection has run: every result grid is empty and the progress label untouched.
        for (const char* g : {"StringGrid1", "StringGrid6", "StringGrid13", "StringGrid16"})
            QCOMPARE(child<QTableWidget>(w_.get(), g)->rowCount(), 0);
        QCOMPARE(child<QLabel>(w_.get(), "Label48")->text(), QStringLiteral("Прогресс"));
        QVERIFY(child<QTabWidget>(w_.get(), "PageControl2") != nullptr);
        QCOMPARE(child<QPushButton>(w_.get(), "Button19")->text(), QStringLiteral("Корзина"));
        QCOMPARE(child<QPushButton>(w_.get(), "Button2")->text(), QStringLiteral("Закрыть"));
    }

    void condensingTemperatureIsLockedAndGrey() {
        QLineEdit* c = edit("condensate");
        QVERIFY(c->isReadOnly());
        QCOMPARE(c->palette().color(QPalette::Text), QColor(128, 128, 128));
        QVERIFY(c->palette().color(QPalette::Base) != QColor(Qt::white));
        QLineEdit* a = edit("Edit7");
        QVERIFY(!a->isReadOnly());
        QCOMPARE(a->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(a->palette().color(QPalette::Text), QColor(Qt::black));
    }

    void maintenanceMenuIsHiddenAndPrintHasItsShortcut() {
        QMenu* editing = child<QMenu>(w_.get(), "MenuEditing");
        QVERIFY(!editing->menuAction()->isVisible());
        QAction* print = child<QAction>(w_.get(), "MenuPrint");
        QCOMPARE(print->text(), QStringLiteral("Печать"));
        QCOMPARE(print->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
        // Calculation files made "Открыть предыдущий расчет" an item that opens one.
        QVERIFY(child<QAction>(w_.get(), "MenuOpenPrevious")->isVisible());
        w_->setMaintenanceMode(true);
        QVERIFY(editing->menuAction()->isVisible());
    }

    void chillerTabChecksAllBrandsAndLocksTheEvaporatingTemperature() {
        showTab(pages(), MainWindow::Chiller);
        QCOMPARE(checkedItems(child<QListWidget>(w_.get(), "CheckListBox1")).size(), 4);
        QCOMPARE(child<QComboBox>(w_.get(), "ComboBox8")->currentText(), QStringLiteral("R407C"));
        QCOMPARE(child<QComboBox>(w_.get(), "ComboBox6")->currentIndex(), 3);
        QCOMPARE(edit("evaporate")->text(), QStringLiteral("10"));
        QVERIFY(edit("evaporate")->isReadOnly());
        QCOMPARE(edit("evaporate")->palette().color(QPalette::Text), QColor(128, 128, 128));
        QVERIFY(w_->catalogue().levelon[3]);
        QVERIFY(!w_->catalogue().levelon[1]);
        // All brands checked includes Bitzer: the screw-compressor notes show.
        QVERIFY(child<QLabel>(w_.get(), "Label63")->isVisibleTo(w_.get()));
        QVERIFY(!child<QLabel>(w_.get(), "Label62")->isHidden());

        showTab(pages(), MainWindow::Condensing);
        QVERIFY(!edit("evaporate")->isReadOnly());
        QCOMPARE(edit("evaporate")->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(edit("evaporate")->text(), QStringLiteral("10"));
        QCOMPARE(edit("condensate")->text(), QStringLiteral("45"));
    }

    void levelChoiceSetsLevelsAndTheEvaporatingDefault() {
        QComboBox* level = child<QComboBox>(w_.get(), "ComboBox6");
        edit("evaporate")->setText(QStringLiteral("-7"));
        level->setCurrentIndex(4);  // "Низко и среднетемпературное"
        QCOMPARE(edit("evaporate")->text(), QStringLiteral("-7"));
        QVERIFY(w_->catalogue().levelon[1] && w_->catalogue().levelon[2]);
        QVERIFY(!w_->catalogue().levelon[3]);
        level->setCurrentIndex(2);
        QCOMPARE(edit("evaporate")->text(), QStringLiteral("-10"));
        QVERIFY(!w_->catalogue().levelon[1] && w_->catalogue().levelon[2]);
        level->setCurrentIndex(0);
        QCOMPARE(edit("evaporate")->text(), QStringLiteral("-10"));
        QVERIFY(w_->catalogue().levelon[1] && w_->catalogue().levelon[2] &&
                w_->catalogue().levelon[3]);
    }

    void receiverAndRackTabsTakeTheCondensingTemperature() {
        edit("condensate")->setText(QStringLiteral("50"));
        showTab(pages(), MainWindow::Receiver);
        QVERIFY(!edit("condensate")->isReadOnly());
        QVERIFY(edit("Edit7")->isReadOnly());
        QCOMPARE(edit("condensate")->text(), QStringLiteral("45"));
        QCOMPARE(child<QTableWidget>(w_.get(), "StringGrid6")->horizontalHeaderItem(2)->text(),
                 QStringLiteral("мощность"));
        showTab(pages(), MainWindow::Condensing);
        QVERIFY(edit("condensate")->isReadOnly());
        QVERIFY(!edit("Edit7")->isReadOnly());
    }

    void bitzerNotesFollowTheBrandCheck() {
        QListWidget* brands = child<QListWidget>(w_.get(), "CheckListBox1");
        QLabel* rack = child<QLabel>(w_.get(), "Label62");
        QVERIFY(rack->isHidden());
        brands->item(2)->setCheckState(Qt::Checked);
        QVERIFY(!rack->isHidden());
        QVERIFY(!child<QLabel>(w_.get(), "Label27")->isHidden());
        QVERIFY(!child<QLabel>(w_.get(), "Label63")->isHidden());
        brands->item(2)->setCheckState(Qt::Unchecked);
        QVERIFY(rack->isHidden());
    }

    void typingTheRequiredCapacityAloneDoesNotRunTheSelection() {
        showTab(pages(), MainWindow::Condensing);
        QLineEdit* required = edit("Edit11");
        required->setFocus();
        QApplication::processEvents();
        QLabel* progress = child<QLabel>(w_.get(), "Label48");
        progress->setText(QStringLiteral("Прогресс"));
        QTest::keyClicks(required, QStringLiteral("12"));
        QApplication::processEvents();
        QCOMPARE(progress->text(), QStringLiteral("Прогресс"));
        // Pressing "подбор" does run it (on this empty folder it finds no unit list).
        QTest::mouseClick(child<QPushButton>(w_.get(), "Button8"), Qt::LeftButton);
        QCOMPARE(progress->text(), QStringLiteral("Всего установок:0"));
        QVERIFY(!child<QTabWidget>(w_.get(), "PageControl2")->isVisibleTo(w_.get()));
        QVERIFY(child<QLabel>(w_.get(), "Label18")->isVisibleTo(w_.get()));
    }

    void leavingTheEvaporatingTemperatureRerunsTheShownTab() {
        showTab(pages(), MainWindow::Rack);
        QLabel* progress = child<QLabel>(w_.get(), "Label48");
        progress->setText(QStringLiteral("Прогресс"));
        typeAndLeave(w_.get(), edit("evaporate"), QStringLiteral("-12"), edit("Edit11"));
        QCOMPARE(progress->text(), QStringLiteral("Всего установок:0"));
        // Leaving the ambient temperature does not re-run the rack tab.
        progress->setText(QStringLiteral("Прогресс"));
        typeAndLeave(w_.get(), edit("Edit7"), QStringLiteral("25"), edit("Edit11"));
        QCOMPARE(progress->text(), QStringLiteral("Прогресс"));
    }

    void chillerTypeChoosesTheTechnicalDataTable() {
        showTab(pages(), MainWindow::Chiller);
        QComboBox* type = child<QComboBox>(w_.get(), "ComboBox5");
        QCOMPARE(w_->techDataTableForTab(), QStringLiteral("glco"));
        type->setCurrentIndex(6);
        QCOMPARE(w_->techDataTableForTab(), QStringLiteral("ol"));
        QCOMPARE(edit("evaporate")->text(), QStringLiteral("-20"));
        QCOMPARE(child<QComboBox>(w_.get(), "ComboBox6")->currentIndex(), 4);
        type->setCurrentIndex(5);
        QCOMPARE(edit("evaporate")->text(), QStringLiteral("-5"));
        QVERIFY(!edit("condensate")->isReadOnly());
        QVERIFY(edit("Edit7")->isReadOnly());
        showTab(pages(), MainWindow::Rack);
        QCOMPARE(w_->techDataTableForTab(), QStringLiteral("mka"));
        showTab(pages(), MainWindow::Description);
        QVERIFY(w_->techDataTableForTab().isEmpty());
    }

    void closeButtonClosesTheWindow() {
        QTest::mouseClick(child<QPushButton>(w_.get(), "Button2"), Qt::LeftButton);
        QVERIFY(!w_->isVisible());
    }
};

TUNDRIX_QTEST_MAIN(StartupTest)
#include "startup_test.moc"
