// The report and list layouts, checked on the drawing calls they make (device units of an A4
// page at 600 dpi).
#include <QGuiApplication>
#include <QPalette>

#include <gtest/gtest.h>

#include <cmath>

#include "printing/printlayout.h"
#include "printing/recordingtarget.h"
#include "printing/reportfixture.h"

namespace tundrix {
namespace {

using testing::DrawnItem;
using testing::DrawnPage;
using testing::RecordingTarget;

const QColor kBlue(0, 0, 255);

int indexOf(const DrawnPage& page, const QString& text) {
    const auto texts = page.texts();
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (texts[i]->text == text)
            return int(i);
    return -1;
}

bool anyPageHas(const std::vector<DrawnPage>& pages, const QString& text) {
    for (const DrawnPage& p : pages)
        if (p.findText(text))
            return true;
    return false;
}

// The page starts with the header: its first drawing is the blue triangle.
bool startsWithHeader(const DrawnPage& page) {
    return !page.items.empty() && page.items.front().kind == DrawnItem::Line &&
           page.items.front().pen == kBlue;
}

std::vector<const DrawnItem*> gridLines(const DrawnPage& page) {
    const QColor grid = QGuiApplication::palette().color(QPalette::Dark);
    std::vector<const DrawnItem*> out;
    for (const DrawnItem* l : page.lines())
        if (l->pen == grid)
            out.push_back(l);
    return out;
}

TEST(ReportLayout, MeasuresComeFromTheLetterAInTheTableFont) {
    RecordingTarget t(100);
    const LayoutMeasures m = measureLayout(testing::tableFont(), t);
    // 8 pt at 600 dpi: about 67 device units of type size.
    EXPECT_GT(m.lh, 60);
    EXPECT_LT(m.lh, 120);
    EXPECT_GT(m.cw, 30);
    EXPECT_EQ(m.gap, m.lh / 2);
    EXPECT_EQ(m.W, 4960);
    EXPECT_EQ(m.offX, 100);
    EXPECT_EQ(m.offY, 100);
    EXPECT_EQ(m.PH, 7016 - 200);
    EXPECT_EQ(m.cL, 4960 / 3);
    EXPECT_EQ(m.cR, 4960 / 2);
}

TEST(ReportLayout, JobTitleAndSectionsOfACondensingUnit) {
    RecordingTarget t(100);
    ASSERT_TRUE(Printeasy(testing::condensingReport(), t));
    EXPECT_EQ(t.title(), QStringLiteral("Выбранная установка"));
    const DrawnPage& first = t.pages().front();
    EXPECT_FALSE(anyPageHas(t.pages(), QStringLiteral("ДАННЫЕ ПО ХЛАДОНОСИТЕЛЮ")));
    const int input = indexOf(first, QStringLiteral("ИСХОДНЫЕ ДАННЫЕ"));
    const int unit = indexOf(first, QStringLiteral("ВЫБРАННАЯ УСТАНОВКА"));
    const int tech = indexOf(first, QStringLiteral("ТЕХНИЧЕСКИЕ ХАРАКТЕРИСТИКИ"));
    ASSERT_GE(input, 0);
    EXPECT_GT(unit, input);
    EXPECT_GT(tech, unit);
    EXPECT_TRUE(first.findText(QStringLiteral("08.12.2026 14:05")));
    EXPECT_TRUE(first.findText(QStringLiteral("-10°C")));  // evaporating temperature row
    EXPECT_TRUE(first.findText(QStringLiteral("44,3°C")));
    EXPECT_TRUE(first.findText(QStringLiteral("ККБ-Тест-12")));
    EXPECT_TRUE(first.findText(QStringLiteral("Цена(EUR)")));
}

TEST(ReportLayout, ChillerDataStandBetweenInputAndSelectedUnit) {
    RecordingTarget t(100);
    ASSERT_TRUE(Printeasy(testing::chillerReport(), t));
    const DrawnPage& first = t.pages().front();
    const int input = indexOf(first, QStringLiteral("ИСХОДНЫЕ ДАННЫЕ"));
    const int liquid = indexOf(first, QStringLiteral("ДАННЫЕ ПО ХЛАДОНОСИТЕЛЮ"));
    const int unit = indexOf(first, QStringLiteral("ВЫБРАННАЯ УСТАНОВКА"));
    ASSERT_GE(liquid, 0);
    EXPECT_LT(input, liquid);
    EXPECT_LT(liquid, unit);
    EXPECT_TRUE(first.findText(QStringLiteral("Этиленгликоль 30%")));
    EXPECT_TRUE(first.findText(QStringLiteral("12 °C")));  // inlet: printed as the label shows it
    EXPECT_TRUE(first.findText(QStringLiteral("7°C")));    // outlet: typed text plus the unit
}

TEST(ReportLayout, DataRowsAreBoxesWithADividerAtTheirPlaces) {
    RecordingTarget t(100);
    const ReportModel model = testing::condensingReport();
    ASSERT_TRUE(Printeasy(model, t));
    const LayoutMeasures m = measureLayout(model.font, t);
    const DrawnPage& first = t.pages().front();
    // Date line, input heading, then the first input row.
    const int y = m.bodyTop() + 2 * (m.lh + m.gap);
    const DrawnItem* label = first.findText(QStringLiteral("Используемый хладагент"));
    ASSERT_TRUE(label);
    EXPECT_NEAR(label->textTopLeft.x(), m.offX + 3 * m.cw, 1);
    EXPECT_NEAR(label->textTopLeft.y(), y, 1);
    const DrawnItem* value = first.findText(QStringLiteral("R404A/R507"));
    ASSERT_TRUE(value);
    EXPECT_NEAR(value->textTopLeft.x(), m.offX + 37 * m.cw, 1);

    const QRectF expected(QPointF(m.offX + 2 * m.cw, y - m.gap / 2),
                          QPointF(m.W - 50 * m.cw, y + m.lh + m.gap / 2));
    bool boxFound = false;
    bool dividerFound = false;
    for (const DrawnItem& i : first.items) {
        if (i.kind == DrawnItem::Rect && i.rect == expected)
            boxFound = true;
        if (i.kind == DrawnItem::Line && i.line == QLineF(m.offX + 35 * m.cw, y - m.gap / 2,
                                                          m.offX + 35 * m.cw, y + m.lh + m.gap / 2))
            dividerFound = true;
    }
    EXPECT_TRUE(boxFound);
    EXPECT_TRUE(dividerFound);
}

TEST(ReportLayout, SafetyClassAndGwpFollowTheRefrigerant) {
    RecordingTarget t(100);
    const ReportModel model = testing::condensingReport();
    ASSERT_TRUE(Printeasy(model, t));
    const LayoutMeasures m = measureLayout(model.font, t);
    const DrawnPage& first = t.pages().front();
    const DrawnItem* name = first.findText(QStringLiteral("Используемый хладагент"));
    const DrawnItem* label = first.findText(QStringLiteral("Класс безопасности, ПГП"));
    const DrawnItem* value = first.findText(QStringLiteral("A1, ПГП 3922/3985"));
    ASSERT_TRUE(name && label && value);
    EXPECT_NEAR(label->textTopLeft.y(), name->textTopLeft.y() + m.lh + m.gap, 1);
    EXPECT_NEAR(value->textTopLeft.y(), label->textTopLeft.y(), 1);
}

TEST(ReportLayout, LongTechnicalDataContinueOnAPageThatStartsWithTheHeader) {
    RecordingTarget t(100);
    ReportModel model = testing::condensingReport();
    for (int i = 1; i <= 80; ++i)
        model.techData.push_back({QStringLiteral("Параметр %1").arg(i), QString::number(i)});
    ASSERT_TRUE(Printeasy(model, t));
    const LayoutMeasures m = measureLayout(model.font, t);
    ASSERT_GE(t.pages().size(), 3u);  // first page, continuation, delivery set

    // No row's box reaches past the page's bottom limit, on any page.
    for (const DrawnPage& page : t.pages())
        for (const DrawnItem& i : page.items)
            if (i.kind == DrawnItem::Rect) {
                EXPECT_LE(i.rect.bottom(), m.PH - 40);
            }

    const DrawnPage& second = t.pages()[1];
    EXPECT_TRUE(startsWithHeader(second));
    const auto texts = second.texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_TRUE(texts.front()->text.startsWith(QStringLiteral("Параметр")));
    EXPECT_NEAR(texts.front()->textTopLeft.y(), m.bodyTop(), 1);
    EXPECT_NEAR(texts.front()->textTopLeft.x(), m.offX + 3 * m.cw, 1);

    // Every row is printed once.
    int printed = 0;
    for (const DrawnPage& p : t.pages())
        for (const DrawnItem* text : p.texts())
            printed += text->text.startsWith(QStringLiteral("Параметр")) ? 1 : 0;
    EXPECT_EQ(printed, 80);
}

TEST(ReportLayout, ARefusedNewPageStopsTheDrawingAndIsReported) {
    ReportModel model = testing::condensingReport();
    for (int i = 1; i <= 80; ++i)
        model.techData.push_back({QStringLiteral("Параметр %1").arg(i), QString::number(i)});
    RecordingTarget whole(100);
    ASSERT_TRUE(Printeasy(model, whole));
    RecordingTarget t(100);
    t.pageLimit = 1;
    EXPECT_FALSE(Printeasy(model, t));
    ASSERT_EQ(t.pages().size(), 1u);
    // The first page as it is when nothing is refused: nothing drawn over it afterwards.
    EXPECT_EQ(t.pages()[0].items.size(), whole.pages()[0].items.size());
    EXPECT_FALSE(anyPageHas(t.pages(), QStringLiteral("КОМПЛЕКТ ПОСТАВКИ")));

    RecordingTarget list(100);
    list.pageLimit = 1;
    EXPECT_FALSE(Printlist(testing::sampleList(200), list));
    ASSERT_EQ(list.pages().size(), 1u);
    EXPECT_FALSE(list.pages()[0].findText(QStringLiteral("ККБ-200")));
}

TEST(ReportLayout, DeliverySetStartsOnItsOwnPageEvenWhenEmpty) {
    RecordingTarget t(100);
    ReportModel model = testing::condensingReport();
    model.deliverySet.clear();
    ASSERT_TRUE(Printeasy(model, t));
    const LayoutMeasures m = measureLayout(model.font, t);
    ASSERT_EQ(t.pages().size(), 2u);
    EXPECT_FALSE(t.pages()[0].findText(QStringLiteral("КОМПЛЕКТ ПОСТАВКИ")));
    const DrawnPage& last = t.pages()[1];
    EXPECT_TRUE(startsWithHeader(last));
    const auto texts = last.texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->text, QStringLiteral("КОМПЛЕКТ ПОСТАВКИ"));
    EXPECT_NEAR(texts[0]->textTopLeft.y(), m.bodyTop(), 1);
    for (const DrawnItem& i : last.items)
        EXPECT_NE(i.kind, DrawnItem::Rect);
}

TEST(ReportLayout, DeliveryRowsFollowTheHeading) {
    RecordingTarget t(100);
    const ReportModel model = testing::condensingReport();
    ASSERT_TRUE(Printeasy(model, t));
    const LayoutMeasures m = measureLayout(model.font, t);
    const DrawnPage& last = t.pages().back();
    int boxes = 0;
    for (const DrawnItem& i : last.items)
        if (i.kind == DrawnItem::Rect) {
            ++boxes;
            EXPECT_EQ(i.rect.right(), m.cR + 45 * m.cw);
        }
    EXPECT_EQ(boxes, 3);
    const DrawnItem* first = last.findText(QStringLiteral("Компрессор с защитой"));
    ASSERT_TRUE(first);
    EXPECT_NEAR(first->textTopLeft.y(), m.bodyTop() + m.lh + m.gap, 1);
}

TEST(ReportLayout, PageHeaderTriangleHatchingAndRule) {
    RecordingTarget t(100);
    const ReportModel model = testing::condensingReport();
    ASSERT_TRUE(Printeasy(model, t));
    const LayoutMeasures m = measureLayout(model.font, t);
    const int p = int(std::lround(m.lh / 3.2));
    const auto lines = t.pages().front().lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0]->line, QLineF(5 * p, 5 * p, 5 * p, 25 * p));
    EXPECT_EQ(lines[1]->line, QLineF(5 * p, 25 * p, 25 * p, 25 * p));
    EXPECT_EQ(lines[2]->line, QLineF(25 * p, 25 * p, 5 * p, 5 * p));
    EXPECT_EQ(lines[0]->pen, kBlue);
    EXPECT_EQ(lines[0]->penWidth, m.lh / 4);
    // Hatching: strokes from the triangle's left side, one every lh / 4.
    int strokes = 0;
    for (std::size_t i = 3; i < lines.size() && lines[i]->penWidth == m.lh / 4; ++i) {
        const QLineF& l = lines[i]->line;
        EXPECT_EQ(l.x1(), 5 * p);
        EXPECT_EQ(l.y1(), 5 * p + (strokes + 1) * (m.lh / 4));
        EXPECT_EQ(l.x2(), l.y1() - m.lh / 8);
        ++strokes;
    }
    EXPECT_GT(strokes, 10);
    bool rule = false;
    for (const DrawnItem* l : lines)
        rule = rule || l->line == QLineF(5 * p, 26 * p, m.W - 15 * p, 26 * p);
    EXPECT_TRUE(rule);
}

