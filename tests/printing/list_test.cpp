// The selection list: one line per result-table row, six columns at fixed places, a new page
// when a line would end past the page's end.
#include <gtest/gtest.h>

#include "printing/printlayout.h"
#include "printing/recordingtarget.h"
#include "printing/reportfixture.h"

namespace tundrix {
namespace {

using testing::RecordingTarget;

const int kColumns[6] = {5, 25, 35, 45, 55, 65};

TEST(SelectionList, HeadingRowAloneForAnEmptyTable) {
    RecordingTarget t(80);
    const ListModel list = testing::sampleList(0);
    ASSERT_TRUE(Printlist(list, t));
    EXPECT_EQ(t.title(), QStringLiteral("Список выбора"));
    const LayoutMeasures m = measureLayout(list.font, t);
    ASSERT_EQ(t.pages().size(), 1u);
    const auto texts = t.pages()[0].texts();
    ASSERT_EQ(texts.size(), 6u);
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(texts[std::size_t(c)]->text, list.rows[0][c]);
        EXPECT_NEAR(texts[std::size_t(c)]->textTopLeft.x(), m.offX + kColumns[c] * m.cw, 1);
        EXPECT_NEAR(texts[std::size_t(c)]->textTopLeft.y(), m.offY + 2 * m.lh, 1);
    }
    for (const auto& i : t.pages()[0].items)
        EXPECT_EQ(i.kind, testing::DrawnItem::Text);  // no lines or boxes
}

TEST(SelectionList, EmptyCellsPrintNothingAndTheOthersKeepTheirPlaces) {
    RecordingTarget t(80);
    ListModel list = testing::sampleList(1);
    list.rows[1][2] = QString();
    list.rows[1][4] = QString();
    ASSERT_TRUE(Printlist(list, t));
    const LayoutMeasures m = measureLayout(list.font, t);
    int inSecondLine = 0;
    for (const auto* text : t.pages()[0].texts()) {
        if (std::abs(text->textTopLeft.y() - (m.offY + 4 * m.lh)) > 1)
            continue;
        ++inSecondLine;
        const int c = int(list.rows[1].indexOf(text->text));
        ASSERT_GE(c, 0) << text->text.toStdString();
        EXPECT_NEAR(text->textTopLeft.x(), m.offX + kColumns[c] * m.cw, 1);
    }
    EXPECT_EQ(inSecondLine, 4);
}

TEST(SelectionList, ColumnsBeyondTheSixthAreNotPrinted) {
    RecordingTarget t(80);
    ListModel list = testing::sampleList(1);
    list.rows[1] << QStringLiteral("седьмая");
    ASSERT_TRUE(Printlist(list, t));
    EXPECT_FALSE(t.pages()[0].findText(QStringLiteral("седьмая")));
}

TEST(SelectionList, ALineThatWouldEndPastThePageGoesToTheTopOfTheNextPage) {
    const int margin = 80;
    // Measure lh first, then make the fifth line end exactly at the page's limit PH - 20.
    RecordingTarget probe(margin);
    const LayoutMeasures pm = measureLayout(testing::tableFont(), probe);
    const int height = pm.offY + 11 * pm.lh + 20;
    RecordingTarget t(margin, height);
    const ListModel list = testing::sampleList(9);  // ten lines with the headings
    ASSERT_TRUE(Printlist(list, t));
    const LayoutMeasures m = measureLayout(list.font, t);
    ASSERT_EQ(m.PH, height);
    ASSERT_EQ(t.pages().size(), 2u);
    // Lines at 2, 4, ..., 10 lh: the fifth ends at PH - 20, which is not past it; the sixth
    // would, so it starts the next page with its text at offY, and the pitch goes on from there.
    const auto first = t.pages()[0].texts();
    EXPECT_EQ(first.size(), 5u * 6u);
    EXPECT_NEAR(first.back()->textTopLeft.y(), m.offY + 10 * m.lh, 1);
    const auto second = t.pages()[1].texts();
    ASSERT_FALSE(second.empty());
    EXPECT_EQ(second.front()->text, QStringLiteral("ККБ-5"));
    EXPECT_NEAR(second.front()->textTopLeft.y(), m.offY, 1);
    EXPECT_NEAR(second.back()->textTopLeft.y(), m.offY + 8 * m.lh, 1);
    for (const auto& page : t.pages())
        for (const auto* text : page.texts())
            EXPECT_LE(text->textTopLeft.y() + m.lh, m.PH - 20) << text->text.toStdString();
}

TEST(SelectionList, LongCellsStayInsideTheirColumn) {
    RecordingTarget t(80);
    ListModel list = testing::sampleList(1);
    list.rows[1][0] = QStringLiteral("ККБ-очень-длинное-название-агрегата-для-проверки");
    ASSERT_TRUE(Printlist(list, t));
    // Condensed sideways: the text's transform scales it to the column's width.
    const LayoutMeasures m = measureLayout(list.font, t);
    const auto* text = t.pages()[0].findText(list.rows[1][0]);
    const auto* next = t.pages()[0].findText(list.rows[1][1]);
    ASSERT_TRUE(next);
    if (text) {
        EXPECT_NEAR(text->textTopLeft.x(), m.offX + 5 * m.cw, 1);
    } else {
        // Too long even condensed: cut with an ellipsis.
        bool elided = false;
        for (const auto* i : t.pages()[0].texts())
            elided = elided || i->text.endsWith(QChar(0x2026));
        EXPECT_TRUE(elided);
    }
}

}  // namespace
}  // namespace tundrix
