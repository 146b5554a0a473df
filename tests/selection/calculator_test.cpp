#include "selection/calculator.h"

#include <cmath>
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "catalogue/tempfolder.h"
#include "engine/propertyfixture.h"
#include "engine/refprop.h"
#include "selection/numbers.h"

namespace tundrix {
namespace {

using testing::TempFolder;

// Rated figures of the table compressors, linear in to and tc so that the splines reproduce them
// exactly; compressor 2 delivers `scale` times compressor 1.
double tableCap(double to, double tc, double scale = 1) {
    return scale * (20 + 0.3 * to - 0.1 * tc);
}
double tablePower(double tc, double scale = 1) {
    return scale * (3 + 0.05 * tc);
}
double tableHeat(double to, double tc, double scale = 1) {
    return scale * (23 + 0.3 * to - 0.05 * tc);
}
double tableCurrent(double tc, double scale = 1) {
    return scale * (6 + 0.1 * tc);
}

// Writes one compressor's four blocks with corner row r0: condensing temperatures down the
// corner column, evaporating temperatures along the corner row.
void writeBlocks(GridImage& g, int r0, double scale) {
    const double tcs[] = {30, 40, 50, 60};
    const double tos[] = {-40, -30, -20, -10};
    const int corners[] = {2, 32, 47, 62};
    for (const int c0 : corners) {
        for (int p = 0; p < 4; ++p)
            g.set(r0 + 1 + p, c0, tcs[p]);
        for (int q = 0; q < 4; ++q)
            g.set(r0, c0 + 1 + q, tos[q]);
        for (int p = 0; p < 4; ++p) {
            for (int q = 0; q < 4; ++q) {
                const double to = tos[q];
                const double tc = tcs[p];
                double v = 0;
                switch (c0) {
                    case 2:
                        v = tableCap(to, tc, scale);
                        break;
                    case 32:
                        v = tablePower(tc, scale);
                        break;
                    case 47:
                        v = tableHeat(to, tc, scale);
                        break;
                    default:
                        v = tableCurrent(tc, scale);
                        break;
                }
                g.set(r0 + 1 + p, c0 + 1 + q, v);
            }
        }
    }
}

Condenserprop oneCondenser() {
    Condenserprop c;
    c.setCount(1);
    c.setName(1, "КД-40");
    c.setCapacity(1, 40);
    c.setNumfuns(1, 2);
    c.setFunsCurrent(1, 1.5);
    return c;
}

// A data folder with the Copeland Scroll low-temperature R404A/R507 pair (two compressors) and a
// Bock file with two low-temperature records.
class CalculatorData : public ::testing::Test {
protected:
    void SetUp() override {
        GridImage g;
        writeBlocks(g, 10, 1.0);
        writeBlocks(g, 20, 2.0);
        g.save(dir / "masszf.dat");
        Comprprop list;
        list.setCount(2);
        for (int k = 1; k <= 2; ++k) {
            list.setName(k, "ZF" + std::to_string(k));
            list.setPosition(k, 10 * k);
        }
        // Corners counter-clockwise: evaporating -25..0, condensing 20..60.
        const double ex[] = {-25, 0, 0, 0, -25, -25};
        const double ey[] = {20, 20, 40, 60, 60, 40};
        for (int n = 1; n <= 6; ++n)
            list.setVertex(n, 1, ex[n - 1], ey[n - 1]);
        list.save(dir / "catalzf.dat");
        oneCondenser().save(dir / "condensators.dat");

        CoefImage bock;
        for (int rec = 1; rec <= 2; ++rec) {
            bock.setName(0, rec, "HG" + std::to_string(rec));
            const double s = rec;
            bock.setCoefs(0, rec, CoefImage::Capacity, {10 * s, 0.2 * s, -0.1 * s});
            bock.setCoefs(0, rec, CoefImage::Power, {4 * s, 0, 0.02 * s});
            bock.setCoefs(0, rec, CoefImage::Current, {8 * s});
            bock.setEnvelope(0, rec, {-45, 20, 0, 20, 0, 40, 0, 55, -45, 55, -45, 40});
        }
        // Record 2 carries a fourth set: Bock's rated heat rejection, 15 kW a compressor.
        bock.setCoefs(0, 2, CoefImage::Fourth, {15});
        bock.save(dir / "bock.dat");
        // The same records as Copeland Stream, whose fourth set the program does not use.
        bock.save(dir / "dwmcopeland.dat");
        cat = std::make_unique<Catalogue>(dir.path());
    }