TEST(ReportChart, SixtyDegreeLimitGivesSixLevelsAndGridUpToSixty) {
    RecordingTarget t(100);
    const ReportModel model = testing::condensingReport();  // ylim5 = 60
    ASSERT_TRUE(Printeasy(model, t));
    const LayoutMeasures m = measureLayout(model.font, t);
    const double sx = 4.0 * m.lh / 15.0;
    const double sy = -4.0 / ((60 - 10) / 50.0) * m.lh / 15.0;
    auto col = [&](double x) { return std::nearbyint(sx * x + 95.0 * m.cw); };
    auto row = [&](double v) { return std::nearbyint(sy * v + 30.0 * m.lh); };

    int horizontal = 0;
    int vertical = 0;
    for (const DrawnItem* l : gridLines(t.pages().front())) {
        const QLineF& g = l->line;
        if (g.y1() == g.y2()) {
            ++horizontal;
            EXPECT_EQ(g.y1(), row(10 * horizontal));
            EXPECT_EQ(g.x1(), col(-60));
            EXPECT_EQ(g.x2(), col(20));
        } else {
            EXPECT_EQ(g.x1(), col(-60 + 10 * vertical));
            EXPECT_EQ(g.y1(), row(10));
            EXPECT_EQ(g.y2(), row(60));
            ++vertical;
        }
        EXPECT_EQ(l->penWidth, m.lh / 8);
    }
    EXPECT_EQ(horizontal, 6);
    EXPECT_EQ(vertical, 9);
    const DrawnPage& first = t.pages().front();
    EXPECT_TRUE(first.findText(QStringLiteral("60°C")));
    EXPECT_FALSE(first.findText(QStringLiteral("70°C")));
    EXPECT_TRUE(first.findText(QStringLiteral("-60°C")));
    EXPECT_TRUE(first.findText(QStringLiteral("20°C")));
}

