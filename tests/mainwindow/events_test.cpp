// Which inputs re-run the selection of the shown tab and which do not. Runs on an empty catalogue
// folder: a run there finds no unit list and says "Всего установок:0" in the progress label, so
// the label tells whether a run happened.
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "qtestmain.h"
#include "windowfixture.h"

using namespace tundrix;
using namespace tundrix::testing;

namespace {

const QString kIdle = QStringLiteral("Прогресс");
const QString kRan = QStringLiteral("Всего установок:0");

}  // namespace

class EventsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir empty_;
    std::unique_ptr<MainWindow> w_;

    QLineEdit* edit(const char* name) { return child<QLineEdit>(w_.get(), name); }
    QLabel* progress() { return child<QLabel>(w_.get(), "Label48"); }

    // Whether leaving `field` (after typing `text`) ran a selection on tab `tab`; -1 when the
    // field could not take the focus, so a "no run" is never a field that was never entered.
    int leavingRuns(MainWindow::Tab tab, const char* field, const QString& text) {
        showTab(child<QTabWidget>(w_.get(), "PageControl1"), tab);
        QLineEdit* e = edit(field);
        e->setFocus();
        QApplication::processEvents();
        if (!e->hasFocus())
            return -1;
        progress()->setText(kIdle);
        typeAndLeave(w_.get(), e, text, edit("Edit11"));
        return progress()->text() == kRan ? 1 : 0;
    }

    // Whether `change` ran a selection with tab `tab` shown.
    template <typename F>
    bool runsOn(MainWindow::Tab tab, F change) {
        showTab(child<QTabWidget>(w_.get(), "PageControl1"), tab);
        progress()->setText(kIdle);
        change();
        QApplication::processEvents();
        return progress()->text() == kRan;
    }

