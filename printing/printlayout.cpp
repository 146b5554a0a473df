#include "printing/printlayout.h"
#include "printing/printtext.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace tundrix {

namespace {

const QColor kHeaderBlue(0, 0, 255);

// Device coordinates from real ones: rounded to nearest (halves to even); far-off values of a
// damaged envelope are held inside a range the paint engines can take.
int devicePos(double v) {
    if (!std::isfinite(v))
        return 0;
    return int(std::nearbyint(std::clamp(v, -1e7, 1e7)));
}

}  // namespace

// A font whose line height (ascent + descent) is `height` device units on the painter's device.
QFont fontWithHeight(QFont base, int height, QPaintDevice* device) {
    height = std::max(1, height);
    base.setPixelSize(height);
    const int got = QFontMetrics(base, device).height();
    if (got > 0 && got != height)
        base.setPixelSize(std::max(1, int(std::lround(double(height) * height / got))));
    return base;
}

// Text with its top left corner at (x, y) in the given colour. A text wider than `maxWidth`
// (when positive) is condensed sideways down to 60 % and, if still too wide, cut with an
// ellipsis, so that it never runs into the next column or out of its box.
void textOut(QPainter& p, int x, int y, const QString& text, const QColor& colour,
             int maxWidth) {
    if (text.isEmpty())
        return;
    const QFontMetrics fm = p.fontMetrics();
    const QPen pen = p.pen();
    p.setPen(colour);
    const int width = fm.horizontalAdvance(text);
    if (maxWidth <= 0 || width <= maxWidth) {
        p.drawText(QPoint(x, y + fm.ascent()), text);
    } else {
        constexpr double kMinStretch = 0.6;
        const double factor = std::max(kMinStretch, double(maxWidth) / width);
        const QString shown =
            factor > kMinStretch ? text
                                 : fm.elidedText(text, Qt::ElideRight, int(maxWidth / kMinStretch));
        p.save();
        p.translate(x, y + fm.ascent());
        p.scale(factor, 1.0);
        p.drawText(QPoint(0, 0), shown);
        p.restore();
    }
    p.setPen(pen);
}

namespace {

void setPenWidth(QPainter& p, int width) {
    QPen pen = p.pen();
    pen.setWidth(std::max(0, width));
    p.setPen(pen);
}

void setPenColour(QPainter& p, const QColor& colour) {
    QPen pen = p.pen();
    pen.setColor(colour);
    p.setPen(pen);
}

void line(QPainter& p, int x1, int y1, int x2, int y2) {
    p.drawLine(QPoint(x1, y1), QPoint(x2, y2));
}

void box(QPainter& p, int x1, int y1, int x2, int y2) {
    p.drawRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)));
}

// Draws the report body: the state between rows of the document.
class ReportWriter {
public:
    ReportWriter(QPainter& p, PrintTarget& target, const LayoutMeasures& m,
                 const ReportModel& model)
        : p_(p), target_(target), m_(m), model_(model) {}

    // Draws the whole report; false when the device refused a new page (the drawing stops
    // there rather than going on over the page already drawn).
    bool run();

private:
    void heading(int centre, const QString& text);
    void dataRow(const ReportRow& row);
    void characteristicsRow(const ReportRow& row);
    void deliveryRow(const QString& text);
    bool pageCheck();
    bool newPage();

    QPainter& p_;
    PrintTarget& target_;
    const LayoutMeasures& m_;
    const ReportModel& model_;
    int y_ = 0;
};

void ReportWriter::heading(int centre, const QString& text) {
    const int w = p_.fontMetrics().horizontalAdvance(text);
    textOut(p_, centre - w / 2, y_, text, Qt::black);
}

void ReportWriter::dataRow(const ReportRow& row) {
    const int half = m_.gap / 2;
    const int left = m_.offX + 2 * m_.cw;
    const int right = m_.W - 50 * m_.cw;
    const int divider = m_.offX + 35 * m_.cw;
    box(p_, left, y_ - half, right, y_ + m_.lh + half);
    line(p_, divider, y_ - half, divider, y_ + m_.lh + half);
    textOut(p_, m_.offX + 3 * m_.cw, y_, row.label, Qt::black, divider - m_.offX - 3 * m_.cw);
    textOut(p_, m_.offX + 37 * m_.cw, y_, row.value, Qt::black,
            right - m_.offX - 37 * m_.cw - m_.cw / 2);
}

void ReportWriter::characteristicsRow(const ReportRow& row) {
    const int half = m_.gap / 2;
    const int left = m_.offX + 2 * m_.cw;
    const int right = m_.W - 5 * m_.cw;
    const int divider = m_.offX + 55 * m_.cw;
    box(p_, left, y_ - half, right, y_ + m_.lh + half);
    line(p_, divider, y_ - half, divider, y_ + m_.lh + half);
    textOut(p_, m_.offX + 3 * m_.cw, y_, row.label, Qt::black, divider - m_.offX - 3 * m_.cw);
    textOut(p_, m_.offX + 56 * m_.cw, y_, row.value, Qt::black,
            right - m_.offX - 56 * m_.cw - m_.cw / 2);
}