TEST(ReportChart, OutlineTwiceAndTheOperatingPoint) {
    RecordingTarget t(100);
    const ReportModel model = testing::condensingReport();
    ASSERT_TRUE(Printeasy(model, t));
    const LayoutMeasures m = measureLayout(model.font, t);
    const double sx = 4.0 * m.lh / 15.0;
    const double sy = -4.0 * m.lh / 15.0;  // ylim5 60: -4 / (50 / 50)
    std::vector<const DrawnItem*> outlines;
    for (const DrawnItem& i : t.pages().front().items)
        if (i.kind == DrawnItem::Polyline)
            outlines.push_back(&i);
    ASSERT_EQ(outlines.size(), 2u);
    const QPolygonF& poly = outlines[0]->polygon;
    ASSERT_EQ(poly.size(), 7);
    EXPECT_EQ(poly[0], poly[6]);
    for (int k = 0; k < 6; ++k) {
        const QPointF v = model.envelope.vertices[std::size_t(k)];
        EXPECT_EQ(poly[k], QPointF(std::nearbyint(sx * v.x() + 95.0 * m.cw),
                                   std::nearbyint(sy * v.y() + 30.0 * m.lh)));
    }
    EXPECT_EQ(outlines[0]->penWidth, m.lh / 6);
    EXPECT_EQ(outlines[0]->pen, QColor(Qt::black));

    // The point (-10, 30) as a square of half side lh / 3, drawn before the grid.
    const double x = std::nearbyint(sx * -10 + 95.0 * m.cw);
    const double y = std::nearbyint(sy * 30 + 30.0 * m.lh);
    const int d = m.lh / 3;
    bool square = false;
    for (const DrawnItem& i : t.pages().front().items)
        square = square || (i.kind == DrawnItem::Rect &&
                            i.rect == QRectF(QPointF(x - d, y - d), QPointF(x + d, y + d)));
    EXPECT_TRUE(square);
}

