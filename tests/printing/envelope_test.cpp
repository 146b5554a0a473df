// The report's envelope from the unit list: lower corners at 10 degrees for units with their own
// condensers, upper corners where the condensing limits lie, and texts split into memo lines.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "catalogue/agregat.h"
#include "engine/cyclestate.h"
#include "engine/performance.h"
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
    const auto a = oneUnit(2);
    const CycleState cycle;
    const Performance perf(*a, cycle);
    const ReportEnvelope e = reportEnvelope(*a, cycle, 1, -10, 30);
    const double limits[3][2] = {{10, 45}, {-10, 55}, {-40, 40}};
    for (int k = 0; k < 3; ++k) {
        const QPointF v = e.vertices[std::size_t(3 + k)];
        EXPECT_EQ(v.x(), limits[k][0]);
        const double expected = perf.outdoortemp(limits[k][0], limits[k][1], 1);
        // A unit without performance data has no ambient there: both sides are NaN then.
        if (std::isnan(expected))
            EXPECT_TRUE(std::isnan(v.y()));
        else
            EXPECT_EQ(v.y(), expected);
    }
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
