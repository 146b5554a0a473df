// Capacity, power, heat rejection and current of loaded units by both methods, and the
// condenser balance, on small hand-made tables and coefficient records with known answers.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "catalogue/agregat.h"
#include "engine/cyclestate.h"
#include "engine/performance.h"
#include "engine/refprop.h"
#include "engine/toolkit.h"
#include "propertyfixture.h"

namespace tundrix {
namespace {

// Table values are linear in to and tc, which the two-stage spline reproduces exactly.
double tableQ(double to, double tc, double scale) { return scale * (10.0 + 0.3 * to - 0.1 * tc); }
double tableP(double tc, double scale) { return scale * (3.0 + 0.05 * tc); }

void writeBlock(GridImage& g, int r0, int c0, auto value) {
    const double tcs[] = {20, 30, 40, 50, 60};
    const double tos[] = {-30, -20, -10, 0, 10};  // 0 degC is a key, not an end marker
    for (int q = 0; q < 5; ++q) g.set(r0, c0 + 1 + q, tos[q]);
    for (int p = 0; p < 5; ++p) {
        g.set(r0 + 1 + p, c0, tcs[p]);
        for (int q = 0; q < 5; ++q) g.set(r0 + 1 + p, c0 + 1 + q, value(tos[q], tcs[p]));
    }
}

struct Catalog {
    GridImage table;
    Comprprop list;
    CoefImage coef;
    std::unique_ptr<agregat> units = std::make_unique<agregat>();
    CycleState cycle;

    Catalog() {
        // Scroll compressors 1 and 2 (the second twice as large) at rows 10 and 30.
        for (int entry = 1; entry <= 2; ++entry) {
            const int r0 = entry == 1 ? 10 : 30;
            const double s = entry;
            list.setPosition(entry, r0);
            writeBlock(table, r0, 2, [s](double to, double tc) { return tableQ(to, tc, s); });
            writeBlock(table, r0, 32, [s](double, double tc) { return tableP(tc, s); });
            writeBlock(table, r0, 47, [s](double to, double tc) {
                return tableQ(to, tc, s) + tableP(tc, s);
            });
            writeBlock(table, r0, 62, [s](double, double tc) { return 2 * tableP(tc, s); });
        }
        list.setCount(2);
        // Brand records 1 and 2 of the R22 section: Q = 20 + to - 0.2 tc, P = 4 + 0.1 tc,
        // I = 8 + 0.2 tc; record 1 with a fourth set (heat = 30 + to), record 2 without.
        for (int k = 1; k <= 2; ++k) {
            coef.setName(1, k, "K" + std::to_string(k));
            coef.setCoefs(1, k, CoefImage::Capacity, {20, 1, -0.2, 0, 0, 0, 0, 0, 0, 0});
            coef.setCoefs(1, k, CoefImage::Power, {4, 0, 0.1, 0, 0, 0, 0, 0, 0, 0});
            coef.setCoefs(1, k, CoefImage::Current, {8, 0, 0.2, 0, 0, 0, 0, 0, 0, 0});
        }
        coef.setCoefs(1, 1, CoefImage::Fourth, {30, 1, 0, 0, 0, 0, 0, 0, 0, 0});
        units->condenser.setCapacity(1, 20.0);
        cycle.refrigerant = 1;
    }

