// The layout of the printed documents in device units of the page they are drawn on: the
// report on the selected unit (Printeasy, with the page header Printhead and the envelope chart)
// and the selection list (Printlist). All measures derive from the size of the letter "A" in the
// result table's font on the target device, so the pages look alike on any printer resolution.
#pragma once

#include <QString>

#include "printing/printtarget.h"
#include "printing/reportmodel.h"

class QFont;
class QPainter;

namespace tundrix {

inline const QString kReportTitle = QStringLiteral("Выбранная установка");
inline const QString kListTitle = QStringLiteral("Список выбора");

// Layout quantities, in device units.
struct LayoutMeasures {
    int lh = 0;              // height of "A" in the table font
    int gap = 0;             // lh / 2
    int cw = 0;              // width of "A"
    int W = 0;               // physical page width
    int offX = 0, offY = 0;  // unprintable margins
    int PH = 0;              // printable page height
    int cL = 0;              // W / 3: centre of the first-page headings
    int cR = 0;              // W / 2: centre of the full-width headings

    // Where the body of a page starts below the header.
    int bodyTop() const { return offY + 9 * lh; }
};

LayoutMeasures measureLayout(const QFont& tableFont, PrintTarget& target);

// Draws the page header at the top left of the current page and leaves the painter with the
// body font (black, white brush).
void Printhead(QPainter& painter, const LayoutMeasures& m, const Letterhead& letterhead);

// Draws the envelope chart of the report (nothing when the envelope has no vertical scale).
void drawReportEnvelope(QPainter& painter, const LayoutMeasures& m, const ReportEnvelope& e);

// Prints the report on the target: pages with the header, chart, input data, liquid data
// (chillers), the result row and the technical data, then the delivery set on a page of its
// own. False when the device could not be painted on or refused a new page (the drawing stops
// there).
bool Printeasy(const ReportModel& model, PrintTarget& target);

// Prints the selection list: one line per table row, six columns. False as for Printeasy.
bool Printlist(const ListModel& model, PrintTarget& target);

}  // namespace tundrix
