// The basket and options windows driven the way a user drives them.
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <memory>

#include "basket/basketwindow.h"
#include "basket/optionswindow.h"
#include "catalogue/agregat.h"
#include "widgetaccess.h"

using tundrix::BasketWindow;
using tundrix::OptionsWindow;

using namespace tundrix::testing;

namespace {

const QString kCondensing = QStringLiteral("Компрессорно-конденсаторный агрегат");
const QString kReceiver = QStringLiteral("Компрессорно-ресиверный агрегат");

}  // namespace

class BasketWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<BasketWindow> basket;
    QTableWidget* grid = nullptr;

    QString total() { return child<QLineEdit>(basket.get(), "Edit1")->text(); }
    // Types `text` into a cell as a user does: select it, type, press Enter.
    void typeInto(int row, int column, const QString& text) {
        grid->setCurrentCell(row, column);
        QTest::keyClick(grid, Qt::Key_F2);
        auto* editor = grid->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate commits the typed text from the event loop.
        QTRY_VERIFY(!grid->viewport()->findChild<QLineEdit*>() ||
                    !grid->viewport()->findChild<QLineEdit*>()->isVisible());
    }

  private slots:
    void init() {
        basket = std::make_unique<BasketWindow>();
        basket->setDecimalSeparator('.');
        grid = child<QTableWidget>(basket.get(), "StringGrid1");
    }
    void cleanup() { basket.reset(); }

    void showsHeadingsColumnsAndButtons() {
        QCOMPARE(basket->objectName(), QStringLiteral("TForm6"));
        QCOMPARE(basket->windowTitle(), QStringLiteral("Корзина"));
        basket->show();
        QCOMPARE(grid->columnCount(), 5);
        QCOMPARE(grid->rowCount(), 2);
        const int widths[] = {127, 139, 46, 64, 64};
        const char* headings[] = {"Тип оборудования", "Модель", "Кол-во", "Цена", "Стоимость"};
        for (int c = 0; c < 5; ++c) {
            QCOMPARE(grid->columnWidth(c), widths[c]);
            QCOMPARE(cell(grid, 0, c), QString::fromUtf8(headings[c]));
        }
        QCOMPARE(child<QPushButton>(basket.get(), "Button1")->text(), QStringLiteral("Удалить"));
        QCOMPARE(child<QPushButton>(basket.get(), "Button2")->text(), QStringLiteral("Закрыть"));
        QTest::mouseClick(child<QPushButton>(basket.get(), "Button2"), Qt::LeftButton);
        QVERIFY(!basket->isVisible());
    }

    void doubleClickingOneUnitThreeTimesCountsItUp() {
        QVERIFY(!basket->isVisible());
        for (int i = 0; i < 3; ++i)
            basket->addFromResultTable(0, QStringLiteral("ККА-12"), QStringLiteral("1500"));
        QVERIFY(basket->isVisible());
        QCOMPARE(grid->rowCount(), 3);
        QCOMPARE(cell(grid, 1, 0), kCondensing);
        QCOMPARE(cell(grid, 1, 2), QStringLiteral("3"));
        QCOMPARE(cell(grid, 1, 4), QStringLiteral("4500"));
        QCOMPARE(total(), QStringLiteral("4500"));
        basket->addFromResultTable(2, QStringLiteral("МКА-3"), QStringLiteral("99"));
        QCOMPARE(cell(grid, 2, 0), kReceiver);
    }

    void editingAQuantityRecomputesCostsAndTotal() {
        basket->addUnit(kReceiver, QStringLiteral("A"), QStringLiteral("100"));
        basket->addUnit(kReceiver, QStringLiteral("B"), QStringLiteral("250.5"));
        typeInto(1, 2, QStringLiteral("2"));
        QCOMPARE(cell(grid, 1, 4), QStringLiteral("200"));
        QCOMPARE(cell(grid, 2, 4), QStringLiteral("250.5"));
        QCOMPARE(cell(grid, 3, 4), QStringLiteral("0"));
        QCOMPARE(total(), QStringLiteral("450.5"));
    }

    void aQuantityOfLettersCostsAsOneButCannotBeCountedUp() {
        basket->addUnit(kReceiver, QStringLiteral("A"), QStringLiteral("100"));
        typeInto(1, 2, QStringLiteral("abc"));
        QCOMPARE(cell(grid, 1, 4), QStringLiteral("100"));
        auto message = catchMessage();
        basket->addUnit(kReceiver, QStringLiteral("A"), QStringLiteral("100"));
        QVERIFY2(message->contains(QStringLiteral("abc")), qPrintable(*message));
        QCOMPARE(cell(grid, 1, 2), QStringLiteral("abc"));
        QCOMPARE(grid->rowCount(), 3);
        QCOMPARE(total(), QStringLiteral("100"));
    }

    void deletingTheOnlyItemLeavesAnEmptyBasket() {
        basket->addUnit(kReceiver, QStringLiteral("A"), QStringLiteral("100"));
        grid->setCurrentCell(1, 1);
        QTest::mouseClick(child<QPushButton>(basket.get(), "Button1"), Qt::LeftButton);
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(cell(grid, 0, 1), QStringLiteral("Модель"));
        QVERIFY(cell(grid, 1, 1).isEmpty());
        QCOMPARE(total(), QStringLiteral("0"));
    }

    void deletingTheEmptyLastRowThenAddingLosesNoItem() {
        basket->addUnit(kReceiver, QStringLiteral("A"), QStringLiteral("100"));
        basket->addUnit(kReceiver, QStringLiteral("B"), QStringLiteral("200"));
        grid->setCurrentCell(3, 0);
        QTest::mouseClick(child<QPushButton>(basket.get(), "Button1"), Qt::LeftButton);
        basket->addUnit(kCondensing, QStringLiteral("C"), QStringLiteral("300"));
        QCOMPARE(cell(grid, 1, 1), QStringLiteral("A"));
        QCOMPARE(cell(grid, 2, 1), QStringLiteral("B"));
        QCOMPARE(cell(grid, 3, 1), QStringLiteral("C"));
        QCOMPARE(grid->rowCount(), 5);
        QCOMPARE(total(), QStringLiteral("600"));
    }

    void theHeadingRowCannotBeEdited() {
        basket->show();
        QVERIFY(!(grid->item(0, 1)->flags() & Qt::ItemIsEditable));
        QVERIFY(grid->item(1, 1)->flags() & Qt::ItemIsEditable);
    }
};

class OptionsWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<tundrix::agregat> units;
    std::unique_ptr<OptionsWindow> window;
    QListWidget* list = nullptr;

    bool flag(int unit, int option) {
        return units->optionagr[std::size_t(unit)].flag[std::size_t(option)];
    }

  private slots:
    void init() {
        units = std::make_unique<tundrix::agregat>();
        units->count = 3;
        // Units 1 and 2 form one family (level 2, brand 1); unit 3 is of another brand.
        const int brands[] = {0, 1, 1, 3};
        for (int k = 1; k <= 3; ++k) {
            units->layer[std::size_t(k)] = 2;
            units->agrtype[std::size_t(k)] = brands[k];
            units->optionagr[std::size_t(k)].name[1] = "Подогрев картера";
            units->optionagr[std::size_t(k)].name[2] = "Зимний пуск";
        }
        window = std::make_unique<OptionsWindow>();
        list = child<QListWidget>(window.get(), "CheckListBox1");
        window->showUnit(*units, 1);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() {
        window.reset();
        units.reset();
    }

    void showsTheUnitsOptions() {
        QCOMPARE(window->objectName(), QStringLiteral("TForm7"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Доступные опции"));
        QCOMPARE(child<QPushButton>(window.get(), "Button1")->text(), QStringLiteral("OK"));
        QCOMPARE(child<QPushButton>(window.get(), "Button2")->text(),
                 QStringLiteral("убрать все опции"));
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(1)->text(), QStringLiteral("Зимний пуск"));
        QCOMPARE(list->item(1)->checkState(), Qt::Unchecked);
    }

    void okAppliesATickToTheFamilyAndAsksForARerun() {
        QSignalSpy applied(window.get(), &OptionsWindow::optionsApplied);
        list->setFocus();
        list->setCurrentRow(1);
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(list->item(1)->checkState(), Qt::Checked);
        QTest::mouseClick(child<QPushButton>(window.get(), "Button1"), Qt::LeftButton);
        QCOMPARE(applied.count(), 1);
        QVERIFY(!window->isVisible());
        QVERIFY(flag(1, 2));
        QVERIFY(flag(2, 2));
        QVERIFY(!flag(3, 2));
        QVERIFY(!flag(1, 1));
        // The details view lists the unit again: the tick comes back from the flag.
        window->showUnit(*units, 2);
        QCOMPARE(list->item(1)->checkState(), Qt::Checked);
    }

    void clearingRemovesEveryOptionOfEveryUnit() {
        units->optionagr[3].flag[1] = true;
        units->optionagr[1].flag[2] = true;
        window->showUnit(*units, 1);
        QCOMPARE(list->item(1)->checkState(), Qt::Checked);
        QSignalSpy applied(window.get(), &OptionsWindow::optionsApplied);
        QTest::mouseClick(child<QPushButton>(window.get(), "Button2"), Qt::LeftButton);
        QCOMPARE(applied.count(), 1);
        QCOMPARE(list->item(1)->checkState(), Qt::Unchecked);
        QVERIFY(!flag(3, 1));
        QVERIFY(!flag(1, 2));
    }

    void okWithAnEmptyListChangesNoFlagButStillAsksForARerun() {
        units->optionagr[2].flag[1] = true;
        window->showUnit(*units, 0);  // no unit shown in the details view
        QCOMPARE(list->count(), 0);
        QSignalSpy applied(window.get(), &OptionsWindow::optionsApplied);
        QTest::mouseClick(child<QPushButton>(window.get(), "Button1"), Qt::LeftButton);
        QCOMPARE(applied.count(), 1);
        QVERIFY(flag(2, 1));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BasketWindowTest basket;
    OptionsWindowTest options;
    return QTest::qExec(&basket, argc, argv) | QTest::qExec(&options, argc, argv);
}

#include "basketwindow_qtest.moc"
