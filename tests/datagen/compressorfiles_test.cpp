// The compressor and condenser files written with the real refrigerants: layouts, read-back
// through the catalogue, and how closely the stored polynomials follow the compressors.
#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>

#include "catalogue/catalogue.h"
#include "catalogue/filenames.h"
#include "datagen/compressorfiles.h"
#include "datagen/compressors.h"
#include "engine/tables.h"

namespace tundrix::datagen {
namespace {

class CompressorFilesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        for (int r = 0; r < kRefrigerants; ++r) {
            std::string err;
            fluidStore_[r] = loadFluid(r, {}, &err);
            ASSERT_TRUE(fluidStore_[r]) << err;
            fluids_[r] = fluidStore_[r].get();
        }
        dir_ = std::filesystem::temp_directory_path() /
               ("tundrix-compressors-" + std::to_string(::getpid()));
        std::string err;
        catalogue_ = writeCompressorFiles(dir_, fluids_, &err);
        ASSERT_FALSE(catalogue_.series.empty()) << err;
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    static const SeriesPlan& planOf(const CompressorSeries& s) {
        static const std::vector<SeriesPlan> plans = seriesPlans();
        for (const auto& p : plans)
            if (p.brand == s.brand && p.level == s.level && p.refrigerant == s.refrigerant)
                return p;
        throw std::runtime_error("no plan");
    }
    static CompressorModel modelOf(const CompressorSeries& s, const CatalogueCompressor& c) {
        const SeriesPlan& p = planOf(s);
        const Fluid& fluid = *fluids_[std::size_t(s.refrigerant)];
        return CompressorModel(fluid, resolvedParams(p.params, fluid), p.envelope, c.displacement);
    }

