// Printing from the main window: the report on the unit in the shown tab's cursor row
// ("Печать", Ctrl+P) and the selection list of that tab ("Печатать список выбора"), each through
// a print preview from which the user prints, and each also straight into a PDF file for users
// without a printer.
#pragma once

#include <QString>

#include <functional>
#include <optional>

#include "printing/reportmodel.h"

class QAction;
class QMenu;
class QWidget;

namespace tundrix {

class MainWindow;
class PrintTarget;

// A print preview of a document drawn by `draw`, from which the user prints (or prints to a
// PDF file); `title` names the window and the print job. `draw` returns false when the device
// refused a page, which the user is told (kIncompletePrintText).
void previewDocument(QWidget* parent, const QString& title,
                     const std::function<bool(PrintTarget&)>& draw);

inline const QString kNothingToPrintText =
    QStringLiteral("В таблице подбора нет выбранной установки: печатать нечего.");
inline const QString kIncompletePrintText = QStringLiteral(
    "Документ напечатан не полностью: принтер не принял новую страницу, печать остановлена.");

// The report's contents as the shown kind tab has them now; nullopt on the description tab.
// `hasUnit` is false when no unit stands behind the cursor row (an empty result table).
std::optional<ReportModel> reportFromWindow(MainWindow& window);
// The shown kind tab's result table; nullopt on the description tab.
std::optional<ListModel> listFromWindow(MainWindow& window);

// What the menu items do. The PDF variants ask for the file name first; an empty name (the
// dialog cancelled) prints nothing. They return whether a document was produced.
bool printReport(MainWindow& window);
bool printList(MainWindow& window);
bool saveReportPdf(MainWindow& window, const QString& file);
bool saveListPdf(MainWindow& window, const QString& file);

// Connects "Печать" and "Печатать список выбора" and adds "Сохранить отчет в PDF..." and
// "Сохранить список выбора в PDF..." to the file menu.
void installPrintActions(MainWindow& window, QMenu* fileMenu, QAction* print, QAction* printList);

}  // namespace tundrix