TEST(ReportChart, LowerLimitGivesFewerLevels) {
    RecordingTarget t(100);
    ReportModel model = testing::condensingReport();
    model.envelope.ylim5 = 30;
    ASSERT_TRUE(Printeasy(model, t));
    int horizontal = 0;
    for (const DrawnItem* l : gridLines(t.pages().front()))
        horizontal += l->line.y1() == l->line.y2() ? 1 : 0;
    EXPECT_EQ(horizontal, 3);  // 10, 20, 30: drawn while ylim5 + 10 > level
}

TEST(ReportChart, NoScaleAtTenDegreesLeavesTheChartOutButPrintsTheRest) {
    RecordingTarget t(100);
    ReportModel model = testing::condensingReport();
    model.envelope.ylim5 = 10;
    ASSERT_TRUE(Printeasy(model, t));
    const DrawnPage& first = t.pages().front();
    EXPECT_TRUE(gridLines(first).empty());
    for (const DrawnItem& i : first.items)
        EXPECT_NE(i.kind, DrawnItem::Polyline);
    EXPECT_TRUE(first.findText(QStringLiteral("ВЫБРАННАЯ УСТАНОВКА")));
    EXPECT_TRUE(first.findText(QStringLiteral("ТЕХНИЧЕСКИЕ ХАРАКТЕРИСТИКИ")));
    EXPECT_EQ(t.pages().size(), 2u);
}

TEST(ReportChart, UncomputableCornersLeaveTheOutlineOutButKeepTheGrid) {
    RecordingTarget t(100);
    ReportModel model = testing::condensingReport();
    model.envelope.vertices[4] = QPointF(-10, std::nan(""));
    ASSERT_TRUE(Printeasy(model, t));
    const DrawnPage& first = t.pages().front();
    for (const DrawnItem& i : first.items)
        EXPECT_NE(i.kind, DrawnItem::Polyline);
    EXPECT_FALSE(gridLines(first).empty());
}

}  // namespace
}  // namespace tundrix