    static inline std::array<std::unique_ptr<Fluid>, kRefrigerants> fluidStore_;
    static inline FluidSet fluids_{};
    static inline std::filesystem::path dir_;
    static inline CompressorCatalogue catalogue_;
};

TEST_F(CompressorFilesTest, EveryFileHasItsExactSize) {
    std::map<std::string, std::uintmax_t> expected{{"bock.dat", 283'200},
                                                   {"bitzer.dat", 283'200},
                                                   {"dwmcopeland.dat", 283'200},
                                                   {"condensators.dat", 13'008}};
    for (int r = 0; r < kRefrigerants; ++r) {
        for (int l = 1; l <= 3; ++l) {
            for (int b : {kBrandBock, kBrandBitzer, kBrandStream})
                if (catalogue_.find(b, l, r) && brandFile(b, r) != brandfilename(b))
                    expected[brandFile(b, r)] = 70'800;  // one section of its own
            if (!catalogue_.find(kBrandScroll, l, r))
                continue;
            expected[scrollTableFile(l, r)] = 2'000'000;
            expected[scrollListFile(l, r)] = 15'104;
        }
    }
    // The five's 11 Scroll pairs, then own files of R290 (8), R32 (5), R1234yf (7),
    // R1234ze(E) (5), R448A (7), R449A (7), R452A (6), R454B (3), R454C (6) and R513A (5).
    EXPECT_EQ(expected.size(), 4u + 2 * 11 + 8 + 5 + 7 + 5 + 7 + 7 + 6 + 3 + 6 + 5);
    for (const auto& [name, size] : expected) {
        ASSERT_TRUE(std::filesystem::exists(dir_ / name)) << name;
        EXPECT_EQ(std::filesystem::file_size(dir_ / name), size) << name;
    }
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, expected.size());
}

TEST_F(CompressorFilesTest, BrandRecordsReadBackWithNamesEnvelopesAndNumbers) {
    for (const auto& s : catalogue_.series) {
        if (s.brand == kBrandScroll)
            continue;
        CoefImage img;
        ASSERT_TRUE(img.load(dir_ / s.performanceFile));
        ASSERT_FALSE(s.compressors.empty());
        const int section = coefSection(s.refrigerant);
        for (const auto& c : s.compressors) {
            ASSERT_TRUE(CoefImage::validRecord(section, c.number));
            EXPECT_EQ(img.name(section, c.number), c.name);
            EXPECT_EQ(img.envelope(section, c.number), c.envelope);
            const auto fourth = img.coefs(section, c.number, CoefImage::Fourth);
            if (s.brand == kBrandStream)
                EXPECT_EQ(fourth[0], 0.0) << c.name;
            else
                EXPECT_NE(fourth[0], 0.0) << c.name;
        }
    }
    // Records are used from 1 without gaps; the first free record ends a section.
    CoefImage bock;
    ASSERT_TRUE(bock.load(dir_ / "bock.dat"));
    for (int r = 0; r < 4; ++r) {
        int used = 0;
        while (used < CoefImage::kRecords && !bock.isFree(r, used + 1))
            ++used;
        for (int k = used + 1; k <= CoefImage::kRecords; ++k)
            EXPECT_TRUE(bock.isFree(r, k));
        int listed = 0;
        for (const auto& s : catalogue_.series)
            if (s.brand == kBrandBock && s.refrigerant == r)
                listed += int(s.compressors.size());
        EXPECT_EQ(used, listed) << "section " << r;
    }
}

TEST_F(CompressorFilesTest, CalculatorListsEachSeriesUnderItsLevel) {
    auto cat = std::make_unique<Catalogue>(dir_);
    for (const auto& s : catalogue_.series) {
        if (s.brand == kBrandScroll)
            continue;
        const CalculatorLists lists = cat->FullDataUpdate(s.level, s.brand, s.refrigerant);
        ASSERT_FALSE(lists.noCompressors) << s.brand << " " << s.level << " " << s.refrigerant;
        const auto& items = lists.selectcompr.items;
        for (const auto& c : s.compressors) {
            const auto it = std::find(items.begin(), items.end(), c.name);
            ASSERT_NE(it, items.end()) << c.name << " level " << s.level;
            EXPECT_EQ(cat->brandpos[std::size_t(it - items.begin())], c.number);
        }
    }
}

TEST_F(CompressorFilesTest, ScrollListsAndTablesReadBackThroughTheCatalogue) {
    auto cat = std::make_unique<Catalogue>(dir_);
    for (const auto& s : catalogue_.series) {
        if (s.brand != kBrandScroll)
            continue;
        const CalculatorLists lists = cat->DatUpdate(s.performanceFile, s.listFile);
        ASSERT_EQ(cat->comprlist.count(), int(s.compressors.size()));
        ASSERT_EQ(lists.selectcompr.items.size(), s.compressors.size());
        ASSERT_NE(cat->calcgridptr, nullptr);
        for (const auto& c : s.compressors) {
            EXPECT_EQ(cat->comprlist.name(c.number), c.name);
            for (int n = 1; n <= 6; ++n) {
                EXPECT_EQ(cat->comprlist.x(n, c.number), c.envelope[2 * (n - 1)]);
                EXPECT_EQ(cat->comprlist.y(n, c.number), c.envelope[2 * n - 1]);
            }
            const CompressorModel model = modelOf(s, c);
            const Envelope& env = planOf(s).envelope;
            const int r0 = cat->comprlist.position(c.number);
            const int columns[4] = {2, 32, 47, 62};
            for (int b = 0; b < 4; ++b) {
                const TableBlock t = gettable(*cat->calcgridptr, r0, columns[b]);
                ASSERT_GE(t.rows, 3);
                ASSERT_GE(t.cols, 3);
                // Keys on the 5 K grid over the envelope, every one kept (0 degC included).
                EXPECT_EQ(t.C.front(), std::ceil(env.toMin() / 5) * 5);
                EXPECT_EQ(t.C.back(), std::floor(env.toMax() / 5) * 5);
                EXPECT_EQ(t.cols, int(std::lround((t.C.back() - t.C.front()) / 5)) + 1);
                EXPECT_EQ(t.R.front(), std::ceil(env.tcMin() / 5) * 5);
                EXPECT_EQ(t.rows, int(std::lround((t.R.back() - t.R.front()) / 5)) + 1);
                for (int p = 0; p < t.rows; ++p) {
                    for (int q = 0; q < t.cols; ++q) {
                        const double to = t.C[q], tc = t.R[p];
                        if (!env.contains(to, tc)) {
                            EXPECT_EQ(t.at(p, q), 0.0);
                            continue;
                        }
                        const ModelPoint m = model.rate(to, tc);
                        const double v[4] = {m.capacity, m.power, m.heat, m.current};
                        EXPECT_DOUBLE_EQ(t.at(p, q), v[b]);
                    }
                }
                // The program's interpolation gives the catalogue value at a grid point.
                const RatingPoint rp = ratingPoint(s.level);
                const ModelPoint m = model.rate(rp.to, rp.tc);
                const double v[4] = {m.capacity, m.power, m.heat, m.current};
                if (std::fmod(rp.to, 5) == 0 && std::fmod(rp.tc, 5) == 0) {
                    EXPECT_NEAR(spline2d(t, rp.to, rp.tc), v[b], 1e-9 * v[b]);
                }
            }
        }
    }
}

TEST_F(CompressorFilesTest, ScrollTablesKeepTheZeroDegreeColumnAndStayPhysical) {
    int withZero = 0;
    for (const auto& s : catalogue_.series) {
        if (s.brand != kBrandScroll)
            continue;
        GridImage img;
        Comprprop list;
        ASSERT_TRUE(img.load(dir_ / s.performanceFile));
        ASSERT_TRUE(list.load(dir_ / s.listFile));
        for (int k = 1; k <= list.count(); ++k) {
            const TableBlock q = gettable(img, list.position(k), 2);
            const TableBlock w = gettable(img, list.position(k), 32);
            const auto zero = std::find(q.C.begin(), q.C.begin() + q.cols, 0.0);
            if (zero != q.C.begin() + q.cols) {
                ++withZero;
                // The column under the 0 degC key holds data.
                const int col = int(zero - q.C.begin());
                int filled = 0;
                for (int p = 0; p < q.rows; ++p)
                    filled += q.at(p, col) != 0.0;
                EXPECT_GE(filled, 3) << list.name(k);
            }
            for (int p = 0; p < q.rows; ++p) {
                for (int c = 0; c < q.cols; ++c) {
                    if (q.at(p, c) == 0.0)
                        continue;
                    const double cop = q.at(p, c) / w.at(p, c);
                    EXPECT_GT(cop, 1.0) << list.name(k);
                    EXPECT_LT(cop, 8.0) << list.name(k);
                    if (c + 1 < q.cols && q.at(p, c + 1) != 0.0) {
                        EXPECT_GT(q.at(p, c + 1), q.at(p, c));
                    }
                    if (p + 1 < q.rows && q.at(p + 1, c) != 0.0) {
                        EXPECT_LT(q.at(p + 1, c), q.at(p, c));
                    }
                }
            }
        }
    }
    EXPECT_GT(withZero, 0);
}

// Between the 5 K grid points the program interpolates the tables with its splines; the tables
// are dense enough for that to follow the compressor closely everywhere inside the envelope.
TEST_F(CompressorFilesTest, ScrollTablesInterpolateCloseToTheCompressors) {
    double worst[4] = {0, 0, 0, 0};  // capacity, power, heat rejection, current (%)
    for (const auto& s : catalogue_.series) {
        if (s.brand != kBrandScroll)
            continue;
        GridImage img;
        Comprprop list;
        ASSERT_TRUE(img.load(dir_ / s.performanceFile));
        ASSERT_TRUE(list.load(dir_ / s.listFile));
        const Envelope& env = planOf(s).envelope;
        for (const auto& c : {s.compressors.front(), s.compressors.back()}) {
            const CompressorModel model = modelOf(s, c);
            const int columns[4] = {2, 32, 47, 62};
            std::array<TableBlock, 4> blocks;
            for (int b = 0; b < 4; ++b)
                blocks[b] = gettable(img, list.position(c.number), columns[b]);
            for (double to = std::ceil(env.toMin()); to <= env.toMax(); to += 1) {
                for (double tc = std::ceil(env.tcMin()); tc <= env.tcMax(); tc += 1) {
                    if (!env.contains(to, tc))
                        continue;
                    const ModelPoint m = model.rate(to, tc);
                    const double v[4] = {m.capacity, m.power, m.heat, m.current};
                    for (int b = 0; b < 4; ++b)
                        worst[b] = std::max(
                            worst[b], 100 * std::abs(spline2d(blocks[b], to, tc) - v[b]) / v[b]);
                }
            }
        }
    }
    std::printf(
        "scroll tables by spline: capacity %.3f %%, power %.3f %%, heat %.3f %%, "
        "current %.3f %%\n",
        worst[0], worst[1], worst[2], worst[3]);
    for (double w : worst)
        EXPECT_LT(w, 1.5);
}

TEST_F(CompressorFilesTest, ScrollTablesOfAListDoNotOverlap) {
    for (const auto& s : catalogue_.series) {
        if (s.brand != kBrandScroll)
            continue;
        Comprprop list;
        ASSERT_TRUE(list.load(dir_ / s.listFile));
        for (int k = 2; k <= list.count(); ++k) {
            // The condensing temperatures on the 5 K grid within the envelope.
            const int rows = int(std::floor((planOf(s).envelope.tcMax() -
                                             std::ceil(planOf(s).envelope.tcMin() / 5) * 5) /
                                            5)) +
                             1;
            EXPECT_GE(list.position(k), list.position(k - 1) + 1 + rows + 2);
        }
        EXPECT_LE(list.position(list.count()) + 15, GridImage::kDim);
    }
}

TEST_F(CompressorFilesTest, CondenserListReadsBackAscendingWithCyrillicNames) {
    Condenserprop img;
    ASSERT_TRUE(img.load(dir_ / "condensators.dat"));
    ASSERT_EQ(img.count(), int(catalogue_.condensers.size()));
    ASSERT_GE(img.count(), 20);
    ASSERT_LE(img.count(), Condenserprop::kEntries);
    for (const auto& c : catalogue_.condensers) {
        EXPECT_EQ(img.name(c.index), c.name);
        EXPECT_EQ(img.pol(c.index), c.pol);
        EXPECT_EQ(img.capacity(c.index), c.capacity);
        EXPECT_EQ(img.numfuns(c.index), c.fans);
        EXPECT_GE(c.fans, 1);
        EXPECT_GT(img.funsCurrent(c.index), 0.2);
        EXPECT_LT(img.funsCurrent(c.index), 3.0);
        EXPECT_GT(img.funsCap(c.index), 0.05);
        EXPECT_LT(img.funsCap(c.index), 1.5);
        if (c.index > 1) {
            EXPECT_GE(c.capacity, img.capacity(c.index - 1));
        }
    }
    EXPECT_EQ(img.name(1).rfind("КВО", 0), 0u);
    EXPECT_LT(img.capacity(1), 5.0);
    EXPECT_GT(img.capacity(img.count()), 100.0);
    EXPECT_TRUE(img.name(img.count() + 1).empty());
}

// The worst deviation of the stored polynomials from the model: at the ten points of every
// polynomial compressor, and on a 1 K grid inside the envelope.
TEST_F(CompressorFilesTest, PolynomialsFollowTheCompressorsInsideTheEnvelope) {
    double worst[5] = {0, 0, 0, 0, 0};  // capacity, power, current, heat (%), discharge (K)
    double worstAtPoints = 0;
    int checked = 0;
    for (const auto& s : catalogue_.series) {
        if (s.brand == kBrandScroll)
            continue;
        CoefImage img;
        ASSERT_TRUE(img.load(dir_ / s.performanceFile));
        const Envelope& env = planOf(s).envelope;
        std::array<GridPoint, 10> at;
        ASSERT_TRUE(chooseFitPoints(env, at));
        const int section = coefSection(s.refrigerant);
        for (const auto& c : s.compressors) {
            const CompressorModel model = modelOf(s, c);
            const auto q = img.coefs(section, c.number, CoefImage::Capacity);
            const auto p = img.coefs(section, c.number, CoefImage::Power);
            const auto i = img.coefs(section, c.number, CoefImage::Current);
            const auto f = img.coefs(section, c.number, CoefImage::Fourth);
            const FourthSet kind = fourthSetOf(s.brand);
            for (const GridPoint& g : at) {
                const ModelPoint m = model.rate(g.to, g.tc);
                for (const auto& [poly, value] :
                     {std::pair{&q, m.capacity}, {&p, m.power}, {&i, m.current}}) {
                    worstAtPoints = std::max(worstAtPoints,
                                             std::abs(poly10(*poly, g.to, g.tc) - value) / value);
                }
            }
            // The sizes of a series share one design, so the smallest and the largest stand
            // for the others on the fine grid.
            if (&c != &s.compressors.front() && &c != &s.compressors.back())
                continue;
            for (double to = std::ceil(env.toMin()); to <= env.toMax(); to += 1) {
                for (double tc = std::ceil(env.tcMin()); tc <= env.tcMax(); tc += 1) {
                    if (!env.contains(to, tc))
                        continue;
                    const ModelPoint m = model.rate(to, tc);
                    const double pq = poly10(q, to, tc), pp = poly10(p, to, tc);
                    worst[0] = std::max(worst[0], 100 * std::abs(pq - m.capacity) / m.capacity);
                    worst[1] = std::max(worst[1], 100 * std::abs(pp - m.power) / m.power);
                    worst[2] = std::max(worst[2],
                                        100 * std::abs(poly10(i, to, tc) - m.current) / m.current);
                    if (kind == FourthSet::HeatRejection)
                        worst[3] =
                            std::max(worst[3], 100 * std::abs(poly10(f, to, tc) - m.heat) / m.heat);
                    if (kind == FourthSet::DischargeTemperature)
                        worst[4] = std::max(worst[4], std::abs(poly10(f, to, tc) - m.dischargeT));
                    // What the program shows stays physical: cooling per kW of power.
                    EXPECT_GT(pq / pp, 1.0)
                        << c.name << " " << s.refrigerant << " " << to << "/" << tc;
                    EXPECT_LT(pq / pp, 8.0) << c.name << " " << to << "/" << tc;
                    ++checked;
                }
            }
        }
    }
    std::printf(
        "fit over %d grid points: capacity %.3f %%, power %.3f %%, current %.3f %%, "
        "heat %.3f %%, discharge %.3f K; at the ten points %.1e\n",
        checked, worst[0], worst[1], worst[2], worst[3], worst[4], worstAtPoints);
    EXPECT_LT(worstAtPoints, 1e-6);
    EXPECT_LT(worst[0], 1.0);
    EXPECT_LT(worst[1], 1.0);
    EXPECT_LT(worst[2], 1.0);
    EXPECT_LT(worst[3], 1.0);
    EXPECT_LT(worst[4], 0.5);
}

TEST_F(CompressorFilesTest, CapacityRisesWithEvaporatingAndFallsWithCondensingTemperature) {
    for (const auto& s : catalogue_.series) {
        if (s.brand == kBrandScroll)
            continue;
        CoefImage img;
        ASSERT_TRUE(img.load(dir_ / s.performanceFile));
        const Envelope& env = planOf(s).envelope;
        for (const auto& c : {s.compressors.front(), s.compressors.back()}) {
            const auto q = img.coefs(coefSection(s.refrigerant), c.number, CoefImage::Capacity);
            for (double to = std::ceil(env.toMin()); to <= env.toMax(); to += 1) {
                for (double tc = std::ceil(env.tcMin()); tc <= env.tcMax(); tc += 1) {
                    if (!env.contains(to, tc))
                        continue;
                    if (env.contains(to + 1, tc)) {
                        EXPECT_GT(poly10(q, to + 1, tc), poly10(q, to, tc)) << c.name;
                    }
                    if (env.contains(to, tc + 1)) {
                        EXPECT_LT(poly10(q, to, tc + 1), poly10(q, to, tc)) << c.name;
                    }
                }
            }
        }
    }
}

TEST_F(CompressorFilesTest, RatedFiguresAreRealisticAndGrowWithSize) {
    for (const auto& s : catalogue_.series) {
        ASSERT_FALSE(s.compressors.empty());
        const Envelope& env = planOf(s).envelope;
        for (std::size_t k = 0; k < s.compressors.size(); ++k) {
            const auto& c = s.compressors[k];
            EXPECT_TRUE(env.contains(c.ratedTo, c.ratedTc)) << c.name;
            EXPECT_LE(c.name.size(), 50u);
            const double cop = c.ratedCapacity / c.ratedPower;
            EXPECT_GT(cop, 1.0) << c.name;
            EXPECT_LT(cop, 8.0) << c.name;
            EXPECT_GT(c.ratedHeat, c.ratedCapacity);
            if (k > 0) {
                EXPECT_GT(c.ratedCapacity, s.compressors[k - 1].ratedCapacity);
            }
            // Scroll entries count from 1 in each list; brand records run on through a section.
            EXPECT_EQ(c.number, (s.brand == kBrandScroll ? 1 : s.compressors[0].number) + int(k));
        }
    }
    // Typical figures: a low-temperature R404A compressor of about 50 m3/h gives some 4 to 12 kW
    // at -35/40.
    const auto* low = catalogue_.find(kBrandBock, 1, 0);
    ASSERT_NE(low, nullptr);
    const auto it = std::find_if(low->compressors.begin(), low->compressors.end(),
                                 [](const auto& c) { return c.displacement == 48.8; });
    ASSERT_NE(it, low->compressors.end());
    EXPECT_GT(it->ratedCapacity, 4.0);
    EXPECT_LT(it->ratedCapacity, 12.0);
}

TEST_F(CompressorFilesTest, OutputIsDeterministic) {
    const auto other = std::filesystem::temp_directory_path() /
                       ("tundrix-compressors-again-" + std::to_string(::getpid()));
    std::string err;
    const CompressorCatalogue again = writeCompressorFiles(other, fluids_, &err);
    ASSERT_FALSE(again.series.empty()) << err;
    for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
        std::ifstream a(entry.path(), std::ios::binary),
            b(other / entry.path().filename(), std::ios::binary);
        const std::string da((std::istreambuf_iterator<char>(a)), {});
        const std::string db((std::istreambuf_iterator<char>(b)), {});
        EXPECT_TRUE(da == db) << entry.path().filename();
    }
    std::filesystem::remove_all(other);
}

TEST_F(CompressorFilesTest, FailedWriteSaysSoAndReturnsNothing) {
    // A regular file where the folder should be.
    const auto blocker = dir_ / "condensators.dat";
    std::string err;
    const CompressorCatalogue none = writeCompressorFiles(blocker / "sub", fluids_, &err);
    EXPECT_TRUE(none.series.empty());
    EXPECT_FALSE(err.empty());
}

}  // namespace
}  // namespace tundrix::datagen