void ReportWriter::deliveryRow(const QString& text) {
    const int half = m_.gap / 2;
    const int right = m_.cR + 45 * m_.cw;
    box(p_, m_.offX + 2 * m_.cw, y_ - half, right, y_ + m_.lh + half);
    textOut(p_, m_.offX + 3 * m_.cw, y_, text, Qt::black, right - m_.offX - 3 * m_.cw - m_.cw / 2);
}

bool ReportWriter::newPage() {
    if (!target_.newPage())
        return false;
    Printhead(p_, m_, model_.letterhead);
    y_ = m_.bodyTop();
    return true;
}

// The next row goes one line further down, unless its box would then end past the page's
// bottom limit (PH - 40): then at the top of a new page. Deciding on the place the row will
// take, not on the place of the row before, keeps the last row of a page on the paper.
bool ReportWriter::pageCheck() {
    const int next = y_ + m_.lh + m_.gap;
    if (m_.PH - 40 < next + m_.lh + m_.gap / 2)
        return newPage();
    y_ = next;
    return true;
}

bool ReportWriter::run() {
    Printhead(p_, m_, model_.letterhead);
    if (model_.hasUnit)
        drawReportEnvelope(p_, m_, model_.envelope);

    y_ = m_.bodyTop();
    const QString when = QStringLiteral("ДАТА И ВРЕМЯ РАСЧЕТА:");
    const int w = p_.fontMetrics().horizontalAdvance(when);
    heading(m_.cL, when);
    textOut(p_, m_.cL + w / 2, y_, model_.dateTime, Qt::black);

    y_ += m_.lh + m_.gap;
    heading(m_.cL, QStringLiteral("ИСХОДНЫЕ ДАННЫЕ"));
    for (const ReportRow& row : inputRows(model_)) {
        y_ += m_.lh + m_.gap;
        dataRow(row);
    }
    y_ += m_.lh + 2 * m_.gap;

    if (model_.liquid) {
        heading(m_.cL, QStringLiteral("ДАННЫЕ ПО ХЛАДОНОСИТЕЛЮ"));
        for (const ReportRow& row : liquidRows(model_)) {
            y_ += m_.lh + m_.gap;
            dataRow(row);
        }
        y_ += m_.lh + 2 * m_.gap;
    }

    heading(m_.cL, QStringLiteral("ВЫБРАННАЯ УСТАНОВКА"));
    for (const ReportRow& row : model_.result) {
        y_ += m_.lh + m_.gap;
        dataRow(row);
    }

    y_ += m_.lh + 2 * m_.gap;
    heading(m_.cR, QStringLiteral("ТЕХНИЧЕСКИЕ ХАРАКТЕРИСТИКИ"));
    for (const ReportRow& row : model_.techData) {
        if (!pageCheck())
            return false;
        characteristicsRow(row);
    }

    if (!newPage())
        return false;
    heading(m_.cR, QStringLiteral("КОМПЛЕКТ ПОСТАВКИ"));
    for (const QString& text : model_.deliverySet) {
        if (!pageCheck())
            return false;
        deliveryRow(text);
    }
    return true;
}

QString degreesLabel(int t) {
    return QString::number(t) + QStringLiteral("°") + QStringLiteral("C");
}

}  // namespace

LayoutMeasures measureLayout(const QFont& tableFont, PrintTarget& target) {
    const QFontMetrics fm(tableFont, target.device());
    const PageMetrics page = target.metrics();
    LayoutMeasures m;
    m.lh = fm.height();
    m.gap = m.lh / 2;
    m.cw = fm.horizontalAdvance(QLatin1Char('A'));
    m.W = page.width;
    m.offX = page.offX;
    m.offY = page.offY;
    m.PH = page.height;
    m.cL = m.W / 3;
    m.cR = m.W / 2;
    return m;
}

void Printhead(QPainter& p, const LayoutMeasures& m, const Letterhead& letterhead) {
    const int lh = m.lh;
    const int pp = int(std::lround(lh / 3.2));
    QPen pen(kHeaderBlue);
    pen.setWidth(lh / 4);
    p.setPen(pen);
    line(p, 5 * pp, 5 * pp, 5 * pp, 25 * pp);
    line(p, 5 * pp, 25 * pp, 25 * pp, 25 * pp);
    line(p, 25 * pp, 25 * pp, 5 * pp, 5 * pp);

    // Hatching inside the triangle, one stroke every lh / 4 (at least one unit).
    const int step = std::max(1, lh / 4);
    int q = 5 * pp;
    do {
        q += step;
        line(p, 5 * pp, q, q - lh / 8, q);
    } while (q < 25 * pp - lh / 4);

    setPenWidth(p, lh / 8);
    QPaintDevice* device = p.device();
    const int bigHeight = int(std::lround(1.5 * lh));
    p.setFont(fontWithHeight(p.font(), bigHeight, device));
    const int slotRows[3] = {12, 19, 25};
    for (int i = 0; i < 3; ++i) {
        const int a = slotRows[i] * pp;
        textOut(p, a, a - bigHeight, letterhead.underlined[std::size_t(i)], kHeaderBlue);
        line(p, a, a, 50 * pp, a);
    }
    line(p, 5 * pp, 26 * pp, m.W - 15 * pp, 26 * pp);

    p.setFont(fontWithHeight(p.font(), lh, device));
    const int rows[5] = {5, 9, 13, 17, 21};
    for (int i = 0; i < 5; ++i) {
        const QString& text = letterhead.right[std::size_t(i)];
        const int w = p.fontMetrics().horizontalAdvance(text);
        textOut(p, m.W - 15 * pp - w, rows[i] * pp, text, kHeaderBlue);
    }

    setPenColour(p, Qt::black);
    p.setBrush(Qt::white);
    p.setFont(fontWithHeight(p.font(), int(std::lround(1.2 * lh)), device));
}

