// The chilled-liquid dialog driven the way a user drives it, control by control.
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <memory>

#include "chiller/chilledliquiddialog.h"
#include "widgetaccess.h"

using tundrix::ChilledLiquidDialog;

using namespace tundrix::testing;

namespace {

}  // namespace

class LiquidDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ChilledLiquidDialog> dialog;

    template <typename T>
    T* get(const char* name) {
        T* w = dialog->findChild<T*>(QString::fromLatin1(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    void type(const char* edit, const QString& text) {
        QLineEdit* e = get<QLineEdit>(edit);
        e->clear();
        QTest::keyClicks(e, text);
    }
    void click(const char* button) { QTest::mouseClick(get<QPushButton>(button), Qt::LeftButton); }
    QRadioButton* radio(const char* group, const QString& caption) {
        for (QRadioButton* b : get<QGroupBox>(group)->findChildren<QRadioButton*>())
            if (b->text() == caption)
                return b;
        qFatal("no radio button");
    }
    void chooseLiquid(int index) {
        QComboBox* c = get<QComboBox>("ComboBox2");
        c->setFocus();
        while (c->currentIndex() < index)
            QTest::keyClick(c, Qt::Key_Down);
        while (c->currentIndex() > index)
            QTest::keyClick(c, Qt::Key_Up);
    }

  private slots:
    void init() {
        dialog = std::make_unique<ChilledLiquidDialog>();
        dialog->setDecimalSeparator('.');
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }
    void cleanup() { dialog.reset(); }

    void startsWithCaptionsAndInitialInputs() {
        QCOMPARE(dialog->objectName(), QStringLiteral("TForm8"));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Задание температур жидкости и расхода"));
        QVERIFY(!dialog->isModal());
        QCOMPARE(get<QLabel>("Label1")->text(),
                 QStringLiteral("Температура жидкости на входе, °C"));
        QCOMPARE(get<QLabel>("Label2")->text(),
                 QStringLiteral("Температура жидкости на выходе, °C"));
        QCOMPARE(get<QLabel>("Label3")->text(), QStringLiteral("Расход жидкости"));
        QCOMPARE(get<QLabel>("Label4")->text(), QStringLiteral("кВт"));
        QCOMPARE(get<QLabel>("Label5")->text(), QStringLiteral("Жидкость"));
        QCOMPARE(get<QPushButton>("Button1")->text(),
                 QStringLiteral("Рассчитать производительность"));
        QCOMPARE(get<QPushButton>("Button2")->text(), QStringLiteral("Применить"));
        QCOMPARE(get<QPushButton>("Button3")->text(), QStringLiteral("Отмена"));
        QCOMPARE(get<QLineEdit>("Edit1")->text(), QStringLiteral("20"));
        QCOMPARE(get<QLineEdit>("Edit2")->text(), QStringLiteral("15"));
        QVERIFY(get<QLineEdit>("Edit3")->text().isEmpty());
        QVERIFY(get<QLineEdit>("Edit4")->text().isEmpty());

        QComboBox* liquids = get<QComboBox>("ComboBox2");
        QCOMPARE(liquids->count(), 3);
        QCOMPARE(liquids->itemText(0), QStringLiteral("Вода"));
        QCOMPARE(liquids->itemText(1), QStringLiteral("Этиленгликоль"));
        QCOMPARE(liquids->itemText(2), QStringLiteral("Пропиленгликоль"));
        QCOMPARE(liquids->currentIndex(), 0);
        QVERIFY(get<QLineEdit>("Edit5")->isHidden());
        QVERIFY(get<QLabel>("Label6")->isHidden());
        QVERIFY(get<QLabel>("Label7")->isHidden());
        QCOMPARE(get<QLabel>("Label7")->text(),
                 QStringLiteral("Температура кипения ниже точки замерзания жидкости!!!"));

        QCOMPARE(get<QGroupBox>("RadioGroup1")->title(), QStringLiteral("Тип расхода"));
        QVERIFY(radio("RadioGroup1", QStringLiteral("Массовый расход"))->isChecked());
        QComboBox* units = get<QComboBox>("ComboBox1");
        QCOMPARE(units->count(), 2);
        QCOMPARE(units->currentText(), QStringLiteral("кг/сек"));
        QCOMPARE(get<QGroupBox>("RadioGroup2")->title(), QStringLiteral("Тип теплообменника"));
        QVERIFY(radio("RadioGroup2", QStringLiteral("Все"))->isChecked());
        QCOMPARE(dialog->exchanger(), tundrix::Exchanger::All);
    }

    void waterCapacityAndVolumeUnits() {
        type("Edit3", QStringLiteral("1"));
        click("Button1");
        QCOMPARE(get<QLineEdit>("Edit4")->text(), QStringLiteral("21"));
        QVERIFY(get<QLabel>("Label7")->isHidden());

        QTest::mouseClick(radio("RadioGroup1", QStringLiteral("Объемный расход")), Qt::LeftButton);
        QComboBox* units = get<QComboBox>("ComboBox1");
        QCOMPARE(units->count(), 3);
        QCOMPARE(units->itemText(2), QStringLiteral("куб.м/ч"));
        QCOMPARE(units->currentIndex(), 0);
        units->setCurrentIndex(2);
        type("Edit3", QStringLiteral("3.6"));
        click("Button1");
        QCOMPARE(get<QLineEdit>("Edit4")->text(), QStringLiteral("21"));
    }

    void missingFlowShowsTheMessageAndChangesNothing() {
        type("Edit3", QStringLiteral("1"));
        click("Button1");
        get<QLineEdit>("Edit3")->clear();
        type("Edit1", QStringLiteral("30"));
        auto message = catchMessage();
        click("Button1");
        QCOMPARE(*message, QStringLiteral("Введите пожалуйста все данные"));
        QCOMPARE(get<QLineEdit>("Edit4")->text(), QStringLiteral("21"));
    }

    void glycolShowsConcentrationAndWarnsAfterARealExchanger() {
        chooseLiquid(1);
        QVERIFY(!get<QLineEdit>("Edit5")->isHidden());
        QCOMPARE(get<QLabel>("Label6")->text(), QStringLiteral("%"));
        type("Edit5", QStringLiteral("30"));
        type("Edit2", QStringLiteral("-12"));
        type("Edit3", QStringLiteral("1"));
        click("Button1");
        QVERIFY(get<QLabel>("Label7")->isHidden());
        QCOMPARE(get<QLineEdit>("Edit4")->text(), QStringLiteral("117.408"));

        QTest::mouseClick(radio("RadioGroup2", QStringLiteral("Пластинчатый")), Qt::LeftButton);
        click("Button1");
        QVERIFY(!get<QLabel>("Label7")->isHidden());
        QTest::mouseClick(radio("RadioGroup2", QStringLiteral("Все")), Qt::LeftButton);
        click("Button1");
        QVERIFY(!get<QLabel>("Label7")->isHidden());
        QCOMPARE(dialog->exchangerTemperatureDifference(), 5.0);

        chooseLiquid(0);
        QVERIFY(get<QLineEdit>("Edit5")->isHidden());
    }

    void concentrationOutOfRangeBecomesFifty() {
        chooseLiquid(2);
        type("Edit5", QStringLiteral("60"));
        type("Edit3", QStringLiteral("1"));
        click("Button1");
        QCOMPARE(get<QLineEdit>("Edit5")->text(), QStringLiteral("50"));
        QCOMPARE(get<QLineEdit>("Edit4")->text(), QStringLiteral("17.635"));  // 3.527 x 5
    }

    void applyHandsTheTextsToTheChillerTabAndCloses() {
        QSignalSpy applied(dialog.get(), &ChilledLiquidDialog::applied);
        dialog->setDecimalSeparator(',');
        chooseLiquid(1);
        type("Edit5", QStringLiteral("30"));
        type("Edit3", QStringLiteral("2,5"));
        get<QComboBox>("ComboBox1")->setCurrentIndex(1);
        QTest::mouseClick(radio("RadioGroup2", QStringLiteral("Кожухотрубный")), Qt::LeftButton);
        click("Button2");
        QCOMPARE(applied.count(), 1);
        QVERIFY(!dialog->isVisible());
        const tundrix::ChillerTabTexts t = dialog->summary();
        QCOMPARE(t.edit11, QStringLiteral("0,0127395833333333"));  // 3.669 x 2.5/3600 x 5
        QCOMPARE(t.edit23, QStringLiteral("15"));
        QCOMPARE(t.label51, QStringLiteral("Этиленгликоль 30%"));
        QCOMPARE(t.label52, QStringLiteral("2,5 кг/ч"));
        QCOMPARE(t.label53, QStringLiteral("20 °C"));
        QCOMPARE(t.label55, QStringLiteral("Кожухотрубный"));
        QCOMPARE(t.label56, QStringLiteral("°C"));
        QCOMPARE(dialog->exchanger(), tundrix::Exchanger::ShellAndTube);
    }

    void applyWithMissingDataKeepsTheDialogOpen() {
        QSignalSpy applied(dialog.get(), &ChilledLiquidDialog::applied);
        get<QLineEdit>("Edit2")->clear();
        type("Edit3", QStringLiteral("1"));
        auto message = catchMessage();
        click("Button2");
        QCOMPARE(*message, QStringLiteral("Введите пожалуйста все данные"));
        QCOMPARE(applied.count(), 0);
        QVERIFY(dialog->isVisible());
    }

    void cancelAppliesNothing() {
        QSignalSpy applied(dialog.get(), &ChilledLiquidDialog::applied);
        type("Edit3", QStringLiteral("1"));
        click("Button3");
        QVERIFY(!dialog->isVisible());
        QCOMPARE(applied.count(), 0);
        QVERIFY(get<QLineEdit>("Edit4")->text().isEmpty());
        // Before any "Применить" the tab shows the flow as not given.
        get<QLineEdit>("Edit3")->clear();
        QCOMPARE(dialog->summary().label52, QStringLiteral("не указан"));
        QCOMPARE(dialog->summary().label51, QStringLiteral("Вода"));
    }
};

QTEST_MAIN(LiquidDialogTest)
#include "liquiddialog_qtest.moc"
