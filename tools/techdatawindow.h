// The technical-data window (TForm5): the record of the unit list editor's current unit in the
// open technical-data table, as field names and values. A unit without a record gets a new one
// pre-filled from the editor's row; "ОК" writes it back and puts its key into the editor's
// column 9; "Посмотреть чертеж" opens the unit's drawing from the data folder.
#pragma once

#include <QWidget>

#include <filesystem>
#include <functional>

#include "tools/techformcore.h"

class QLabel;
class QLineEdit;
class QTableWidget;
class QUrl;

namespace tundrix {

class TechDataModule;

class TechDataWindow : public QWidget {
public:
    explicit TechDataWindow(const std::filesystem::path& dataDir, QWidget* parent = nullptr);
    ~TechDataWindow() override;

    void setDataDir(const std::filesystem::path& dir) { dataDir_ = dir; }
    // The shared table object; the unit list editor switches it to the table of its kind.
    void setTechData(TechDataModule* module) { module_ = module; }
    // The loaded condenser list (fan data of the pre-fill and the sums).
    void setCondensers(const Condenserprop* condensers) { condensers_ = condensers; }
    // How a drawing is handed to the system (QDesktopServices by default; tests replace it).
    void setUrlOpener(std::function<bool(const QUrl&)> opener) { openUrl_ = std::move(opener); }

    // What the unit list editor calls on a double click in its column 9: shows the window for
    // the editor's current row. The row object must outlive the window's use of it.
    void openFor(EditorRowAccess* row);

    // The handlers, as the controls call them.
    void Button1Click();  // "ОК"
    void Button2Click();  // "Посмотреть чертеж"
    void StringGrid1DblClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillWindow();
    void showForm();
    void message(const QString& text);
    QString tableName() const;

    std::filesystem::path dataDir_;
    TechDataModule* module_ = nullptr;
    const Condenserprop* condensers_ = nullptr;
    EditorRowAccess* row_ = nullptr;
    std::function<bool(const QUrl&)> openUrl_;
    TechForm form_;

    QTableWidget* stringGrid1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLineEdit* edit1_ = nullptr;
};

}  // namespace tundrix