    // Unit k: a table unit (brand 2) or a polynomial unit of the given brand.
    void addUnit(int k, int brand, int c1, int n1, int c2 = 0, int n2 = 0, int condensers = 0) {
        agregat& a = *units;
        a.count = std::max(a.count, k);
        a.method[k] = brand != 2;
        a.agrtype[k] = brand;
        a.p1[k] = brand == 2 ? PerfData{&table, nullptr} : PerfData{nullptr, &coef};
        a.p2[k] = brand == 2 ? &list : nullptr;
        a.indcompr[k] = c1;
        a.ncompressor[k] = n1;
        a.indcompr2[k] = c2;
        a.ncompressor2[k] = n2;
        a.indconder[k] = condensers ? 1 : 0;
        a.ncondensator[k] = condensers;
    }
    Performance perf() const { return Performance(*units, cycle); }
};

TEST(TableMethod, CatalogueValuesTimesCountsAtRatingConditions) {
    Catalog c;
    c.addUnit(1, 2, 1, 3);
    const Performance p = c.perf();
    EXPECT_NEAR(p.capacity(-10, 40, 1), 3 * tableQ(-10, 40, 1), 1e-12);
    EXPECT_NEAR(p.power(-10, 40, 1), 3 * tableP(40, 1), 1e-12);
    EXPECT_NEAR(p.current(-10, 40, 1), 6 * tableP(40, 1), 1e-12);
    // shfactor 1: the tabulated heat rejection alone.
    EXPECT_NEAR(p.heat(-10, 40, 1), 3 * (tableQ(-10, 40, 1) + tableP(40, 1)), 1e-12);
    // The 0 degC column is a key: a point on it reads its own column.
    EXPECT_NEAR(p.capacity(0, 50, 1), 3 * tableQ(0, 50, 1), 1e-12);
}

TEST(TableMethod, SecondGroupOnlyWithItsCount) {
    Catalog c;
    c.addUnit(1, 2, 1, 1, 2, 0);  // index of a second compressor but no count
    c.addUnit(2, 2, 1, 1, 2, 2);
    const Performance p = c.perf();
    EXPECT_NEAR(p.capacity(-20, 30, 1), tableQ(-20, 30, 1), 1e-12);
    EXPECT_NEAR(p.capacity(-20, 30, 2), tableQ(-20, 30, 1) + 2 * tableQ(-20, 30, 2), 1e-12);
    EXPECT_NEAR(p.power(-20, 30, 2), tableP(30, 1) + 2 * tableP(30, 2), 1e-12);
}

TEST(TableMethod, CorrectionFactors) {
    Catalog c;
    c.addUnit(1, 2, 1, 2);
    c.cycle.corrfactor = 1.1;
    c.cycle.shfactor = 1.05;
    const Performance p = c.perf();
    const double q = 2 * tableQ(-15, 45, 1), pw = 2 * tableP(45, 1);
    EXPECT_NEAR(p.capacity(-15, 45, 1), 1.1 * q, 1e-12);
    EXPECT_NEAR(p.power(-15, 45, 1), pw, 1e-12);  // power and current are not corrected
    // Heat: rated heat rejection plus the extra effect of the superheat.
    EXPECT_NEAR(p.heat(-15, 45, 1), (q + pw) + q * 0.05, 1e-12);
    // outdoortemp weighs the rated heat without the superheat term.
    EXPECT_NEAR(p.balanceHeat(-15, 45, 1, false), q + pw, 1e-12);
}

TEST(PolynomialMethod, SetsTimesCountsAndFourthSetRules) {
    Catalog c;
    c.addUnit(1, 1, 1, 2);        // Bock, record with a fourth set: heat rejection
    c.addUnit(2, 1, 2, 1);        // Bock, no fourth set
    c.addUnit(3, 4, 1, 1);        // Copeland Stream with a fourth set
    c.addUnit(4, 1, 2, 1, 1, 1);  // two groups
    c.cycle.corrfactor = 1.2;
    c.cycle.shfactor = 1.1;
    const Performance p = c.perf();
    const double q = 20 - 10 - 0.2 * 40, pw = 4 + 4, i = 8 + 8;
    EXPECT_NEAR(p.capacity(-10, 40, 1), 2 * q * 1.2, 1e-12);
    EXPECT_NEAR(p.power(-10, 40, 1), 2 * pw, 1e-12);
    EXPECT_NEAR(p.current(-10, 40, 1), 2 * i, 1e-12);
    EXPECT_NEAR(p.heat(-10, 40, 1), 1.1 * 2 * (30 - 10), 1e-12);
    // Without a fourth set: corrected capacity plus power.
    EXPECT_NEAR(p.heat(-10, 40, 2), q * 1.2 + pw, 1e-12);
    // A Stream record's fourth set means nothing to the program: capacity plus power as well.
    EXPECT_NEAR(p.heat(-10, 40, 3), q * 1.2 + pw, 1e-12);
    // Group 2 adds record 1 to record 2; the fourth set is the first group's.
    EXPECT_NEAR(p.capacity(-10, 40, 4), 2 * q * 1.2, 1e-12);
    EXPECT_NEAR(p.current(-10, 40, 4), 2 * i, 1e-12);
    // The balance of a unit without a fourth set uses shfactor on the capacity.
    EXPECT_NEAR(p.balanceHeat(-10, 40, 2), 1.1 * q + pw, 1e-12);
}

TEST(PolynomialMethod, BitzerHeatFromDischargeTemperature) {
    Catalog c;
    c.cycle.refimage = fixture::buildImage(fixture::SmoothFluid::model());
    c.cycle.refreshTable();
    c.coef.setCoefs(1, 2, CoefImage::Fourth, {70, 0.5, 0, 0, 0, 0, 0, 0, 0, 0});  // td
    c.addUnit(1, 3, 2, 2);
    c.cycle.shfactor = 1.02;
    c.cycle.superheat = 12;
    c.cycle.subcooling = 3;
    const Performance p = c.perf();
    const double qc = 1.02 * 2 * (20 - 5 - 0.2 * 35);
    const double expected = heatrejection(c.cycle.table, 70 - 2.5, qc, -5, 35, 12, 3);
    ASSERT_TRUE(std::isfinite(expected));
    EXPECT_DOUBLE_EQ(p.heat(-5, 35, 1), expected);
    EXPECT_DOUBLE_EQ(p.balanceHeat(-5, 35, 1), expected);
}

TEST(UnitsWithoutData, GiveNoValueInsteadOfReadingOutOfBounds) {
    Catalog c;
    c.addUnit(1, 2, 101, 1);     // list entry out of range
    c.addUnit(2, 1, 151, 1);     // record out of range
    c.addUnit(3, 2, 1, 1, 0, 1); // second group without a valid entry
    c.addUnit(4, 1, 1, 1);
    c.units->p1[4] = PerfData{};  // performance data never loaded
    c.addUnit(5, 2, 1, 1);
    c.list.setPosition(1, 600);  // table row outside the image
    const Performance p = c.perf();
    for (int k = 1; k <= 6; ++k) {
        EXPECT_TRUE(std::isnan(p.capacity(-10, 40, k))) << k;
        EXPECT_TRUE(std::isnan(p.heat(-10, 40, k))) << k;
        EXPECT_TRUE(std::isnan(p.condensatetemp(-10, 30, k))) << k;
    }
}

TEST(UnitsWithoutData, BrandFilesHaveNoR410ASection) {
    Catalog c;
    c.addUnit(1, 1, 1, 1);
    c.cycle.refrigerant = 4;
    const Performance p = c.perf();
    EXPECT_FALSE(p.hasData(1));
    EXPECT_TRUE(std::isnan(p.power(-10, 40, 1)));
}

TEST(CondenserBalance, UnitWithoutCondenserKeepsTheTemperature) {
    Catalog c;
    c.addUnit(1, 2, 1, 1);
    const Performance p = c.perf();
    EXPECT_EQ(p.condensatetemp(-10, 32, 1), 32);
    EXPECT_EQ(p.outdoortemp(-10, 45, 1), 45);
}

TEST(CondenserBalance, FiveSubstitutionStepsFromTenKelvin) {
    Catalog c;
    c.addUnit(1, 1, 2, 1, 0, 0, 2);  // two condensers of 20 kW
    c.cycle.condfactor = 0.96;
    const Performance p = c.perf();
    double delta = 10, tc = 0;
    for (int step = 0; step < 5; ++step) {
        tc = 30 + delta;
        const double qh = (20 - 10 - 0.2 * tc) + (4 + 0.1 * tc);
        delta = 15 * qh / 40 / 0.96;
    }
    EXPECT_NEAR(p.condensatetemp(-10, 30, 1), tc, 1e-12);
    // outdoortemp goes back in one step; close to the ambient the balance started from.
    const double back = p.outdoortemp(-10, tc, 1);
    EXPECT_NEAR(back, 30, std::fabs(delta - (tc - 30)) + 1e-9);
}

TEST(CondenserBalance, ZeroHeatAndTheOffsetForm) {
    Catalog c;
    c.coef.setCoefs(1, 2, CoefImage::Capacity, {});
    c.coef.setCoefs(1, 2, CoefImage::Power, {});
    c.addUnit(1, 1, 2, 1, 0, 0, 1);
    c.cycle.condfactor = 1.0;
    EXPECT_EQ(c.perf().condensatetemp(-10, 25, 1), 25);
    c.cycle.condfactor = 0.87;  // R407C: 13.04 Q / Cq / f + 2
    EXPECT_NEAR(c.perf().condensatetemp(-10, 25, 1), 27, 1e-12);
    // A condenser index of 0 with a condenser count: no capacity, no temperature difference.
    c.units->indconder[1] = 0;
    c.cycle.condfactor = 1.0;
    EXPECT_EQ(c.perf().condensatetemp(-10, 25, 1), 25);
}

}  // namespace
}  // namespace tundrix
