// The generated property images: layout the program's loader relies on, every stored state
// checked against the equation of state, and the files written for the data folder.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "catalogue/refrigerants.h"
#include "catalogue/tempfolder.h"
#include "datagen/propertytables.h"
#include "engine/propertytable.h"

namespace tundrix::datagen {
namespace {

struct Built {
    std::unique_ptr<EosFluid> fluid;
    GridImage image;
};

// The five images, built once for all tests of this file.
const Built& built(int index) {
    static std::map<int, Built> cache;
    auto it = cache.find(index);
    if (it == cache.end()) {
        Built b;
        b.fluid = loadEosFluid(index);
        if (b.fluid) {
            auto image = buildPropertyImage(*b.fluid);
            if (image) {
                b.image = std::move(*image);
            } else {
                b.fluid.reset();  // the tests then fail on the missing fluid
            }
        }
        it = cache.emplace(index, std::move(b)).first;
    }
    return it->second;
}

TEST(PropertyImage, LayoutMatchesWhatTheLoaderReads) {
    for (int i = 0; i < 5; ++i) {
        const Built& b = built(i);
        ASSERT_TRUE(b.fluid);
        SCOPED_TRACE(b.fluid->name());
        const GridImage& img = b.image;
        // Saturated table: 35 ascending rows from row 4, ended by two zero rows.
        const PropertyTable table(img);
        EXPECT_EQ(table.satCount(), kSatRows);
        EXPECT_EQ(img.at(4, 1), -70.0);
        EXPECT_EQ(img.at(38, 1), 70.0);
        EXPECT_EQ(img.at(39, 1), 0.0);
        EXPECT_EQ(img.at(40, 1), 0.0);
        for (int r = 5; r <= 38; ++r) {
            EXPECT_GT(img.at(r, 1), img.at(r - 1, 1));
            EXPECT_GT(img.at(r, 2), img.at(r - 1, 2));
            EXPECT_GT(img.at(r, 6), img.at(r - 1, 6));
        }
        // Blocks: ascending enthalpies, 448 ascending pressures shared by all, then the end marker.
        const auto& hs = table.blockEnthalpies();
        for (int k = 0; k < kBlocks; ++k) {
            if (k > 0) {
                EXPECT_GT(hs[k], hs[k - 1]);
            }
            EXPECT_EQ(table.blockLength(k, 2), kPressureRows) << k;
            EXPECT_EQ(img.at(489, blockColumn(k, 2)), 0.0);
            EXPECT_EQ(img.at(490, blockColumn(k, 2)), 0.0);
            for (int r = 42; r <= 488; ++r) {
                EXPECT_GT(img.at(r, blockColumn(k, 2)), img.at(r - 1, blockColumn(k, 2)));
                EXPECT_EQ(img.at(r, blockColumn(k, 2)), img.at(r, 2));
                EXPECT_EQ(img.at(r, blockColumn(k, 4)), hs[k]);
            }
        }
        // The pressures span the lowest evaporating and the highest condensing pressure asked for.
        EXPECT_LT(img.at(42, 2), b.fluid->pDew(-50));
        EXPECT_GT(img.at(488, 2), b.fluid->pBubble(65));
    }
}

TEST(PropertyImage, SaturatedRowsAgreeWithTheEquationOfState) {
    for (int i = 0; i < 5; ++i) {
        const Built& b = built(i);
        ASSERT_TRUE(b.fluid);
        SCOPED_TRACE(b.fluid->name());
        for (int r = 4; r <= 38; ++r) {
            const double t = b.image.at(r, 1);
            const FluidState l = b.fluid->bubbleLiquid(t), v = b.fluid->dewVapour(t);
            EXPECT_EQ(b.image.at(r, 2), l.p);
            EXPECT_EQ(b.image.at(r, 3), v.p);
            EXPECT_EQ(b.image.at(r, 4), l.rho);
            EXPECT_EQ(b.image.at(r, 5), v.rho);
            EXPECT_EQ(b.image.at(r, 6), l.h);
            EXPECT_EQ(b.image.at(r, 7), v.h);
            // The states are the saturated ones: the stored density reproduces the pressure.
            const MolarState sl = b.fluid->model().state(t + 273.15, l.rho / b.fluid->massPerMol());
            const MolarState sv = b.fluid->model().state(t + 273.15, v.rho / b.fluid->massPerMol());
            EXPECT_NEAR(sv.p / 1e5, v.p, 1e-9 * v.p);
            EXPECT_NEAR(sl.p / 1e5, l.p, 1e-6 * l.p);
            if (b.fluid->isPure()) {
                EXPECT_EQ(l.p, v.p);
            } else {
                EXPECT_GT(l.p, v.p);
            }
        }
    }
}

TEST(PropertyImage, EveryStateCellIsAStateOfTheEquationOfState) {
    for (int i = 0; i < 5; ++i) {
        const Built& b = built(i);
        ASSERT_TRUE(b.fluid);
        SCOPED_TRACE(b.fluid->name());
        const double m = b.fluid->massPerMol();
        double worstP = 0, worstH = 0;
        int states = 0, bridges = 0;
        for (int r = kBlockFirstRow; r < kBlockFirstRow + kPressureRows; ++r) {
            const double p = b.image.at(r, 2);
            const auto sat = b.fluid->saturationAtP(p * 1e5);
            ASSERT_TRUE(sat.ok);
            const double hL = sat.liquid.h / m / 1000, hV = sat.vapour.h / m / 1000;
            for (int k = 0; k < kBlocks; ++k) {
                const double hk = b.image.at(r, blockColumn(k, 4));
                const bool inDome = hk > hL && hk < hV;
                // Exactly the cells inside the dome carry the bridge flag.
                EXPECT_EQ(b.image.at(r, blockColumn(k, 5)), inDome ? 1.0 : 0.0) << r << " " << k;
                const double t = b.image.at(r, blockColumn(k, 1));
                const double rho = b.image.at(r, blockColumn(k, 3));
                if (inDome) {
                    // Not a physical state (it swings well outside the saturation values where
                    // the end slopes are steep); it only has to be a finite, smooth number.
                    EXPECT_TRUE(std::isfinite(t));
                    EXPECT_TRUE(std::isfinite(rho) && rho > 0);
                    ++bridges;
                    continue;
                }
                const MolarState st = b.fluid->model().state(t + 273.15, rho / m);
                worstP = std::max(worstP, std::abs(st.p / 1e5 - p) / p);
                worstH = std::max(worstH, std::abs(st.h / m / 1000 - hk) / hk);
                // Liquid cells are liquid, vapour cells vapour.
                EXPECT_EQ(hk <= hL, st.rho > b.fluid->model().criticalDensity());
                ++states;
            }
        }
        std::printf("%-6s cells vs EOS: worst p %.2e, h %.2e (relative)\n", b.fluid->name().c_str(),
                    worstP, worstH);
        EXPECT_LT(worstP, 1e-8);
        EXPECT_LT(worstH, 1e-11);
        EXPECT_GT(states, 5000);
        EXPECT_GT(bridges, 1000);
    }
}

TEST(PropertyImage, WritesAFileOfTwoMillionBytesPerRefrigerantTheSameOnEveryRun) {
    // A folder of its own: the suite may run beside another checkout's. How long the images
    // take is measured by the benchmarks, not here.
    const tundrix::testing::TempFolder dir;
    std::string err;
    ASSERT_TRUE(writePropertyTables(dir / "data", &err)) << err;
    const char* names[] = {"mass404a.dat", "mass22.dat", "mass407c.dat", "mass134a.dat",
                           "mass410a.dat"};
    for (int i = 0; i < kRefrigerants; ++i) {
        const std::string name(refrigerantEntry(i).propertyFile);
        if (i < 5) {
            EXPECT_EQ(name, names[i]);
        }
        const auto file = dir / "data" / name;
        ASSERT_TRUE(std::filesystem::exists(file)) << name;
        EXPECT_EQ(std::filesystem::file_size(file), 2'000'000u);
        GridImage img;
        ASSERT_TRUE(img.load(file));
        EXPECT_TRUE(img == built(i).image) << name;
    }
}

TEST(PropertyImage, MissingEquationOfStateFolderFailsWithAReason) {
    const auto dir = std::filesystem::temp_directory_path() / "tundrix-proptables-missing";
    std::string err;
    EXPECT_FALSE(writePropertyTables(dir, &err, dir / "no-such-folder"));
    EXPECT_FALSE(err.empty());
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tundrix::datagen
