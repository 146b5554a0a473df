// The chiller tab with its chilled-liquid dialog, the basket fed from every result table and the
// options window, all driven through the program's real windows as a user drives them: tabs,
// selectors, buttons, double clicks on result rows and typing into the basket.
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <map>

#include "app/windowset.h"
#include "basket/basketwindow.h"
#include "basket/optionswindow.h"
#include "catalogue/catalogue.h"
#include "chiller/chilledliquiddialog.h"
#include "qtestmain.h"
#include "selection/selectionrun.h"
#include "widgets/widgetstyle.h"
#include "windowfixture.h"

using namespace tundrix;
using namespace tundrix::testing;

namespace {

const QString kCondensingType = QStringLiteral("Компрессорно-конденсаторный агрегат");
const QString kReceiverType = QStringLiteral("Компрессорно-ресиверный агрегат");

double number(const QString& text) {
    QString t = text;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    return t.toDouble();
}

// A row beside the cursor row, which the selection run has scrolled into view.
int rowBesideCursor(QTableWidget* g) {
    const int r = g->currentRow();
    return r > 0 ? r - 1 : std::min(r + 1, g->rowCount() - 1);
}

// Double-clicks a result row with the mouse, as a user picks a unit for the basket.
void doubleClickRow(QTableWidget* g, int row) {
    QTableWidgetItem* item = g->item(row, 0);
    QVERIFY(item);
    QApplication::processEvents();
    const QPoint at = g->visualItemRect(item).center();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(g->currentRow(), row);
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, at);
}

QRadioButton* radio(QWidget* dialog, const char* group, const QString& caption) {
    for (QRadioButton* b : child<QWidget>(dialog, group)->findChildren<QRadioButton*>())
        if (b->text() == caption)
            return b;
    qFatal("no radio button %s", qPrintable(caption));
}

// Closes the next message box and keeps its text. It keeps looking until the box appears, so
// events processed before the box opens cannot make it miss the box.
std::shared_ptr<QString> catchVisibleMessage() {
    auto text = std::make_shared<QString>();
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [text, timer] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                *text = box->text();
                box->accept();
                timer->stop();
                timer->deleteLater();
                return;
            }
    });
    timer->start();
    return text;
}

}  // namespace

class ChillerBasketTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowSet> s_;
    MainWindow* w_ = nullptr;
    QWidget* liquid_ = nullptr;

    template <typename T>
    T* main(const char* name) {
        return child<T>(w_, name);
    }
    template <typename T>
    T* dialog(const char* name) {
        return child<T>(liquid_, name);
    }
    void tab(MainWindow::Tab t) { showTab(main<QTabWidget>("PageControl1"), t); }
    void click(QWidget* window, const char* button) {
        QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
        QApplication::processEvents();
    }
    void type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    // Marks the chiller grid so that a later selection run shows in it: either the grid is
    // refilled or, when no unit fits, "no units" replaces the result pages.
    QTableWidget* markChillerGrid() {
        QTableWidget* g = main<QTableWidget>("StringGrid16");
        g->setRowCount(1);
        g->setItem(0, 0, new QTableWidgetItem(QStringLiteral("#")));
        w_->unitTab(MainWindow::Chiller).noData->hide();
        return g;
    }
    bool ran(QTableWidget* g) {
        return cell(g, 0, 0) != QStringLiteral("#") ||
               !w_->unitTab(MainWindow::Chiller).noData->isHidden();
    }

    // Unit number and price of every result row of a grid.
    static std::map<int, double> prices(QTableWidget* g) {
        std::map<int, double> out;
        for (int r = 0; r < g->rowCount(); ++r)
            out[g->item(r, 0)->data(Qt::UserRole).toInt()] = number(cell(g, r, 5));
        return out;
    }

