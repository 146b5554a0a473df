#include "datagen/unitdrawing.h"

#include "datagen/assetnames.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace tundrix::datagen {
namespace {

constexpr int kResolution = 600;  // dots per inch of the PDF's user space mapping
constexpr double kPageW = 297, kPageH = 210;

// Drawing in millimetres on the page, origin top left.
class Sheet {
public:
    explicit Sheet(QPainter& painter) : p_(painter) {
        p_.setRenderHint(QPainter::Antialiasing, true);
        thick_ = QPen(Qt::black, px(0.5), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
        thin_ = QPen(Qt::black, px(0.18), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        hidden_ = QPen(Qt::black, px(0.25), Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
        hidden_.setDashPattern({12, 6});
        center_ = QPen(Qt::black, px(0.18), Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
        center_.setDashPattern({60, 12, 6, 12});
    }

    static double px(double mm) { return mm * kResolution / 25.4; }
    static QPointF pt(double x, double y) { return {px(x), px(y)}; }

    void useThick() { p_.setPen(thick_); }
    void useThin() { p_.setPen(thin_); }
    void useHidden() { p_.setPen(hidden_); }
    void useCenter() { p_.setPen(center_); }

    void line(double x1, double y1, double x2, double y2) { p_.drawLine(pt(x1, y1), pt(x2, y2)); }
    void rect(double x, double y, double w, double h) {
        p_.setBrush(Qt::NoBrush);
        p_.drawRect(QRectF(pt(x, y), pt(x + w, y + h)).normalized());
    }
    void rounded(double x, double y, double w, double h, double r) {
        p_.setBrush(Qt::NoBrush);
        p_.drawRoundedRect(QRectF(pt(x, y), pt(x + w, y + h)).normalized(), px(r), px(r));
    }
    void circle(double x, double y, double r) {
        p_.setBrush(Qt::NoBrush);
        p_.drawEllipse(pt(x, y), px(r), px(r));
    }

    // One regular face for every text: a second (bold) face would embed a second font in each
    // of the thousands of drawings.
    void text(double x, double y, double w, double h, const QString& s, double points,
              int flags = Qt::AlignCenter) {
        QFont font("DejaVu Sans");
        font.setPointSizeF(points);
        p_.setFont(font);
        p_.setPen(Qt::black);
        p_.drawText(QRectF(pt(x, y), pt(x + w, y + h)), flags | Qt::TextSingleLine, s);
    }

    // Like text(), but shrinks the font (down to 5 points) until the text fits the width.
    void fittedText(double x, double y, double w, double h, const QString& s, double points) {
        QFont font("DejaVu Sans");
        for (; points > 5; points -= 0.5) {
            font.setPointSizeF(points);
            if (QFontMetricsF(font, p_.device()).horizontalAdvance(s) <= px(w - 2))
                break;
        }
        text(x, y, w, h, s, points, Qt::AlignCenter);
    }

    void arrow(double x, double y, double dx, double dy) {
        // Filled arrowhead with its tip at (x, y) pointing along (dx, dy).
        const double len = 2.5, half = 0.55;
        const double n = std::hypot(dx, dy);
        const double ux = dx / n, uy = dy / n;
        QPolygonF head({pt(x, y), pt(x - ux * len - uy * half, y - uy * len + ux * half),
                        pt(x - ux * len + uy * half, y - uy * len - ux * half)});
        p_.setPen(Qt::NoPen);
        p_.setBrush(Qt::black);
        p_.drawPolygon(head);
        p_.setBrush(Qt::NoBrush);
    }

    // Horizontal dimension between x1 and x2, measured from features at heights f1, f2, drawn
    // at height y (page millimetres); the value is in millimetres of the unit.
    void dimH(double x1, double f1, double x2, double f2, double y, int value) {
        useThin();
        const double over = y > f1 ? 2 : -2;
        line(x1, f1 + (y > f1 ? 1 : -1), x1, y + over);
        line(x2, f2 + (y > f2 ? 1 : -1), x2, y + over);
        useThin();
        line(x1, y, x2, y);
        arrow(x1, y, -1, 0);
        arrow(x2, y, 1, 0);
        const QString label = QString::number(value);
        if (x2 - x1 > 14)
            text(x1, y - 5, x2 - x1, 4.6, label, 9, Qt::AlignHCenter | Qt::AlignBottom);
        else
            text(x2 + 1, y - 5, 20, 4.6, label, 9, Qt::AlignLeft | Qt::AlignBottom);
    }

    // Vertical dimension between heights y1 and y2 (page mm, y1 above y2) at x.
    void dimV(double f1, double y1, double f2, double y2, double x, int value) {
        useThin();
        const double over = x < f1 ? -2 : 2;
        line(f1 + (x < f1 ? -1 : 1), y1, x + over, y1);
        line(f2 + (x < f2 ? -1 : 1), y2, x + over, y2);
        useThin();
        line(x, y1, x, y2);
        arrow(x, y1, 0, -1);
        arrow(x, y2, 0, 1);
        p_.save();
        p_.translate(pt(x - 1, (y1 + y2) / 2));
        p_.rotate(-90);
        QFont font("DejaVu Sans");
        font.setPointSizeF(9);
        p_.setFont(font);
        p_.setPen(Qt::black);
        p_.drawText(QRectF(-px(20), -px(4.6), px(40), px(4.6)),
                    Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine,
                    QString::number(value));
        p_.restore();
    }

private:
    QPainter& p_;
    QPen thick_, thin_, hidden_, center_;
};

// A view of the unit: unit millimetres (u along the view, v up) mapped onto the page.
struct View {
    double left, base, scale;  // page mm of the unit origin, unit mm per page mm
    double x(double u) const { return left + u / scale; }
    double y(double v) const { return base - v / scale; }
};

// The smallest standard reduction at which spans (unit mm) fit the room (page mm).
int fitScale(double spanU, double spanV, double roomU, double roomV) {
    static constexpr std::array<int, 12> kScales = {5,  10, 15,  20,  25,  40,
                                                    50, 75, 100, 150, 200, 400};
    for (int s : kScales) {
        if (spanU / s <= roomU && spanV / s <= roomV)
            return s;
    }
    return kScales.back();
}

void frameAndTitle(Sheet& sheet, const AssetUnit& unit, const UnitGeometry& g, int scale, int page,
                   int pages) {
    sheet.useThick();
    sheet.rect(20, 5, kPageW - 25, kPageH - 10);

    // Title block, 185 x 40 mm in the bottom right corner.
    const double tx = kPageW - 5 - 185, ty = kPageH - 5 - 40;
    sheet.rect(tx, ty, 185, 40);
    sheet.line(tx + 65, ty, tx + 65, ty + 40);
    sheet.line(tx + 135, ty, tx + 135, ty + 40);
    sheet.useThin();
    const char* roles[] = {"Разраб.", "Пров.", "Т.контр.", "Н.контр.", "Утв."};
    for (int i = 0; i < 5; ++i) {
        const double y = ty + 8 * i;
        if (i > 0)
            sheet.line(tx, y, tx + 65, y);
        sheet.text(tx + 1.5, y, 20, 8, QString::fromUtf8(roles[i]), 7,
                   Qt::AlignLeft | Qt::AlignVCenter);
    }
    sheet.line(tx + 20, ty, tx + 20, ty + 40);
    sheet.line(tx + 45, ty, tx + 45, ty + 40);
    sheet.line(tx + 65, ty + 24, tx + 135, ty + 24);
    sheet.fittedText(tx + 65, ty + 2, 70, 13, QString::fromStdString(unit.name), 13);
    sheet.text(tx + 65, ty + 14, 70, 8, QString::fromUtf8("Габаритный чертеж"), 9);
    sheet.text(tx + 65, ty + 26, 70, 12, QString::fromUtf8("Каталог холодильного оборудования"), 7);

    // Right column: mass and scale, sheet numbers.
    sheet.line(tx + 135, ty + 8, tx + 185, ty + 8);
    sheet.line(tx + 135, ty + 18, tx + 185, ty + 18);
    sheet.line(tx + 135, ty + 26, tx + 185, ty + 26);
    sheet.line(tx + 160, ty, tx + 160, ty + 26);
    sheet.text(tx + 135, ty, 25, 8, QString::fromUtf8("Масса, кг"), 7);
    sheet.text(tx + 160, ty, 25, 8, QString::fromUtf8("Масштаб"), 7);
    sheet.text(tx + 135, ty + 8, 25, 10, QString::number(g.mass), 10);
    sheet.text(tx + 160, ty + 8, 25, 10, QString("1:%1").arg(scale), 10);
    sheet.text(tx + 135, ty + 18, 25, 8, QString::fromUtf8("Лист %1").arg(page), 7);
    sheet.text(tx + 160, ty + 18, 25, 8, QString::fromUtf8("Листов %1").arg(pages), 7);
    sheet.text(tx + 135, ty + 26, 50, 14, QString::fromUtf8("Размеры в мм"), 8);
}

void frontView(Sheet& s, const UnitGeometry& g, const View& v) {
    s.useThick();
    s.rect(v.x(0), v.y(g.frameHeight), g.length / v.scale, g.frameHeight / v.scale);
    if (g.hasVessel) {
        const double x0 = g.bayStart - 40, d = g.vesselDiameter;
        s.rounded(v.x(x0), v.y(g.frameHeight + 30 + d), g.vesselLength / v.scale, d / v.scale,
                  d / v.scale / 2.2);
    }
    const double cw = std::min(g.compLength, g.compDepth) * 0.9;
    for (int i = 0; i < g.compressors; ++i) {
        const double cx = g.bayStart + g.compLength / 2.0 + i * double(g.compLength + g.compGap);
        const double top = g.compBase + g.compHeight * 0.86;
        s.useThick();
        s.rounded(v.x(cx - cw / 2), v.y(g.compBase + g.compHeight * 0.78), cw / v.scale,
                  g.compHeight * 0.78 / v.scale, 1.0);
        s.rect(v.x(cx - cw * 0.28), v.y(top), cw * 0.56 / v.scale, g.compHeight * 0.08 / v.scale);
        s.useThin();
        s.rect(v.x(cx - cw * 0.6), v.y(g.compBase), cw * 1.2 / v.scale, 20 / v.scale);
        s.useCenter();
        s.line(v.x(cx), v.y(top) - 3, v.x(cx), v.y(g.compBase) + 3);
    }
    // Suction header above the compressors, with a drop to each of them.
    if (g.compressors > 1) {
        const double z = g.compBase + g.compHeight + 40;
        const double x0 = g.bayStart + g.compLength / 2.0 - 80;
        const double x1 = g.bayStart + g.compLength / 2.0 +
                          (g.compressors - 1) * double(g.compLength + g.compGap) + 80;
        s.useThin();
        s.rect(v.x(x0), v.y(z + 19), (x1 - x0) / v.scale, 38 / v.scale);
        for (int i = 0; i < g.compressors; ++i) {
            const double cx =
                g.bayStart + g.compLength / 2.0 + i * double(g.compLength + g.compGap) + cw * 0.2;
            for (double dx : {-13.0, 13.0})
                s.line(v.x(cx + dx), v.y(z - 19), v.x(cx + dx),
                       v.y(g.compBase + g.compHeight * 0.7));
        }
    }
    if (g.hasPanel) {
        s.useThick();
        s.rect(v.x(g.panelX), v.y(g.frameHeight + g.panelHeight), g.panelWidth / v.scale,
               g.panelHeight / v.scale);
        s.useThin();
        const double mid = g.panelX + g.panelWidth / 2.0;
        s.line(v.x(mid), v.y(g.frameHeight + g.panelHeight - 40), v.x(mid),
               v.y(g.frameHeight + 40));
        for (int i = 0; i < 3; ++i)
            s.circle(v.x(g.panelX + 90 + 70.0 * i), v.y(g.frameHeight + g.panelHeight - 120),
                     22 / v.scale);
    }
    if (g.hasCondenser) {
        s.useThick();
        s.rect(v.x(g.condX), v.y(g.frameHeight + g.condHeight), g.condLength / v.scale,
               g.condHeight / v.scale);
        const double pitch = g.fanDiameter + 120;
        for (int row = 0; row < g.fanRows; ++row)
            for (int k = 0; k < g.fansPerRow; ++k) {
                const double cx = g.condX + 100 + pitch * (k + 0.5);
                const double cz = g.frameHeight + 100 + pitch * (row + 0.5);
                const double r = g.fanDiameter / 2.0 / v.scale;
                s.useThick();
                s.circle(v.x(cx), v.y(cz), r);
                s.useThin();
                s.circle(v.x(cx), v.y(cz), r * 0.2);
                s.useCenter();
                s.line(v.x(cx) - r - 2, v.y(cz), v.x(cx) + r + 2, v.y(cz));
                s.line(v.x(cx), v.y(cz) - r - 2, v.x(cx), v.y(cz) + r + 2);
            }
    }
}

void sideView(Sheet& s, const UnitGeometry& g, const View& v) {
    const double mid = g.depth / 2.0;
    s.useThick();
    s.rect(v.x(0), v.y(g.frameHeight), g.depth / v.scale, g.frameHeight / v.scale);
    // Seen from the right end: the condenser hides the panel, the panel hides the machine bay.
    const bool panelHidden = g.hasCondenser;
    const bool bayHidden = g.hasCondenser || g.hasPanel;
    if (g.hasCondenser) {
        s.useThick();
        s.rect(v.x(mid - g.condDepth / 2.0), v.y(g.frameHeight + g.condHeight),
               g.condDepth / v.scale, g.condHeight / v.scale);
    }
    if (g.hasPanel) {
        panelHidden ? s.useHidden() : s.useThick();
        s.rect(v.x(60), v.y(g.frameHeight + g.panelHeight), (g.depth - 260) / v.scale,
               g.panelHeight / v.scale);
    }
    bayHidden ? s.useHidden() : s.useThick();
    if (g.hasVessel) {
        const double r = g.vesselDiameter / 2.0;
        s.circle(v.x(mid), v.y(g.frameHeight + 30 + r), r / v.scale);
    }
    const double cw = std::min(g.compLength, g.compDepth) * 0.9;
    s.rounded(v.x(mid - cw / 2), v.y(g.compBase + g.compHeight * 0.78), cw / v.scale,
              g.compHeight * 0.78 / v.scale, 1.0);
    s.useCenter();
    s.line(v.x(mid), v.y(g.height) - 3, v.x(mid), v.y(0) + 3);
}

void planView(Sheet& s, const UnitGeometry& g, const View& v) {
    // Plan: u along the length, v across the depth (front edge at v = 0, drawn at the bottom).
    s.useThick();
    s.rect(v.x(0), v.y(g.depth), g.length / v.scale, g.depth / v.scale);
    const double mid = g.depth / 2.0;
    if (g.hasVessel) {
        s.useHidden();
        const double r = g.vesselDiameter / 2.0;
        s.rect(v.x(g.bayStart - 40), v.y(mid + r), g.vesselLength / v.scale, 2 * r / v.scale);
    }
    const double r = std::min(g.compLength, g.compDepth) * 0.45;
    for (int i = 0; i < g.compressors; ++i) {
        const double cx = g.bayStart + g.compLength / 2.0 + i * double(g.compLength + g.compGap);
        s.useThick();
        s.circle(v.x(cx), v.y(mid), r / v.scale);
        s.useCenter();
        s.line(v.x(cx) - r / v.scale - 2, v.y(mid), v.x(cx) + r / v.scale + 2, v.y(mid));
        s.line(v.x(cx), v.y(mid) - r / v.scale - 2, v.x(cx), v.y(mid) + r / v.scale + 2);
    }
    if (g.hasPanel) {
        s.useThick();
        s.rect(v.x(g.panelX), v.y(g.depth - 200), g.panelWidth / v.scale,
               (g.depth - 260) / v.scale);
    }
    if (g.hasCondenser) {
        s.useThick();
        s.rect(v.x(g.condX), v.y(mid + g.condDepth / 2.0), g.condLength / v.scale,
               g.condDepth / v.scale);
    }
    // Mounting holes 60 mm in from each corner of the frame.
    s.useThick();
    for (double hu : {60.0, double(g.length) - 60})
        for (double hv : {60.0, double(g.depth) - 60})
            s.circle(v.x(hu), v.y(hv), 7 / v.scale + 0.4);
}

void drawPage1(Sheet& s, const AssetUnit& unit, const UnitGeometry& g, int scale, int pages) {
    frameAndTitle(s, unit, g, scale, 1, pages);
    const double width = (g.length + g.depth) / double(scale) + 40;
    const double base = std::min(142.0, 83 + g.height / double(scale) / 2);
    const View front{40 + (247 - width) / 2, base, double(scale)};
    const View side{front.x(g.length) + 40, base, double(scale)};
    s.text(front.x(0), front.y(g.height) - 12, g.length / double(scale), 6,
           QString::fromUtf8("Вид спереди"), 10);
    s.text(side.x(0) - 10, side.y(g.height) - 12, g.depth / double(scale) + 20, 6,
           QString::fromUtf8("Вид справа"), 10);
    frontView(s, g, front);
    sideView(s, g, side);

    s.dimH(front.x(0), front.y(0), front.x(g.length), front.y(0), front.y(0) + 12, g.length);
    s.dimV(front.x(0), front.y(g.height), front.x(0), front.y(0), front.x(0) - 10, g.height);
    s.dimV(side.x(g.depth), side.y(g.frameHeight), side.x(g.depth), side.y(0), side.x(g.depth) + 8,
           g.frameHeight);
    s.dimH(side.x(0), side.y(0), side.x(g.depth), side.y(0), side.y(0) + 12, g.depth);
    if (g.hasCondenser) {
        const double top = front.y(g.frameHeight + g.condHeight);
        s.dimH(front.x(g.condX), top, front.x(g.condX + g.condLength), top, top - 6, g.condLength);
    }

    QString refrigerants;
    for (const auto& r : unit.refrigerants) {
        if (!refrigerants.isEmpty())
            refrigerants += ", ";
        refrigerants += QString::fromStdString(r);
    }
    const double nx = 25, ny = kPageH - 5 - 40;
    s.text(nx, ny, 82, 5, QString::fromUtf8("1. Размеры для справок."), 7.5,
           Qt::AlignLeft | Qt::AlignVCenter);
    s.text(nx, ny + 5, 82, 5, QString::fromUtf8("2. Масса без хладагента %1 кг.").arg(g.mass), 7.5,
           Qt::AlignLeft | Qt::AlignVCenter);
    int note = 3;
    if (!refrigerants.isEmpty())
        s.text(nx, ny + 10, 82, 5,
               QString::fromUtf8("%1. Хладагент: %2.").arg(note++).arg(refrigerants), 7.5,
               Qt::AlignLeft | Qt::AlignVCenter);
    const QString connections =
        g.family == UnitFamily::Chiller
            ? QString::fromUtf8("%1. Вход и выход холодоносителя DN%2.")
                  .arg(note)
                  .arg(g.waterNominal)
            : QString::fromUtf8("%1. Всасывающая линия Ø%2 мм, жидкостная Ø%3 мм.")
                  .arg(note)
                  .arg(g.suctionLine)
                  .arg(g.liquidLine);
    s.text(nx, ny + 5 * (note - 1), 82, 5, connections, 7.5, Qt::AlignLeft | Qt::AlignVCenter);
}

void drawPage2(Sheet& s, const AssetUnit& unit, const UnitGeometry& g, int scale) {
    frameAndTitle(s, unit, g, scale, 2, 2);
    const double base = std::min(142.0, 83 + g.depth / double(scale) / 2);
    const View plan{45 + (202 - g.length / double(scale)) / 2, base, double(scale)};
    s.text(plan.x(0), plan.y(g.depth) - 14, g.length / double(scale), 6,
           QString::fromUtf8("Вид сверху"), 10);
    planView(s, g, plan);
    s.dimH(plan.x(0), plan.y(0), plan.x(g.length), plan.y(0), plan.y(0) + 16, g.length);
    s.dimH(plan.x(60), plan.y(60), plan.x(g.length - 60), plan.y(60), plan.y(0) + 8,
           g.length - 120);
    s.dimV(plan.x(0), plan.y(g.depth), plan.x(0), plan.y(0), plan.x(0) - 14, g.depth);
    s.dimV(plan.x(60), plan.y(g.depth - 60), plan.x(60), plan.y(60), plan.x(0) - 7, g.depth - 120);
    s.text(plan.x(g.length) + 4, plan.y(60) - 2.5, 50, 5, QString::fromUtf8("4 отв. Ø14"), 9,
           Qt::AlignLeft | Qt::AlignVCenter);
}

// Writes `digits` over every digit of the text between position `from` and the next ')' .
void overwriteDigits(QByteArray& pdf, qsizetype from, const char* digits) {
    std::size_t k = 0;
    for (qsizetype i = from; i < pdf.size() && pdf[i] != ')'; ++i) {
        if (pdf[i] >= '0' && pdf[i] <= '9')
            pdf[i] = digits[k] ? digits[k++] : '0';
    }
}

}  // namespace

int drawingPageCount(const AssetUnit& unit) {
    return std::max(unit.count1, 0) + std::max(unit.count2, 0) > 1 ? 2 : 1;
}

void stabilizePdf(QByteArray& pdf, std::string_view seed) {
    for (const char* key : {"/CreationDate (", "/ModDate ("}) {
        for (qsizetype at = pdf.indexOf(key); at >= 0; at = pdf.indexOf(key, at + 1))
            overwriteDigits(pdf, at + qsizetype(std::strlen(key)), "20260101120000");
    }
    // The document id: hex strings in the trailer's /ID array.
    const qsizetype id = pdf.lastIndexOf("/ID [");
    if (id >= 0) {
        unsigned h = fnv1a(seed);
        const char* hex = "0123456789abcdef";
        for (qsizetype i = id + 5; i < pdf.size() && pdf[i] != ']'; ++i) {
            const char c = pdf[i];
            const bool isHex =
                (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
            if (!isHex)
                continue;
            h = h * 1103515245u + 12345u;
            pdf[i] = hex[(h >> 16) & 0xF];
        }
    }
}

QByteArray renderUnitDrawing(const AssetUnit& unit) {
    const UnitGeometry g = unitGeometry(unit);
    const int pages = drawingPageCount(unit);
    const int scale1 = fitScale(g.length + g.depth, g.height, 197, 110);
    const int scale2 = fitScale(g.length, g.depth, 187, 110);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kResolution);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Landscape);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(QString::fromUtf8("Габаритный чертеж ") +
                        QString::fromStdString(unit.name));
        writer.setCreator(QStringLiteral("Tundrix"));
        // Fixed metadata instead of the default one, which carries the time and a random id.
        writer.setDocumentXmpMetadata(QByteArray(
            "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>"
            "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF "
            "xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>"
            "<rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/'>"
            "<dc:format>application/pdf</dc:format></rdf:Description></rdf:RDF></x:xmpmeta>"
            "<?xpacket end='w'?>"));
        QPainter painter(&writer);
        Sheet sheet(painter);
        drawPage1(sheet, unit, g, scale1, pages);
        if (pages == 2) {
            writer.newPage();
            drawPage2(sheet, unit, g, scale2);
        }
        painter.end();
    }
    stabilizePdf(bytes, unit.kindCode + "/" + unit.name);
    return bytes;
}

}  // namespace tundrix::datagen