void drawReportEnvelope(QPainter& p, const LayoutMeasures& m, const ReportEnvelope& e) {
    // A fifth corner at 10 degrees gives the vertical axis no scale: no chart then.
    if (!e.present || !std::isfinite(e.ylim5) || e.ylim5 == 10.0)
        return;
    const int lh = m.lh;
    const double x0 = 95.0 * m.cw;
    const double y0 = 30.0 * lh;
    const double sx = 4.0 * lh / 15.0;
    const double sy = -4.0 / ((e.ylim5 - 10.0) / 50.0) * lh / 15.0;
    auto col = [&](double x) { return devicePos(sx * x + x0); };
    auto row = [&](double t) { return devicePos(sy * t + y0); };

    // Corners that cannot be computed (no performance data) leave the outline out.
    bool outline = true;
    QPolygon polygon;
    for (const QPointF& v : e.vertices) {
        outline = outline && std::isfinite(v.x()) && std::isfinite(v.y());
        polygon << QPoint(col(v.x()), row(v.y()));
    }
    polygon << polygon.front();
    auto drawOutline = [&] {
        if (!outline)
            return;
        QPen pen(Qt::black);
        pen.setWidth(lh / 6);
        p.setPen(pen);
        p.drawPolyline(polygon);
    };

    drawOutline();
    if (std::isfinite(e.t0) && std::isfinite(e.tc)) {
        QPen pen(Qt::black);
        pen.setWidth(lh / 6);
        p.setPen(pen);
        const int d = lh / 3;
        const int x = col(e.t0);
        const int y = row(e.tc);
        box(p, x - d, y - d, x + d, y + d);
    }

    QPen grid(QGuiApplication::palette().color(QPalette::Dark));
    grid.setWidth(lh / 8);
    p.setPen(grid);
    int top = 0;  // the last level that got a horizontal line
    for (int k = 1; k <= 8 && e.ylim5 + 10 > 10.0 * k; ++k) {
        const int y = row(10.0 * k);
        line(p, col(-60), y, col(20), y);
        textOut(p, col(-65) - 2 * m.cw, y, degreesLabel(10 * k), Qt::black);
        top = 10 * k;
    }
    for (int k = -6; k <= 2; ++k) {
        const int x = col(10.0 * k);
        line(p, x, row(10), x, row(top));
        // Column labels stand 10 degrees apart; a wide font is condensed to keep them apart.
        textOut(p, x - m.cw, row(5), degreesLabel(10 * k), Qt::black,
                devicePos(10 * sx) - m.cw / 2);
    }

    drawOutline();
    QPen pen(Qt::black);
    pen.setWidth(lh / 8);
    p.setPen(pen);
}

bool Printeasy(const ReportModel& model, PrintTarget& target) {
    const LayoutMeasures m = measureLayout(model.font, target);
    target.setTitle(kReportTitle);
    QPainter p;
    if (!p.begin(target.device()))
        return false;
    p.setFont(model.font);
    const bool complete = ReportWriter(p, target, m, model).run();
    return p.end() && complete;
}

bool Printlist(const ListModel& model, PrintTarget& target) {
    const LayoutMeasures m = measureLayout(model.font, target);
    target.setTitle(kListTitle);
    QPainter p;
    if (!p.begin(target.device()))
        return false;
    p.setFont(model.font);
    p.setPen(Qt::black);
    const int columns[6] = {5, 25, 35, 45, 55, 65};
    int y = m.offY;
    for (const QStringList& row : model.rows) {
        // Lines stand 2 lh apart; a line whose text would end past the page's bottom limit
        // (PH - 20) starts the next page instead, its text beginning at the top offset.
        const int next = y + 2 * m.lh;
        if (m.PH - 20 < next + m.lh) {
            if (!target.newPage()) {
                p.end();
                return false;
            }
            y = m.offY;
        } else {
            y = next;
        }
        for (int c = 0; c < 6 && c < row.size(); ++c) {
            // Each column keeps to its width; the last one may run on to the page edge.
            const int width = c < 5 ? (columns[c + 1] - columns[c]) * m.cw - m.cw / 2 : 0;
            textOut(p, m.offX + columns[c] * m.cw, y, row[c], Qt::black, width);
        }
    }
    return p.end();
}

}  // namespace tundrix