    CalculatorInputs tableInputs() {
        cat->FullDataUpdate(1, 2, 0);
        CalculatorInputs in;
        in.brand = 2;
        in.level = 1;
        in.evaporate = "-25";
        in.ambient = "30";
        return in;
    }
    CalculatorInputs bockInputs() {
        cat->FullDataUpdate(1, 1, 0);
        CalculatorInputs in = tableInputs();
        cat->FullDataUpdate(1, 1, 0);
        in.brand = 1;
        return in;
    }

    TempFolder dir;
    std::unique_ptr<Catalogue> cat;
    CycleState cycle;
};

TEST_F(CalculatorData, RatingConditionsGiveCatalogueValuesTimesCounts) {
    CalculatorInputs in = tableInputs();
    in.typedCondensing = true;
    in.condensate = "45";
    in.count1 = 2;
    const CalculatorResult r = Action3Execute(*cat, cycle, in);
    ASSERT_TRUE(r.computed);
    EXPECT_DOUBLE_EQ(cycle.corrfactor, 1.0);
    EXPECT_DOUBLE_EQ(cycle.shfactor, 1.0);
    EXPECT_NEAR(r.capacity, 2 * tableCap(-25, 45), 1e-9);
    EXPECT_NEAR(r.power, 2 * tablePower(45), 1e-9);
    EXPECT_NEAR(r.current, 2 * tableCurrent(45), 1e-9);
    EXPECT_EQ(r.solution, "16");
    EXPECT_EQ(r.edit1, "10,5");
    EXPECT_EQ(r.edit3, "21");
}

TEST_F(CalculatorData, TypedCondensingTemperatureInTableModeShowsNoHeat) {
    CalculatorInputs in = tableInputs();
    in.typedCondensing = true;
    in.condensate = "45,004";
    const CalculatorResult r = Action3Execute(*cat, cycle, in);
    EXPECT_EQ(r.condensate, "45");
    EXPECT_DOUBLE_EQ(r.tc, 45.004);
    EXPECT_EQ(r.edit2, "0");
    EXPECT_DOUBLE_EQ(r.heat, 0.0);
}

TEST_F(CalculatorData, SecondGroupOffContributesNothing) {
    CalculatorInputs in = tableInputs();
    in.typedCondensing = true;
    in.compressor2 = 1;
    in.count2 = 3;
    const CalculatorResult alone = Action3Execute(*cat, cycle, in);
    in.count2 = 7;
    EXPECT_EQ(Action3Execute(*cat, cycle, in).solution, alone.solution);
    EXPECT_NEAR(alone.capacity, tableCap(-25, 45), 1e-9);

    in.secondGroup = true;
    const CalculatorResult both = Action3Execute(*cat, cycle, in);
    EXPECT_NEAR(both.capacity, tableCap(-25, 45) + 7 * tableCap(-25, 45, 2.0), 1e-9);
    EXPECT_NEAR(both.current, tableCurrent(45) + 7 * tableCurrent(45, 2.0), 1e-9);
}

TEST_F(CalculatorData, TableBalanceSettlesWhereTheCondenserRejectsTheHeat) {
    CalculatorInputs in = tableInputs();
    in.condenserCount = 2;
    const CalculatorResult r = Action3Execute(*cat, cycle, in);
    ASSERT_TRUE(r.computed);
    // 15 K per rated capacity of two 40 kW condensers; five steps from 10 K come close to the
    // fixed point of this weakly coupled balance.
    const double h = tableHeat(-25, r.tc);
    EXPECT_NEAR(r.tc, 30 + 15 * h / 80, 1e-6);
    EXPECT_NEAR(r.heat, h, 1e-6);
    EXPECT_EQ(r.edit2, fmt(r.heat, ','));
    EXPECT_NEAR(r.capacity, tableCap(-25, r.tc), 1e-9);
    EXPECT_EQ(r.condensate, fmt(r.tc, ','));
}

TEST_F(CalculatorData, PointOnTheEnvelopeEdgeIsInside) {
    CalculatorInputs in = tableInputs();
    in.typedCondensing = true;
    in.evaporate = "-25";  // the left edge of compressor 1
    EXPECT_FALSE(Action3Execute(*cat, cycle, in).outOfEnvelope);
    in.condensate = "60";  // the upper left corner
    EXPECT_FALSE(Action3Execute(*cat, cycle, in).outOfEnvelope);
    in.evaporate = "-25,5";
    const CalculatorResult out = Action3Execute(*cat, cycle, in);
    EXPECT_TRUE(out.outOfEnvelope);
    EXPECT_FALSE(out.solution.empty());  // the figures are still shown
    EXPECT_EQ(out.envelope[0], -25.0);
    EXPECT_EQ(out.envelope[7], 60.0);
}

TEST_F(CalculatorData, UnparsableTextsTakeTheirDefaults) {
    CalculatorInputs in = tableInputs();
    in.typedCondensing = true;
    in.condensate = "сорок";  // 0
    in.evaporate = "x";       // 0
    in.superheat = "";        // 10
    in.subcool = "?";         // 0
    const CalculatorResult r = Action3Execute(*cat, cycle, in);
    EXPECT_DOUBLE_EQ(r.to, 0.0);
    EXPECT_DOUBLE_EQ(r.tc, 0.0);
    EXPECT_DOUBLE_EQ(cycle.superheat, 10.0);
    EXPECT_DOUBLE_EQ(cycle.subcooling, 0.0);
    EXPECT_EQ(r.condensate, "0");
}

TEST_F(CalculatorData, PolynomialModeWithTypedTemperatureShowsCapacityPlusPower) {
    CalculatorInputs in = bockInputs();
    ASSERT_EQ(cat->brandposcount, 2);
    in.typedCondensing = true;
    in.condensate = "40";
    in.count1 = 3;
    const CalculatorResult r = Action3Execute(*cat, cycle, in);
    ASSERT_TRUE(r.computed);
    const double cap = 3 * (10 + 0.2 * -25 - 0.1 * 40);
    const double pow = 3 * (4 + 0.02 * 40);
    EXPECT_NEAR(r.capacity, cap, 1e-12);
    EXPECT_NEAR(r.power, pow, 1e-12);
    EXPECT_NEAR(r.current, 24.0, 1e-12);
    EXPECT_NEAR(r.heat, cap + pow, 1e-12);
    EXPECT_EQ(r.edit2, fmt(cap + pow, ','));
    EXPECT_FALSE(r.outOfEnvelope);
}

TEST_F(CalculatorData, PolynomialSecondGroupOffContributesNothing) {
    CalculatorInputs in = bockInputs();
    in.typedCondensing = true;
    in.compressor2 = 1;
    const double alone = Action3Execute(*cat, cycle, in).capacity;
    EXPECT_NEAR(alone, 10 - 5 - 4.5, 1e-12);
    in.secondGroup = true;
    in.count2 = 2;
    EXPECT_NEAR(Action3Execute(*cat, cycle, in).capacity, alone + 2 * 2 * alone, 1e-12);
}

TEST_F(CalculatorData, PolynomialBalanceSettlesOnCapacityPlusPower) {
    CalculatorInputs in = bockInputs();
    const CalculatorResult r = Action3Execute(*cat, cycle, in);
    const double q = 10 + 0.2 * -25 - 0.1 * r.tc;
    const double p = 4 + 0.02 * r.tc;
    EXPECT_NEAR(r.tc, 30 + 15 * (q + p) / 40, 1e-6);
    EXPECT_NEAR(r.heat, q + p, 1e-12);
}

TEST_F(CalculatorData, NothingToComputeShowsEmptyTexts) {
    cat->FullDataUpdate(3, 2, 0);  // no Copeland Scroll compressors for R404A/R507 high
    CalculatorInputs in;
    in.brand = 2;
    in.level = 3;
    const CalculatorResult r = Action3Execute(*cat, cycle, in);
    EXPECT_FALSE(r.computed);
    EXPECT_EQ(r.solution, "");
    EXPECT_EQ(r.condensate, "");
    EXPECT_FALSE(r.outOfEnvelope);
    // Brand tables have no R410A section.
    CalculatorInputs b = bockInputs();
    b.refrigerant = 4;
    EXPECT_FALSE(Action3Execute(*cat, cycle, b).computed);
    // A selector position the list does not hold.
    CalculatorInputs t = tableInputs();
    t.compressor1 = 5;
    EXPECT_FALSE(Action3Execute(*cat, cycle, t).computed);
}

TEST_F(CalculatorData, CondenserDisplays) {
    cat->FullDataUpdate(1, 2, 0);
    const CondenserDisplay d = condensatorChange(*cat, 0, ',');
    EXPECT_EQ(d.edit4, "40");
    EXPECT_EQ(d.edit5, "2");
    EXPECT_EQ(d.edit6, "1,5");
    EXPECT_EQ(condensatorChange(*cat, 100, ',').edit4, "");
}

// The corrections need a refrigerant property table: the sample catalogue's, when generated.
TEST_F(CalculatorData, CorrectionsAtTheCalculationsCondensingTemperature) {
    const std::filesystem::path table = std::filesystem::path(TUNDRIX_SAMPLE_DATA) / "mass404a.dat";
    std::error_code ec;
    if (!std::filesystem::exists(table, ec))
        FAIL() << "no sample property table";
    std::filesystem::copy_file(table, dir / "mass404a.dat");
    for (const bool typed : {false, true}) {
        SCOPED_TRACE(typed);
        CalculatorInputs in = tableInputs();
        in.typedCondensing = typed;
        in.condensate = "42";
        in.superheat = "5";
        in.subcool = "3";
        const CalculatorResult r = Action3Execute(*cat, cycle, in);
        ASSERT_TRUE(r.computed);
        if (typed) {
            EXPECT_DOUBLE_EQ(r.tc, 42.0);
        }
        // Superheat alone at the condensing temperature the figures are computed at; the full
        // correction with the ambient temperature in the condensing place.
        EXPECT_EQ(cycle.shfactor, capcorrection(cycle.table, 1.0, -25, r.tc, 5, 0));
        EXPECT_EQ(cycle.corrfactor, capcorrection(cycle.table, 1.0, -25, 30, 5, 3));
        EXPECT_NE(cycle.corrfactor, 1.0);
        EXPECT_NEAR(r.capacity, tableCap(-25, r.tc) * cycle.corrfactor, 1e-9);
        if (!typed) {
            // The balance weighs the capacity's share of the changed superheat.
            const double qh = tableHeat(-25, r.tc) + tableCap(-25, r.tc) * (cycle.shfactor - 1);
            EXPECT_NEAR(r.heat, qh, 1e-9);
        }
    }
}

TEST_F(CalculatorData, BockFourthSetIsTheHeatRejection) {
    CalculatorInputs in = bockInputs();
    in.compressor1 = 1;  // record 2
    in.count1 = 2;
    in.typedCondensing = true;
    in.condensate = "40";
    const CalculatorResult typed = Action3Execute(*cat, cycle, in);
    EXPECT_NEAR(typed.heat, 30.0, 1e-12);
    // From the ambient the condensers reject those 30 kW: 15 K per 40 kW of rating.
    in.typedCondensing = false;
    const CalculatorResult balanced = Action3Execute(*cat, cycle, in);
    EXPECT_NEAR(balanced.tc, 30 + 15 * 30.0 / 40, 1e-12);
    EXPECT_NEAR(balanced.heat, 30.0, 1e-12);
}

TEST_F(CalculatorData, BitzerFourthSetIsTheDischargeTemperatureOfTheHeatRejection) {
    // Bitzer's file: the Bock records, record 2 with a discharge temperature of 70 degC; the
    // refrigerant table a linear model fluid, so the heat has a closed form.
    CoefImage bitzer;
    ASSERT_TRUE(bitzer.load(dir / "bock.dat"));
    bitzer.setCoefs(0, 2, CoefImage::Fourth, {70});
    ASSERT_TRUE(bitzer.save(dir / "bitzer.dat"));
    ASSERT_TRUE(fixture::buildImage(fixture::LinearFluid::model()).save(dir / "mass404a.dat"));
    cat->FullDataUpdate(1, 3, 0);
    CalculatorInputs in = tableInputs();
    cat->FullDataUpdate(1, 3, 0);
    in.brand = 3;
    in.compressor1 = 1;  // record 2
    in.evaporate = "-10";
    in.typedCondensing = true;
    in.condensate = "40";
    const CalculatorResult r = Action3Execute(*cat, cycle, in);
    ASSERT_TRUE(r.computed);
    using F = fixture::LinearFluid;
    const double to = -10, tc = 40;
    const double hl = F::liquidH(tc);  // no subcooling
    const double flow = r.capacity / (F::enthalpy(F::dewP(to), to + 10) - hl);
    EXPECT_NEAR(r.heat, flow * (F::enthalpy(F::bubbleP(tc), 70) - hl), 1e-9);
    EXPECT_NEAR(r.capacity, 20 - 0.4 * 10 - 0.2 * 40, 1e-12);
}

TEST_F(CalculatorData, CopelandStreamFourthSetLeavesCapacityPlusPower) {
    cat->FullDataUpdate(1, 4, 0);
    CalculatorInputs in = tableInputs();
    cat->FullDataUpdate(1, 4, 0);
    in.brand = 4;
    in.compressor1 = 1;  // record 2, with a fourth set
    in.typedCondensing = true;
    in.condensate = "40";
    const CalculatorResult r = Action3Execute(*cat, cycle, in);
    ASSERT_TRUE(r.computed);
    EXPECT_NEAR(r.heat, r.capacity + r.power, 1e-12);
    EXPECT_NEAR(r.capacity, 2 * (10 - 5 - 4), 1e-12);
}

}  // namespace
}  // namespace tundrix
