// Everything the printed documents show, gathered before printing starts: the report on the
// selected unit ("Выбранная установка") and the selection list ("Список выбора"). The windows
// and the command line fill these from their own sources; the layout code reads nothing else.
#pragma once

#include <QFont>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace tundrix {

// A label and its value (an input row, a result column, a technical characteristic).
struct ReportRow {
    QString label;
    QString value;
};

// The chilled-liquid section of a chiller report, as the chiller tab shows it.
struct ReportLiquid {
    QString liquid;  // "Вода", "Этиленгликоль 30%"
    QString flow;    // "2,5 кг/сек"
    QString inlet;   // "20 °C" (already carries its unit)
    QString outlet;  // the outlet temperature as typed
};

// The envelope chart: the six corners (evaporating, temperature) as the details view draws
// them, the fifth corner's condensing limit that sets the vertical scale, and the operating
// point. `present` is false when no unit is behind the report.
struct ReportEnvelope {
    bool present = false;
    std::array<QPointF, 6> vertices{};
    double ylim5 = 0;
    double t0 = 0;  // evaporating temperature of the point
    double tc = 0;  // its condensing-side temperature (the ambient in ambient mode)
};

// The letterhead printed on every page; blank unless a dealer fills it in.
struct Letterhead {
    std::array<QString, 3> underlined;  // the three underlined lines beside the triangle
    std::array<QString, 5> right;       // five lines right-aligned at the top right
};

struct ReportModel {
    QFont font;                 // the result table's font: it sets the measures of the page
    QString dateTime;           // date and time of the calculation, in the user's format
    QString refrigerant;        // text of the refrigerant choice
    QString refrigerantSafety;  // its safety class and GWP, as beside the choice
    // Texts of the fields as typed: evaporating, condensing, ambient, superheat, subcooling.
    QString evaporate, condensate, ambient, superheat, subcool;
    std::optional<ReportLiquid> liquid;  // chillers only
    std::vector<ReportRow> result;       // one row per result-table column: heading, cell
    std::vector<ReportRow> techData;     // row 0 is the grid's heading row
    // Condensing units: rating points, SEPR, minimum, verdict and the year (empty: no section).
    std::vector<ReportRow> seasonal;
    QStringList deliverySet;  // lines of the delivery-set text
    ReportEnvelope envelope;
    bool hasUnit = false;  // a unit is behind the printed row
    Letterhead letterhead;
};

struct ListModel {
    QFont font;
    // The result table's rows, row 0 its headings; only the first six columns are printed.
    std::vector<QStringList> rows;
};

// The font a document is printed in: the result table's family at 8 points, the size the page
// layout is drawn up for (a larger one pushes the envelope chart off the right edge of A4).
QFont printFont(const QFont& tableFont);

// The six input rows of the report in their printed order, with "°C" after the temperatures.
std::vector<ReportRow> inputRows(const ReportModel& m);
// The four chilled-liquid rows (empty without liquid data).
std::vector<ReportRow> liquidRows(const ReportModel& m);

// Splits a text into the lines a memo shows (CR LF, LF or CR); a text ending in a line break
// has no empty last line, and an empty text has no lines.
QStringList memoLines(const QString& text);

}  // namespace tundrix
