// The unit list editor on its own, built without the main window: the calculator's choice and
// the data folder come through the narrow interface the program's windows fill in.
#include <QAbstractButton>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <memory>

#include "catalogue/unitlisttable.h"
#include "qtestmain.h"
#include "tools/unitlisteditor.h"
#include "widgetaccess.h"

namespace fs = std::filesystem;
using namespace tundrix;
using namespace tundrix::testing;

class EditorAloneTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir tmp_;
    CalculatorChoice choice_;
    int asked_ = 0;
    std::unique_ptr<UnitListEditor> editor_;

    void click(const char* name) {
        child<QAbstractButton>(editor_.get(), name)->click();
        QApplication::processEvents();
    }
    QString cell(int gridRow, int col) {
        return testing::cell(child<QTableWidget>(editor_.get(), "StringGrid1"), gridRow - 1, col);
    }

private slots:
    void init() {
        const fs::path data(tmp_.path().toStdString());
        fs::create_directories(data / "agrdata");
        choice_ = CalculatorChoice{};
        choice_.model1 = "HGX12P/60-4";
        choice_.pos1 = 2;
        choice_.mapped1 = 17;
        choice_.condenserName = "Конденсатор 1";
        choice_.condenserPos = 0;
        choice_.pol = "K12";
        choice_.count1 = "2";
        asked_ = 0;
        editor_ = std::make_unique<UnitListEditor>(MaintenanceContext{data, [this] {
                                                                          ++asked_;
                                                                          return choice_;
                                                                      }});
        editor_->show();
        // Bock, low temperature, R404A condensing units.
        for (const char* b : {"RadioButton10", "RadioButton9", "RadioButton1", "RadioButton4"})
            click(b);
    }

    // "Добавить" asks for the choice as it stands at that moment.
    void unitsAreComposedFromTheChoiceAtEachAdd() {
        QCOMPARE(asked_, 0);
        click("Button3");
        QCOMPARE(cell(1, 0), QStringLiteral("АННПK12-2xHGX12P/60-4"));
        QCOMPARE(cell(1, 3), QStringLiteral("17"));
        QCOMPARE(cell(1, 5), QStringLiteral("2"));
        choice_.noCondenser = true;
        choice_.count1 = "1";
        click("Button3");
        QCOMPARE(asked_, 2);
        QCOMPARE(cell(2, 2), QStringLiteral("Нет конденсатора"));
        QCOMPARE(cell(2, 5), QStringLiteral("1"));
    }

    // "Записать" and "Загрузить" work in the data folder the editor was given.
    void listsAreWrittenAndLoadedInTheGivenFolder() {
        click("Button3");
        click("Button1");
        const fs::path file =
            fs::path(tmp_.path().toStdString()) / "agrdata" / "outbocklow404a.dat";
        auto table = std::make_unique<UnitListTable>();
        QVERIFY(table->load(file));
        QCOMPARE(QString::fromStdString(table->cell(0, 1)),
                 QStringLiteral("АННПK12-2xHGX12P/60-4"));
        click("Button2");
        editor_->show();
        QCOMPARE(cell(1, 0), QString());
        click("Button4");
        QCOMPARE(cell(1, 0), QStringLiteral("АННПK12-2xHGX12P/60-4"));
        QCOMPARE(cell(1, 1), QStringLiteral("HGX12P/60-4"));
    }
};

TUNDRIX_QTEST_MAIN(EditorAloneTest)
#include "editoralone_qtest.moc"