private slots:
    void init() {
        w_ = std::make_unique<MainWindow>(std::filesystem::path(empty_.path().toStdString()));
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
        w_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
    }
    void cleanup() { w_.reset(); }

    void evaporatingSuperheatAndSubcoolingRerunEveryUnitTab() {
        for (auto tab : {MainWindow::Condensing, MainWindow::Receiver, MainWindow::Rack,
                         MainWindow::Chiller}) {
            if (tab != MainWindow::Chiller)  // locked on the chiller tab
                QCOMPARE(leavingRuns(tab, "evaporate", QStringLiteral("-15")), 1);
            QCOMPARE(leavingRuns(tab, "superheat", QStringLiteral("8")), 1);
            QCOMPARE(leavingRuns(tab, "subcool", QStringLiteral("2")), 1);
        }
        // The description tab has no selection to re-run.
        QCOMPARE(leavingRuns(MainWindow::Description, "superheat", QStringLiteral("9")), 0);
    }

    void ambientTemperatureRerunsAllButTheRackTab() {
        QCOMPARE(leavingRuns(MainWindow::Condensing, "Edit7", QStringLiteral("32")), 1);
        QCOMPARE(leavingRuns(MainWindow::Receiver, "Edit7", QStringLiteral("33")), 1);
        QCOMPARE(leavingRuns(MainWindow::Chiller, "Edit7", QStringLiteral("34")), 1);
        QCOMPARE(leavingRuns(MainWindow::Rack, "Edit7", QStringLiteral("35")), 0);
        QCOMPARE(leavingRuns(MainWindow::Description, "Edit7", QStringLiteral("36")), 0);
    }

    void condensingTemperatureRerunsOnlyReceiverAndRackTabs() {
        QCOMPARE(leavingRuns(MainWindow::Receiver, "condensate", QStringLiteral("40")), 1);
        QCOMPARE(leavingRuns(MainWindow::Rack, "condensate", QStringLiteral("41")), 1);
        QCOMPARE(leavingRuns(MainWindow::Condensing, "condensate", QStringLiteral("42")), 0);
        QCOMPARE(leavingRuns(MainWindow::Chiller, "condensate", QStringLiteral("43")), 0);
    }

    void outletTemperatureRunsTheChillerSelection() {
        QCOMPARE(leavingRuns(MainWindow::Chiller, "Edit23", QStringLiteral("9")), 1);
        QCOMPARE(edit("Edit23")->text(), QStringLiteral("9"));
    }

    void listsAndLevelRerunOnceStarted() {
        QVERIFY(w_->started());
        QComboBox* level = child<QComboBox>(w_.get(), "ComboBox6");
        QListWidget* brands = child<QListWidget>(w_.get(), "CheckListBox1");
        QListWidget* sizes = child<QListWidget>(w_.get(), "CheckListBox2");
        QVERIFY(runsOn(MainWindow::Condensing, [&] { level->setCurrentIndex(2); }));
        QVERIFY(runsOn(MainWindow::Receiver, [&] { brands->item(1)->setCheckState(Qt::Checked); }));
        QVERIFY(runsOn(MainWindow::Rack, [&] { sizes->item(0)->setCheckState(Qt::Unchecked); }));
        // On the description tab they only change what the next run will use.
        QVERIFY(!runsOn(MainWindow::Description, [&] { level->setCurrentIndex(3); }));
        QVERIFY(
            !runsOn(MainWindow::Description, [&] { brands->item(3)->setCheckState(Qt::Checked); }));
        QVERIFY(w_->catalogue().levelon[3] && !w_->catalogue().levelon[2]);
    }

    void refrigerantChangeRerunsAUnitTabOnly() {
        QComboBox* refrigerant = child<QComboBox>(w_.get(), "ComboBox8");
        QVERIFY(runsOn(MainWindow::Rack, [&] { refrigerant->setCurrentIndex(1); }));
        QVERIFY(!runsOn(MainWindow::Description, [&] { refrigerant->setCurrentIndex(3); }));
        QCOMPARE(refrigerant->currentText(), QStringLiteral("R134a"));
    }

    void safetyClassAndGwpStandBesideTheRefrigerant() {
        QComboBox* refrigerant = child<QComboBox>(w_.get(), "ComboBox8");
        QLabel* safety = child<QLabel>(w_.get(), "LabelSafety");
        QCOMPARE(refrigerant->count(), 15);
        QCOMPARE(refrigerant->itemText(5), QStringLiteral("R290"));
        QCOMPARE(refrigerant->itemText(8), QStringLiteral("R1234ze(E)"));
        QCOMPARE(refrigerant->itemText(14), QStringLiteral("R513A"));
        QCOMPARE(safety->text(), QStringLiteral("A1, ПГП 3922/3985"));
        refrigerant->setCurrentIndex(5);
        QCOMPARE(safety->text(), QStringLiteral("A3, ПГП 3, горючий"));
        refrigerant->setCurrentIndex(6);
        QCOMPARE(safety->text(), QStringLiteral("A2L, ПГП 675, горючий"));
        refrigerant->setCurrentIndex(13);
        QCOMPARE(safety->text(), QStringLiteral("A2L, ПГП 148, горючий"));
        // The chiller tab sets R407C without the change handler; the label follows it too.
        showTab(child<QTabWidget>(w_.get(), "PageControl1"), MainWindow::Chiller);
        QCOMPARE(refrigerant->currentIndex(), 2);
        QCOMPARE(safety->text(), QStringLiteral("A1, ПГП 1774"));
    }

    void aTabChangeRerunsTheNewTab() {
        progress()->setText(kIdle);
        showTab(child<QTabWidget>(w_.get(), "PageControl1"), MainWindow::Receiver);
        QCOMPARE(progress()->text(), kRan);
        progress()->setText(kIdle);
        showTab(child<QTabWidget>(w_.get(), "PageControl1"), MainWindow::Description);
        QCOMPARE(progress()->text(), kIdle);
    }
};

TUNDRIX_QTEST_MAIN(EventsTest)
#include "events_test.moc"
