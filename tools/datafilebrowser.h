// The data file browser (TForm4): lists a data folder beside the program, lets the maintainer go
// down into subfolders, and hands the picked file's path, relative to the data folder, to the
// unit list editor's current cell.
#pragma once

#include <QWidget>

#include <filesystem>
#include <functional>

#include "tools/browsercore.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace tundrix {

class DataFileBrowser : public QWidget {
    Q_OBJECT
public:
    // Item data roles of the six hidden values of an entry.
    enum Role {
        SizeRole = Qt::UserRole + 1,
        TypeRole,
        TimeRole,
        AttributesRole,
        PathRole,
        KindRole,  // "dir" or "file"
    };

    explicit DataFileBrowser(const std::filesystem::path& dataDir, QWidget* parent = nullptr);

    void setDataDir(const std::filesystem::path& dir) { dataDir_ = dir; }

    // Shows the browser at the data folder of a unit list column (7, 8, 11, 23); a picked file's
    // relative path goes to `picked`.
    void openFor(int column, std::function<void(const QString&)> picked);

    // The relative folder shown ("TechnicalData\series\").
    QString relativeFolder() const;

private:
    // Lists the shown folder; true when anything was listed.
    bool addfile();
    void itemActivated(QListWidgetItem* item);

    std::filesystem::path dataDir_;
    BrowserLocation location_;
    std::function<void(const QString&)> picked_;
    QLineEdit* edit1_;
    QListWidget* listView1_;
};

}  // namespace tundrix
