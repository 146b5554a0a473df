// The compressor table builder window (TForm3, "Создание таблицы компрессоров"): ten catalogue
// points in, four coefficient sets out, a trial calculation, the envelope corners, and the
// entries of a brand coefficient file listed, entered, deleted, written and converted.
#pragma once

#include <QWidget>

#include <filesystem>
#include <functional>
#include <vector>

#include "tools/tablebuildercore.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace tundrix {

class TableBuilderWindow : public QWidget {
public:
    explicit TableBuilderWindow(const std::filesystem::path& dataDir, QWidget* parent = nullptr);

    void setDataDir(const std::filesystem::path& dir) { dataDir_ = dir; }
    const TableBuilder& builder() const { return builder_; }
    // Called after the brand file was written ("Записать", "перегнать"), so that the program's
    // other windows read it again.
    void setWrittenHook(std::function<void()> hook) { written_ = std::move(hook); }

    // The button handlers, as the buttons call them.
    void coefficientsClick();  // "Коэффициенты"
    void calculateClick();     // "расчет "
    void enterClick();         // "Внести"
    void writeClick();         // "Записать"
    void openClick();          // "открыть"
    void removeClick();        // "Удалить последний"
    void convertClick();       // "перегнать"

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void refrigerantClick(int refrigerant);
    void brandClick(int brand);
    void compressorChosen(int index);
    void showSets();
    void showLists();
    void fail(const QString& what, const std::string& reason);
    double cellNumber(QTableWidget* grid, int row, int column) const;
    double editNumber(QLineEdit* edit) const;
    QString number(double v) const;

    std::filesystem::path dataDir_;
    TableBuilder builder_;
    std::function<void()> written_;

    QTableWidget* stringGrid1_ = nullptr;  // the ten points
    QTableWidget* stringGrid2_ = nullptr;  // the four coefficient sets
    QTableWidget* stringGrid3_ = nullptr;  // compressors in the loaded file
    QTableWidget* stringGrid4_ = nullptr;  // envelope corners
    QLineEdit* edit1_ = nullptr;           // trial t0
    QLineEdit* edit2_ = nullptr;           // trial tc
    QLineEdit* edit3_ = nullptr;           // Q
    QLineEdit* edit4_ = nullptr;           // W
    QLineEdit* edit5_ = nullptr;           // Ia
    QLineEdit* edit9_ = nullptr;           // Qmo
    QLineEdit* edit8_ = nullptr;           // compressor name
    std::vector<QRadioButton*> refrigerantButtons_;
    QRadioButton* brandButtons_[3] = {};
    QComboBox* comboBox1_ = nullptr;
    QCheckBox* checkBox1_ = nullptr;
};

}  // namespace tundrix
