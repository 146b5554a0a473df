// The unit list editor (TForm2, "Редактор списка агрегатов"): composes one unit list file in
// "agrdata/" from the calculator's current choice, loads and writes it, fills prices
// from a price file and takes file paths from the data file browser and record keys from the
// technical-data window.
#pragma once

#include <QWidget>

#include <functional>
#include <memory>

#include "catalogue/unitlisttable.h"
#include "tools/editorchoicescore.h"
#include "tools/maintenancecontext.h"
#include "tools/techformcore.h"
#include "tools/unitgridcore.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QTableView;
class QTableWidget;

namespace tundrix {

class DataFileBrowser;
class TechDataModule;

class UnitListEditor : public QWidget, public EditorRowAccess {
    Q_OBJECT
public:
    explicit UnitListEditor(MaintenanceContext context, TechDataModule* techData = nullptr,
                            DataFileBrowser* browser = nullptr, QWidget* parent = nullptr);
    ~UnitListEditor() override;

    // The windows created after this one: the shared technical-data table, which the editor's
    // choices switch, and the data file browser of columns 7, 8, 11 and 23.
    void setTechData(TechDataModule* module) { techData_ = module; }
    void setBrowser(DataFileBrowser* browser) { browser_ = browser; }

    // What a double click in column 9 does: shows the technical-data window for the current row.
    void setTechDataOpener(std::function<void()> open) { openTechData_ = std::move(open); }

    EditorChoices choices() const;
    QString unitListFileName() const;

    // The grid as plain cells (row 0: headings) and back.
    UnitGrid grid() const;
    void setGrid(const UnitGrid& grid);
    int insertionRow() const { return insertionRow_; }
    const UnitListTable& readTable() const { return *readTable_; }

    // EditorRowAccess: the grid's current row.
    std::string editorCell(int column) const override;
    void setEditorCell(int column, const std::string& text) override;

    // The buttons.
    void Button4Click();  // "Загрузить"
    void Button1Click();  // "Записать"
    void Button3Click();  // "Добавить"
    void Button5Click();  // "Удалить строку"
    void Button6Click();  // "Заполнить цены"
    void Button2Click();  // "Закрыть"

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choiceChanged();
    void rowDragged(int from, int to);
    void gridDoubleClicked(int row, int column);
    void fixFirstColumn(bool on);
    void placeFixedColumn();
    void resetForShow();
    void message(const QString& text, bool warning = true);
    int currentGridRow() const;

    MaintenanceContext context_;
    TechDataModule* techData_;
    DataFileBrowser* browser_;
    std::function<void()> openTechData_;

    std::unique_ptr<UnitListTable> readTable_;
    std::unique_ptr<UnitListTable> writeTable_;
    int insertionRow_ = 1;

    QButtonGroup* levelGroup_;
    QButtonGroup* refrigerantGroup_;
    QButtonGroup* brandGroup_;
    QButtonGroup* kindGroup_;
    QComboBox* comboBox1_;
    QLineEdit* edit1_;
    QCheckBox* checkBox1_;
    QCheckBox* checkBox2_;
    QTableWidget* grid_;
    QTableView* frozen_ = nullptr;  // the fixed name column
};

}  // namespace tundrix