private slots:
    void init() {
        if (!haveSampleData())
            QFAIL("the sample catalogue has not been generated");
        s_ = createWindows(sampleData());
        w_ = s_->form1.get();
        liquid_ = s_->form8.get();
        s_->form6->setDecimalSeparator('.');
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_));
    }
    void cleanup() {
        s_.reset();
        w_ = nullptr;
        liquid_ = nullptr;
    }

    void showingTheChillerTabShowsTheDialogAndCopiesItsLiquid() {
        tab(MainWindow::Chiller);
        QVERIFY(liquid_->isVisible());
        // The user computes 2 kg/s of water, 20 -> 15, closes the dialog without applying it
        // and leaves the tab; coming back shows the dialog with these inputs copied to the tab.
        type(dialog<QLineEdit>("Edit3"), QStringLiteral("2"));
        click(liquid_, "Button1");
        QCOMPARE(dialog<QLineEdit>("Edit4")->text(), QStringLiteral("42"));
        click(liquid_, "Button3");
        QVERIFY(!liquid_->isVisible());
        QCOMPARE(main<QLineEdit>("Edit11")->text(), QString());
        tab(MainWindow::Condensing);
        main<QListWidget>("CheckListBox1")->item(2)->setCheckState(Qt::Unchecked);
        QVERIFY(main<QLabel>("Label63")->isHidden());
        tab(MainWindow::Chiller);
        QVERIFY(liquid_->isVisible());
        QCOMPARE(main<QLineEdit>("Edit11")->text(), QStringLiteral("42"));
        QCOMPARE(main<QLineEdit>("Edit23")->text(), QStringLiteral("15"));
        QCOMPARE(main<QLabel>("Label51")->text(), QStringLiteral("Вода"));
        QCOMPARE(main<QLabel>("Label52")->text(), QStringLiteral("2 кг/сек"));
        QCOMPARE(main<QLabel>("Label53")->text(), QStringLiteral("20 °C"));
        QCOMPARE(main<QLabel>("Label55")->text(), QStringLiteral("Все"));
        QCOMPARE(main<QLabel>("Label56")->text(), QStringLiteral("°C"));
        QVERIFY(!isLocked(main<QLineEdit>("Edit7")));
        QVERIFY(isLocked(main<QLineEdit>("condensate")));
        QVERIFY(isLocked(main<QLineEdit>("evaporate")));
        QCOMPARE(checkedItems(main<QListWidget>("CheckListBox1")).size(), 4);
        QVERIFY(main<QLabel>("Label63")->isVisible());
        QCOMPARE(main<QComboBox>("ComboBox8")->currentText(), QStringLiteral("R407C"));
        QCOMPARE(main<QComboBox>("ComboBox6")->currentIndex(), 3);
        QVERIFY(main<QTableWidget>("StringGrid16")->rowCount() > 0);

        // Leaving the tab unlocks the evaporating temperature and resets the condensing one.
        main<QLineEdit>("condensate")->setText(QStringLiteral("50"));
        tab(MainWindow::Description);
        QVERIFY(!isLocked(main<QLineEdit>("evaporate")));
        QCOMPARE(main<QLineEdit>("condensate")->text(), QStringLiteral("45"));
    }

    // Numbers the program writes into fields show from their first digit, also where the text
    // is wider than the field: the condensing temperature of the cursor unit and the capacity
    // the chilled-liquid dialog hands to the tab.
    void writtenNumbersShowFromTheirFirstDigit() {
        auto showsFirstDigit = [](QLineEdit* e) {
            e->grab();  // lays the text out in the field as it is painted
            const QRect inside = e->contentsRect();
            return e->cursorPositionAt(QPoint(inside.left() + 3, inside.center().y())) == 0;
        };
        tab(MainWindow::Chiller);
        type(dialog<QLineEdit>("Edit3"),
             QStringLiteral("0") + QLocale().decimalPoint() + QStringLiteral("927"));
        click(liquid_, "Button1");
        click(liquid_, "Button3");
        tab(MainWindow::Condensing);
        QLineEdit* condensate = main<QLineEdit>("condensate");
        QVERIFY2(condensate->text().size() >= 5, qPrintable(condensate->text()));
        QVERIFY2(showsFirstDigit(condensate), qPrintable(condensate->text()));
        tab(MainWindow::Chiller);
        QLineEdit* required = main<QLineEdit>("Edit11");
        QVERIFY2(required->text().size() >= 5, qPrintable(required->text()));  // 19.47
        QVERIFY2(showsFirstDigit(required), qPrintable(required->text()));
    }

    void everyChillerTypeSetsItsTemperaturesAndRunsTheSelection() {
        tab(MainWindow::Chiller);
        // With the typed evaporating temperature in use, the type's value stays visible.
        QTest::mouseClick(main<QCheckBox>("CheckBox3"), Qt::LeftButton);
        QVERIFY(!isLocked(main<QLineEdit>("evaporate")));
        auto* types = main<QComboBox>("ComboBox5");
        struct Expected {
            int level;
            const char* evaporate;
        };
        const Expected expected[] = {{3, "10"}, {3, "10"}, {3, "10"}, {3, "10"},
                                     {3, "10"}, {2, "-5"}, {4, "-20"}};
        for (int i : {1, 2, 3, 4, 5, 6, 0}) {
            main<QLineEdit>("condensate")->setText(QStringLiteral("50"));
            QTableWidget* g = markChillerGrid();
            types->setCurrentIndex(i);
            QApplication::processEvents();
            const QString at = QStringLiteral("type %1").arg(i);
            QVERIFY2(ran(g), qPrintable(at));
            QVERIFY2(isLocked(main<QLineEdit>("condensate")) == (i <= 3), qPrintable(at));
            QVERIFY2(isLocked(main<QLineEdit>("Edit7")) == (i > 3), qPrintable(at));
            if (i > 3)
                QCOMPARE(main<QLineEdit>("condensate")->text(), QStringLiteral("45"));
            QCOMPARE(main<QComboBox>("ComboBox6")->currentIndex(), expected[i].level);
            QCOMPARE(w_->catalogue().levelon, levelsForChoice(expected[i].level));
            QCOMPARE(main<QLineEdit>("evaporate")->text(),
                     QString::fromUtf8(expected[i].evaporate));
        }
    }

    void checkBox3LocksAndUnlocksTheEvaporatingTemperature() {
        tab(MainWindow::Chiller);
        auto* box = main<QCheckBox>("CheckBox3");
        QTableWidget* g = markChillerGrid();
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(box->isChecked());
        QVERIFY(!isLocked(main<QLineEdit>("evaporate")));
        QVERIFY(ran(g));
        g = markChillerGrid();
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(!box->isChecked());
        QVERIFY(isLocked(main<QLineEdit>("evaporate")));
        QVERIFY(ran(g));
        // From the outlet temperature, the shown evaporating temperature is the unit's own.
        const int u = g->item(g->currentRow(), 0)->data(Qt::UserRole).toInt();
        const double to = 15 - w_->catalogue().agrlist.delta[std::size_t(u)];
        QCOMPARE(main<QLineEdit>("evaporate")->text(), QString::number(qRound(to)));
    }

    void applyHandsTheLiquidToTheTabAndCancelAppliesNothing() {
        tab(MainWindow::Chiller);
        click(liquid_, "Button3");  // "Отмена"
        QVERIFY(!liquid_->isVisible());
        click(w_, "Button4");
        QVERIFY(liquid_->isVisible());

        type(dialog<QLineEdit>("Edit3"), QStringLiteral("3.6"));
        QTest::mouseClick(radio(liquid_, "RadioGroup1", QStringLiteral("Объемный расход")),
                          Qt::LeftButton);
        dialog<QComboBox>("ComboBox1")->setCurrentIndex(2);  // "куб.м/ч"
        QTest::mouseClick(radio(liquid_, "RadioGroup2", QStringLiteral("Кожухотрубный")),
                          Qt::LeftButton);
        QTableWidget* g = markChillerGrid();
        QTest::mouseClick(dialog<QPushButton>("Button2"), Qt::LeftButton);  // "Применить"
        QVERIFY(!liquid_->isVisible());
        QVERIFY(ran(g));
        QCOMPARE(main<QLineEdit>("Edit11")->text(), QStringLiteral("21"));
        QCOMPARE(main<QLabel>("Label52")->text(), QStringLiteral("3.6 куб.м/ч"));
        QCOMPARE(main<QLabel>("Label55")->text(), QStringLiteral("Кожухотрубный"));

        // "Отмена" after new inputs leaves the tab as it was and runs nothing.
        click(w_, "Button4");
        type(dialog<QLineEdit>("Edit3"), QStringLiteral("7.2"));
        type(dialog<QLineEdit>("Edit2"), QStringLiteral("10"));
        g = markChillerGrid();
        QTest::mouseClick(dialog<QPushButton>("Button3"), Qt::LeftButton);
        QVERIFY(!liquid_->isVisible());
        QVERIFY(!ran(g));
        QCOMPARE(main<QLineEdit>("Edit11")->text(), QStringLiteral("21"));
        QCOMPARE(main<QLineEdit>("Edit23")->text(), QStringLiteral("15"));

        // Missing flow: the message, nothing applied, the dialog stays.
        click(w_, "Button4");
        dialog<QLineEdit>("Edit3")->clear();
        auto message = catchVisibleMessage();
        QTest::mouseClick(dialog<QPushButton>("Button2"), Qt::LeftButton);
        QCOMPARE(*message, QStringLiteral("Введите пожалуйста все данные"));
        QVERIFY(liquid_->isVisible());
        QCOMPARE(main<QLineEdit>("Edit11")->text(), QStringLiteral("21"));
    }

    void theFreezingWarningFollowsTheExchangerDifference() {
        tab(MainWindow::Chiller);
        dialog<QComboBox>("ComboBox2")->setCurrentIndex(1);  // "Этиленгликоль"
        type(dialog<QLineEdit>("Edit5"), QStringLiteral("30"));
        type(dialog<QLineEdit>("Edit3"), QStringLiteral("1"));
        type(dialog<QLineEdit>("Edit2"), QStringLiteral("-12"));
        QLabel* warning = dialog<QLabel>("Label7");
        click(liquid_, "Button1");
        QVERIFY(!warning->isVisible());
        QTest::mouseClick(radio(liquid_, "RadioGroup2", QStringLiteral("Пластинчатый")),
                          Qt::LeftButton);
        click(liquid_, "Button1");
        QVERIFY(warning->isVisible());
        QTest::mouseClick(radio(liquid_, "RadioGroup2", QStringLiteral("Все")), Qt::LeftButton);
        click(liquid_, "Button1");
        QVERIFY(warning->isVisible());
        QTest::mouseClick(dialog<QPushButton>("Button2"), Qt::LeftButton);
        QCOMPARE(main<QLabel>("Label51")->text(), QStringLiteral("Этиленгликоль 30%"));
        QCOMPARE(main<QLineEdit>("Edit23")->text(), QStringLiteral("-12"));
    }

    void everyResultTableFeedsTheBasketWithItsTypeText() {
        struct Source {
            MainWindow::Tab tab;
            const char* grid;
            QString type;
        };
        const Source sources[] = {{MainWindow::Condensing, "StringGrid1", kCondensingType},
                                  {MainWindow::Receiver, "StringGrid6", kReceiverType},
                                  {MainWindow::Rack, "StringGrid13", kReceiverType},
                                  {MainWindow::Chiller, "StringGrid16", kReceiverType}};
        BasketWindow* basket = s_->form6.get();
        QTableWidget* b = child<QTableWidget>(basket, "StringGrid1");
        QStringList names;
        double expectedTotal = 0;
        for (const Source& src : sources) {
            tab(src.tab);
            if (src.tab == MainWindow::Chiller)
                liquid_->hide();
            QTableWidget* g = main<QTableWidget>(src.grid);
            QVERIFY2(g->rowCount() > 0, src.grid);
            const int row = rowBesideCursor(g);
            doubleClickRow(g, row);
            QVERIFY(basket->isVisible());
            const int k = int(names.size()) + 1;
            QCOMPARE(cell(b, k, 0), src.type);
            QCOMPARE(cell(b, k, 1), cell(g, row, 0));
            QCOMPARE(cell(b, k, 2), QStringLiteral("1"));
            QCOMPARE(cell(b, k, 3), cell(g, row, 5));
            names << cell(g, row, 0);
            expectedTotal += number(cell(g, row, 5));
        }
        QCOMPARE(b->rowCount(), 6);  // headings, four items, the empty last row
        QVERIFY(cell(b, 5, 1).isEmpty());
        QCOMPARE(cell(b, 5, 4), QStringLiteral("0"));
        QCOMPARE(cell(b, 0, 0), QStringLiteral("Тип оборудования"));
        const QString total = child<QLineEdit>(basket, "Edit1")->text();
        QVERIFY2(qAbs(number(total) - expectedTotal) < 0.005, qPrintable(total));

        // Twice more on the chiller row: quantity 3, cost three times the price.
        QTableWidget* chillers = main<QTableWidget>("StringGrid16");
        const int row = chillers->currentRow();
        doubleClickRow(chillers, row);
        doubleClickRow(chillers, row);
        QCOMPARE(b->rowCount(), 6);
        QCOMPARE(cell(b, 4, 2), QStringLiteral("3"));
        QVERIFY(qAbs(number(cell(b, 4, 4)) - 3 * number(cell(b, 4, 3))) < 0.005);

        // "Закрыть" keeps the content; "Корзина" shows it again.
        click(basket, "Button2");
        QVERIFY(!basket->isVisible());
        click(w_, "Button19");
        QVERIFY(basket->isVisible());
        QCOMPARE(cell(b, 1, 1), names[0]);

        // Typing a quantity recomputes; "Удалить" removes the row under the cursor.
        b->setCurrentCell(1, 2);
        QTest::keyClick(b, Qt::Key_F2);
        auto* editor = b->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("2"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(cell(b, 1, 2), QStringLiteral("2"));
        QVERIFY(qAbs(number(cell(b, 1, 4)) - 2 * number(cell(b, 1, 3))) < 0.005);
        b->setCurrentCell(2, 0);
        click(basket, "Button1");
        QCOMPARE(b->rowCount(), 5);
        QCOMPARE(cell(b, 2, 1), names[2]);
        double sum = 0;
        for (int r = 1; r < b->rowCount(); ++r)
            sum += number(cell(b, r, 4));
        QVERIFY(qAbs(number(child<QLineEdit>(basket, "Edit1")->text()) - sum) < 0.005);
    }

    void aQuantityOfLettersStopsAFurtherDoubleClickWithAMessage() {
        tab(MainWindow::Rack);
        QTableWidget* g = main<QTableWidget>("StringGrid13");
        QVERIFY(g->rowCount() > 0);
        const int row = rowBesideCursor(g);
        doubleClickRow(g, row);
        BasketWindow* basket = s_->form6.get();
        QTableWidget* b = child<QTableWidget>(basket, "StringGrid1");
        b->setCurrentCell(1, 2);
        QTest::keyClick(b, Qt::Key_F2);
        auto* editor = b->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("two"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(cell(b, 1, 2), QStringLiteral("two"));
        QCOMPARE(cell(b, 1, 4), cell(b, 1, 3));  // costed as one
        const QString total = child<QLineEdit>(basket, "Edit1")->text();

        auto message = catchVisibleMessage();
        doubleClickRow(g, row);
        QVERIFY2(message->contains(QStringLiteral("two")), qPrintable(*message));
        QCOMPARE(cell(b, 1, 2), QStringLiteral("two"));
        QCOMPARE(b->rowCount(), 3);
        QCOMPARE(child<QLineEdit>(basket, "Edit1")->text(), total);
    }

    void okAppliesTheTicksToTheFamilyAndRaisesItsPrices() {
        const struct {
            MainWindow::Tab tab;
            const char* grid;
            const char* button;
        } tabs[] = {{MainWindow::Condensing, "StringGrid1", "Button35"},
                    {MainWindow::Receiver, "StringGrid6", "Button36"},
                    {MainWindow::Rack, "StringGrid13", "Button37"},
                    {MainWindow::Chiller, "StringGrid16", "Button39"}};
        OptionsWindow* options = s_->form7.get();
        for (const auto& t : tabs) {
            tab(t.tab);
            liquid_->hide();
            QTableWidget* g = main<QTableWidget>(t.grid);
            QVERIFY2(g->rowCount() > 0, t.grid);
            click(w_, t.button);
            QVERIFY2(options->isVisible(), t.button);
            auto* list = child<QListWidget>(options, "CheckListBox1");
            QVERIFY2(list->count() > 0, t.button);
            const agregat& a = w_->catalogue().agrlist;
            const int current = a.order[std::size_t(w_->selrow())];
            const std::map<int, double> before = prices(g);

            list->item(0)->setCheckState(Qt::Checked);
            click(options, "Button1");  // "OK"
            QVERIFY(!options->isVisible());
            const std::map<int, double> after = prices(g);
            QCOMPARE(after.size(), before.size());
            int raised = 0;
            for (const auto& [u, price] : before) {
                const auto k = std::size_t(u);
                const bool family = a.layer[k] == a.layer[std::size_t(current)] &&
                                    a.agrtype[k] == a.agrtype[std::size_t(current)];
                const double option =
                    family ? number(QString::fromStdString(a.optionagr[k].price[1])) : 0.0;
                QVERIFY2(qAbs(after.at(u) - price - option) < 0.005,
                         qPrintable(QStringLiteral("%1 unit %2").arg(t.button).arg(u)));
                raised += family && option > 0;
            }
            QVERIFY2(raised > 0, t.button);
            // The list shows the ticks of the unit the details view shows after the rerun.
            QCOMPARE(child<QListWidget>(options, "CheckListBox1")->item(0)->checkState(),
                     Qt::Checked);

            click(w_, t.button);
            click(options, "Button2");  // "убрать все опции"
            QVERIFY(!options->isVisible());
            QCOMPARE(prices(g), before);
            for (const OptionBlock& o : a.optionagr)
                for (bool f : o.flag)
                    QVERIFY(!f);
        }
    }

    void okWithNoLinesStillRunsTheSelection() {
        tab(MainWindow::Condensing);
        click(w_, "Button35");
        OptionsWindow* options = s_->form7.get();
        child<QListWidget>(options, "CheckListBox1")->clear();
        QTableWidget* g = main<QTableWidget>("StringGrid1");
        const std::map<int, double> before = prices(g);
        g->setItem(0, 0, new QTableWidgetItem(QStringLiteral("#")));
        g->item(0, 0)->setData(Qt::UserRole, g->item(1, 0)->data(Qt::UserRole));
        click(options, "Button1");
        QVERIFY(cell(g, 0, 0) != QStringLiteral("#"));
        QCOMPARE(prices(g), before);
    }

    void onTheChillerTabTheOptionsKeepR407CAndTheLevelUsed() {
        tab(MainWindow::Chiller);
        liquid_->hide();
        auto* refrigerant = main<QComboBox>("ComboBox8");
        auto* level = main<QComboBox>("ComboBox6");
        for (const char* button : {"Button1", "Button2"}) {
            main<QComboBox>("ComboBox5")->setCurrentIndex(5);  // medium-temperature: level 2
            refrigerant->setCurrentIndex(1);                   // the user looks at R22
            QApplication::processEvents();
            click(w_, "Button39");
            QTableWidget* g = markChillerGrid();
            click(s_->form7.get(), button);
            QVERIFY(ran(g));
            QCOMPARE(refrigerant->currentText(), QStringLiteral("R407C"));
            QCOMPARE(level->currentIndex(), 2);
            QCOMPARE(level->currentText(), QStringLiteral("Среднетемпературное"));
            QCOMPARE(w_->catalogue().levelon, levelsForChoice(level->currentIndex()));
        }
    }

    void theChillerRerunAfterOptionsComputesWithR407CData() {
        tab(MainWindow::Chiller);
        liquid_->hide();
        QTableWidget* g = main<QTableWidget>("StringGrid16");
        const auto capacities = [g] {
            std::map<QString, QString> out;
            for (int r = 0; r < g->rowCount(); ++r)
                out[cell(g, r, 0)] = cell(g, r, 1);
            return out;
        };
        const auto withR407C = capacities();
        QVERIFY(withR407C.size() > 1);
        // The user looks at R22 and then clears the options: the list goes back to R407C and
        // the figures must be R407C's again, not R407C units computed from R22 data.
        main<QComboBox>("ComboBox8")->setCurrentIndex(1);
        QApplication::processEvents();
        QVERIFY(capacities() != withR407C);
        click(w_, "Button39");
        click(s_->form7.get(), "Button2");
        QCOMPARE(main<QComboBox>("ComboBox8")->currentIndex(), 2);
        QVERIFY(capacities() == withR407C);
    }
};

TUNDRIX_QTEST_MAIN(ChillerBasketTest)
#include "chillerbasket_test.moc"
