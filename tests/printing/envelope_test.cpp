// The report's envelope from the unit list: lower corners at 10 degrees for units with their own
// condensers, upper corners where the condensing limits lie, and texts split into memo lines.
#include <gtest/gtest.h>

#include <memory>

#include "catalogue/agregat.h"
#include "catalogue/coefimage.h"
#include "engine/cyclestate.h"
#include "printing/reportenvelope.h"

namespace tundrix {
namespace {

std::unique_ptr<agregat> oneUnit(int condensers) {
    auto a = std::make_unique<agregat>();
    a->count = 1;
    a->order[1] = 1;
    a->ncondensator[1] = condensers;
    a->setEnvelope(1, {-40, -5, -10, 0, 10, 5, 10, 45, -10, 55, -40, 40});
    return a;
}

TEST(ReportEnvelope, UnitWithCondensersDrawsItsLowerCornersAtTenDegrees) {
    const auto a = oneUnit(2);
    const CycleState cycle;
    const ReportEnvelope e = reportEnvelope(*a, cycle, 1, -10, 30);
    ASSERT_TRUE(e.present);
    EXPECT_EQ(e.vertices[0], QPointF(-40, 10));
    EXPECT_EQ(e.vertices[1], QPointF(-10, 10));
    EXPECT_EQ(e.vertices[2], QPointF(10, 10));
    EXPECT_EQ(e.ylim5, 55);
    EXPECT_EQ(e.t0, -10);
    EXPECT_EQ(e.tc, 30);
}

TEST(ReportEnvelope, UnitWithoutCondensersKeepsItsOwnLowerCorners) {
    const auto a = oneUnit(0);
    const CycleState cycle;
    const ReportEnvelope e = reportEnvelope(*a, cycle, 1, -10, 45);
    EXPECT_EQ(e.vertices[0], QPointF(-40, -5));
    EXPECT_EQ(e.vertices[1], QPointF(-10, 0));
    EXPECT_EQ(e.vertices[2], QPointF(10, 5));
}

TEST(ReportEnvelope, UpperCornersAreTheAmbientsOfTheCondensingLimits) {
    // A polynomial unit without a fourth set: 6 kW capacity and 2 kW power everywhere, so its
    // condensers reject 8 kW; two condensers of 4 kW rating take 15 K per rating, 15 K here.
    const auto a = oneUnit(2);
    CoefImage brand;
    brand.setName(0, 1, "K1");
    brand.setCoefs(0, 1, CoefImage::Capacity, {6});
    brand.setCoefs(0, 1, CoefImage::Power, {2});
    a->p1[1].coef = &brand;
    a->method[1] = true;
    a->agrtype[1] = 1;
    a->indcompr[1] = 1;
    a->ncompressor[1] = 1;
    a->indconder[1] = 1;
    a->condenser.setCapacity(1, 4);
    const CycleState cycle;
    const ReportEnvelope e = reportEnvelope(*a, cycle, 1, -10, 30);
    // Upper corners (10, 45), (-10, 55), (-40, 40): the ambient is 15 K below each limit.
    EXPECT_EQ(e.vertices[3], QPointF(10, 30));
    EXPECT_EQ(e.vertices[4], QPointF(-10, 40));
    EXPECT_EQ(e.vertices[5], QPointF(-40, 25));
}

TEST(ReportEnvelope, NoEnvelopeWithoutAUnit) {
    const auto a = oneUnit(2);
    const CycleState cycle;
    EXPECT_FALSE(reportEnvelope(*a, cycle, 0, -10, 30).present);
    EXPECT_FALSE(reportEnvelope(*a, cycle, 2, -10, 30).present);  // beyond the loaded list
}

TEST(MemoLines, LineBreaksOfEveryKind) {
    EXPECT_TRUE(memoLines(QString()).isEmpty());
    EXPECT_EQ(memoLines(QStringLiteral("a\r\nb\nc\rd")),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                           QStringLiteral("d")}));
    // A final line break adds no empty line; an empty line inside is kept.
    EXPECT_EQ(memoLines(QStringLiteral("a\n\nb\n")),
              (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));
}

}  // namespace
}  // namespace tundrix
