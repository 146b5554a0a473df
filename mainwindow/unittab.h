// The controls of one kind tab of the main window (condensing units, compressor-receiver units,
// racks, chillers): "подбор", the result grid with its small options grid, the model label, the
// result pages (list, drawing, texts, picture, technical data), the chart and "<" / ">".
#pragma once

#include <QString>

#include "catalogue/choices.h"

class QLabel;
class QPdfDocument;
class QPdfView;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QTableWidget;
class QWidget;
class QVBoxLayout;

namespace tundrix {

class EnvelopeChart;
class PictureView;

// Object names of one tab's controls.
struct UnitTabNames {
    UnitKind kind;
    QString sheet, caption;
    QString podbor, grid, optionsGrid, model, noData, pages;
    QString chart, panel, complect, browser, description, picture, techGrid;
    QString prev, next, options;
    QString pagesPrefix;  // prefix of the five page widgets' object names
};

struct UnitTab {
    UnitKind kind = UnitKind::None;  // Glco stands for the chiller tab as a whole
    QWidget* sheet = nullptr;
    QPushButton* podbor = nullptr;
    QTableWidget* grid = nullptr;         // results: 6 columns, headings in the header
    QTableWidget* optionsGrid = nullptr;  // options: names in the header, price, "выбрана"
    QLabel* model = nullptr;
    QLabel* noData = nullptr;
    QLabel* coverage = nullptr;  // beside noData: what the catalogue holds instead
    QTabWidget* pages = nullptr;
    EnvelopeChart* chart = nullptr;
    QWidget* panel = nullptr;
    QPlainTextEdit* complect = nullptr;
    QStackedWidget* drawingStack = nullptr;  // the PDF view or the placeholder picture
    QPdfView* browser = nullptr;
    QPdfDocument* drawing = nullptr;
    PictureView* drawingPlaceholder = nullptr;
    QPlainTextEdit* description = nullptr;
    PictureView* picture = nullptr;
    QTableWidget* techGrid = nullptr;
    QPushButton* prev = nullptr;
    QPushButton* next = nullptr;
    QPushButton* options = nullptr;
    QVBoxLayout* extras = nullptr;  // room above the pages for the tab's own inputs

    // What the details pages show now, as fileStamp() of their files (empty: nothing known),
    // so that a re-run that leaves the cursor on the same unit reads nothing again.
    QString drawingShown, complectShown, descriptionShown, techShown;
};

// A file's path with its inode, modification time and size: equal stamps mean an unchanged file;
// empty when the file cannot be read.
QString fileStamp(const QString& file);

// Builds the tab's widgets inside a new sheet (not yet added to a tab widget).
UnitTab buildUnitTab(const UnitTabNames& names);

// Widens every figure column of a result grid to its heading and widest number, so nothing is
// cut; the name column keeps the rest.
void fitFigureColumns(QTableWidget* grid);

// The object names of the four kind tabs.
UnitTabNames condensingTabNames();
UnitTabNames receiverTabNames();
UnitTabNames rackTabNames();
UnitTabNames chillerTabNames();

}  // namespace tundrix
