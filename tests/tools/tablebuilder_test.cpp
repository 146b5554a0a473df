// The compressor table builder's operations on a brand file: the fit through ten points, the
// trial calculation, entering, deleting, listing, writing and the one-off conversion.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>

#include "catalogue/refrigerants.h"
#include "filelimit.h"
#include "tools/tablebuildercore.h"

namespace fs = std::filesystem;
using namespace tundrix;

namespace {

constexpr int kR404A = refrigerantIndex("404a");
constexpr int kR22 = refrigerantIndex("22");
constexpr int kR407C = refrigerantIndex("407c");
constexpr int kR134a = refrigerantIndex("134a");
constexpr int kR410A = refrigerantIndex("410a");
constexpr int kR290 = refrigerantIndex("290");

// A known polynomial of the builder's ten-term form for each quantity.
const CoefSets& knownSets() {
    static const CoefSets s = [] {
        CoefSets k;
        k.c = {20.5, 0.71, -0.23, 0.0105, -0.0031, 0.0007, 4.1e-5, -2.2e-5, 1.3e-5, -6e-6};
        k.cw = {3.2, -0.012, 0.061, -2.1e-4, 3.3e-4, 6.4e-4, -1e-6, 2e-6, -3e-6, 4e-6};
        k.ci = {7.1, -0.02, 0.12, 1e-4, 6e-4, 1.1e-3, 2e-6, -1e-6, 5e-6, 1e-6};
        k.mo = {1.5, 0.02, -0.01, 1e-4, 2e-4, -3e-4, 1e-6, 2e-6, 3e-6, -4e-6};
        return k;
    }();
    return s;
}

// Ten catalogue-like points: evaporating -30..+5, condensing 30..55, no two alike.
PointTable pointsOf(const CoefSets& s) {
    const double to[10] = {-30, -30, -20, -20, -10, -10, -10, 0, 0, 5};
    const double tc[10] = {30, 50, 35, 55, 30, 45, 55, 40, 50, 45};
    PointTable p{};
    for (int q = 0; q < 10; ++q) {
        const auto v = evaluateCoefSets(s, to[q], tc[q]);
        p[q] = {v[0], v[1], v[2], v[3], to[q], tc[q]};
    }
    return p;
}

CoefImage::Envelope envelope(double base) {
    CoefImage::Envelope e{};
    for (int i = 0; i < 12; ++i)
        e[std::size_t(i)] = base + i;
    return e;
}

class BuilderFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tundrix-builder-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // A brand file with the given names in table `section` (0-based), records from 1.
    void writeBrandFile(const std::string& file, int section,
                        const std::vector<std::string>& names) {
        CoefImage img;
        for (std::size_t i = 0; i < names.size(); ++i) {
            const int k = int(i) + 1;
            img.setName(section, k, names[i]);
            for (int set = 0; set < 4; ++set)
                img.setCoefs(section, k, CoefImage::Set(set), knownSets()[set]);
            img.setEnvelope(section, k, envelope(k));
        }
        ASSERT_TRUE(img.save(dir_ / file));
    }

    TableBuilder opened(int refrigerant, const std::string& file = "bock.dat") {
        TableBuilder b;
        b.setBrandFile(file);
        b.setRefrigerant(refrigerant);
        std::string error;
        EXPECT_TRUE(b.open(dir_, &error)) << error;
        return b;
    }

    fs::path dir_;
};

}  // namespace

TEST(TableBuilderFit, TenPointsOfAKnownPolynomialGiveItsCoefficientsAndReproduceThePoints) {
    const PointTable points = pointsOf(knownSets());
    CoefSets fitted;
    fitCoefSets(points, false, fitted);
    for (int set = 0; set < 4; ++set)
        for (int i = 0; i < 10; ++i)
            EXPECT_NEAR(fitted[set][std::size_t(i)], knownSets()[set][std::size_t(i)],
                        1e-9 * (1 + std::fabs(knownSets()[set][0])))
                << "set " << set << " c" << i + 1;
    // "расчет " at each catalogue point gives the point's values back.
    for (const PointRow& p : points) {
        const auto v = evaluateCoefSets(fitted, p[PointT0], p[PointTc]);
        for (int set = 0; set < 4; ++set)
            EXPECT_NEAR(v[std::size_t(set)], p[std::size_t(set)], 1e-9);
    }
}

TEST(TableBuilderFit, OnlyTheLastColumnLeavesTheOtherSetsAlone) {
    CoefSets sets;
    sets.c.fill(1.0);
    sets.cw.fill(2.0);
    sets.ci.fill(3.0);
    PointTable points = pointsOf(knownSets());
    for (PointRow& p : points)
        p[PointQ0] = p[PointW] = p[PointI] = 0;  // not read
    fitCoefSets(points, true, sets);
    EXPECT_EQ(sets.c, Poly10({1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(sets.cw[4], 2.0);
    EXPECT_EQ(sets.ci[9], 3.0);
    EXPECT_NEAR(sets.mo[0], knownSets().mo[0], 1e-9);
}

TEST(TableBuilderFit, AFirstPointAtZeroZeroStillFits) {
    PointTable points = pointsOf(knownSets());
    points[0][PointT0] = 0;
    points[0][PointTc] = 0;
    const auto v = evaluateCoefSets(knownSets(), 0, 0);
    for (int set = 0; set < 4; ++set)
        points[0][std::size_t(set)] = v[std::size_t(set)];
    CoefSets fitted;
    fitCoefSets(points, false, fitted);
    EXPECT_NEAR(fitted.c[0], knownSets().c[0], 1e-9);
    EXPECT_NEAR(fitted.c[9], knownSets().c[9], 1e-12);
}

TEST(TableBuilderNames, LabelsAndBrandFiles) {
    EXPECT_EQ(refrigerantLabel(kR404A), "R404a/507");
    EXPECT_EQ(refrigerantLabel(kR134a), "R134a");
    EXPECT_EQ(refrigerantLabel(TableBuilder::kNoRefrigerant), "");
    EXPECT_EQ(brandFileName(1), "bock.dat");
    EXPECT_EQ(brandFileName(2), "bitzer.dat");
    EXPECT_EQ(brandFileName(3), "dwmcopeland.dat");
    EXPECT_EQ(brandFileName(4), "");
}

TEST_F(BuilderFiles, OpenListsTheRefrigerantsTableAndChoosingLoadsTheRecord) {
    writeBrandFile("bock.dat", 1, {"HGX12P/60-4", "HGX22P/125-4"});
    TableBuilder b = opened(kR22);
    EXPECT_EQ(b.compressorNames(), (std::vector<std::string>{"HGX12P/60-4", "HGX22P/125-4"}));
    EXPECT_EQ(b.listMap(), (std::vector<int>{1, 2}));
    ASSERT_EQ(b.listed().size(), 2u);
    EXPECT_EQ(b.listed()[1], (ListedCompressor{"HGX22P/125-4", "R22"}));
    std::string name;
    CoefImage::Envelope env{};
    ASSERT_TRUE(b.choose(1, &name, &env));
    EXPECT_EQ(name, "HGX22P/125-4");
    EXPECT_EQ(env, envelope(2));
    EXPECT_EQ(b.sets().mo, knownSets().mo);
    EXPECT_FALSE(b.choose(2, &name, &env));
}

TEST_F(BuilderFiles, WithNoRefrigerantTheListShowsEveryTableAndTheComboStaysEmpty) {
    CoefImage img;
    img.setName(0, 1, "A");
    img.setName(3, 1, "B");
    img.setName(2, 7, "C");
    ASSERT_TRUE(img.save(dir_ / "bitzer.dat"));
    TableBuilder b = opened(TableBuilder::kNoRefrigerant, "bitzer.dat");
    EXPECT_TRUE(b.compressorNames().empty());
    const std::vector<ListedCompressor> expected = {
        {"A", "R404a/507"}, {"B", "R134a"}, {"C", "R407C"}};
    EXPECT_EQ(b.listed(), expected);
}

TEST_F(BuilderFiles, OpenFailsWithTheFileNameAndKeepsTheImage) {
    TableBuilder b;
    std::string error;
    EXPECT_FALSE(b.open(dir_, &error));  // no brand chosen
    EXPECT_FALSE(error.empty());
    writeBrandFile("bock.dat", 0, {"X"});
    b = opened(kR404A);
    b.setBrandFile("dwmcopeland.dat");
    EXPECT_FALSE(b.open(dir_, &error));
    EXPECT_NE(error.find("dwmcopeland.dat"), std::string::npos) << error;
    EXPECT_EQ(b.image().name(0, 1), "X");
    EXPECT_EQ(b.compressorNames().size(), 1u);
}

TEST_F(BuilderFiles, AShorterFileLeavesNothingOfTheFileReadBefore) {
    writeBrandFile("bock.dat", 3, {"R134A-1", "R134A-2"});  // the last table, at the file's end
    TableBuilder b = opened(kR134a);
    ASSERT_EQ(b.compressorNames().size(), 2u);
    // The same brand file, now cut inside the first table.
    CoefImage front;
    front.setName(0, 1, "FIRST");
    const auto bytes = front.bytes();
    std::ofstream(dir_ / "bock.dat", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), 1000);
    std::string error, note;
    ASSERT_TRUE(b.open(dir_, &error, &note));
    EXPECT_TRUE(b.compressorNames().empty());
    EXPECT_TRUE(b.image().isFree(3, 1));
    EXPECT_EQ(b.image().coefs(3, 1, CoefImage::Fourth), CoefImage::Coefs{});
    b.setRefrigerant(kR404A);
    ASSERT_TRUE(b.open(dir_, &error, &note));
    EXPECT_EQ(b.compressorNames(), std::vector<std::string>{"FIRST"});
    EXPECT_NE(note.find("1000 байт из 283200"), std::string::npos) << note;
    writeBrandFile("bock.dat", 0, {"WHOLE"});
    ASSERT_TRUE(b.open(dir_, &error, &note));
    EXPECT_EQ(note, "");
}

TEST_F(BuilderFiles, EnterOverwritesTheSameNameAndOtherwiseTakesTheFirstFreeRecord) {
    writeBrandFile("bock.dat", 0, {"K1", "K2", "K3"});
    TableBuilder b = opened(kR404A);
    // Free record 2; "Удалить последний" does not refresh the list.
    EXPECT_EQ(b.removeName("K2"), 1);
    EXPECT_TRUE(b.image().isFree(0, 2));

    b.sets().c.fill(9.0);
    ASSERT_EQ(b.enter("K3", envelope(100)), TableBuilder::EnterResult::Stored);
    EXPECT_EQ(b.image().coefs(0, 3, CoefImage::Capacity)[0], 9.0);
    EXPECT_EQ(b.image().envelope(0, 3), envelope(100));
    EXPECT_TRUE(b.image().isFree(0, 2));

    ASSERT_EQ(b.enter("NEW", envelope(200)), TableBuilder::EnterResult::Stored);
    EXPECT_EQ(b.image().name(0, 2), "NEW");  // before K3, which is still in use
    EXPECT_EQ(b.image().envelope(0, 2), envelope(200));
    // The list: K3 was listed already, NEW is added at the end.
    ASSERT_EQ(b.listed().size(), 4u);
    EXPECT_EQ(b.listed()[3], (ListedCompressor{"NEW", "R404a/507"}));
    // Other tables are not touched.
    EXPECT_TRUE(b.image().isFree(1, 2));
}

TEST_F(BuilderFiles, EnterWithNoFreeRecordSaysSoAndStoresNothing) {
    std::vector<std::string> names;
    for (int k = 1; k <= 150; ++k)
        names.push_back("C" + std::to_string(k));
    writeBrandFile("bock.dat", 3, names);
    TableBuilder b = opened(kR134a);
    const CoefImage before = b.image();
    EXPECT_EQ(b.enter("ONE MORE", envelope(0)), TableBuilder::EnterResult::NoFreeRecord);
    EXPECT_TRUE(b.image() == before);
    // A name already there is still overwritten.
    EXPECT_EQ(b.enter("C150", envelope(0)), TableBuilder::EnterResult::Stored);
}

TEST_F(BuilderFiles, EnterWithNoRefrigerantOnlyListsTheEntry) {
    writeBrandFile("bock.dat", 0, {});
    TableBuilder b = opened(TableBuilder::kNoRefrigerant);
    const CoefImage before = b.image();
    EXPECT_EQ(b.enter("X", envelope(0)), TableBuilder::EnterResult::ListedOnly);
    EXPECT_TRUE(b.image() == before);
}

TEST_F(BuilderFiles, ANameLongerThanFiftyCharactersIsFoundAgainAsStored) {
    writeBrandFile("bock.dat", 0, {});
    TableBuilder b = opened(kR404A);
    const std::string longName(60, 'Z');
    ASSERT_EQ(b.enter(longName, envelope(0)), TableBuilder::EnterResult::Stored);
    ASSERT_EQ(b.enter(longName, envelope(0)), TableBuilder::EnterResult::Stored);
    EXPECT_EQ(b.image().name(0, 1), std::string(50, 'Z'));
    EXPECT_TRUE(b.image().isFree(0, 2));
}

TEST_F(BuilderFiles, RemoveFreesEveryRecordOfThatNameInTheCurrentTableOnly) {
    writeBrandFile("bock.dat", 2, {"D", "E", "D", "D"});
    {
        CoefImage img;
        ASSERT_TRUE(img.load(dir_ / "bock.dat"));
        img.setName(0, 1, "D");  // same name in another table
        ASSERT_TRUE(img.save(dir_ / "bock.dat"));
    }
    TableBuilder b = opened(kR407C);
    EXPECT_EQ(b.removeName("D"), 3);
    EXPECT_TRUE(b.image().isFree(2, 1));
    EXPECT_FALSE(b.image().isFree(2, 2));
    EXPECT_TRUE(b.image().isFree(2, 4));
    EXPECT_EQ(b.image().name(0, 1), "D");
    // The record's numbers stay; only the name goes.
    EXPECT_EQ(b.image().coefs(2, 3, CoefImage::Power), knownSets().cw);
}

TEST_F(BuilderFiles, ARefrigerantChangeAfterEnterWithoutWriteLosesTheEntry) {
    writeBrandFile("bock.dat", 0, {"K1"});
    TableBuilder b = opened(kR404A);
    ASSERT_EQ(b.enter("FRESH", envelope(0)), TableBuilder::EnterResult::Stored);
    b.setRefrigerant(kR22);
    ASSERT_TRUE(b.open(dir_, nullptr));
    b.setRefrigerant(kR404A);
    ASSERT_TRUE(b.open(dir_, nullptr));
    EXPECT_EQ(b.compressorNames(), std::vector<std::string>{"K1"});
}

TEST_F(BuilderFiles, WriteStoresTheWholeImageAndAFailedWriteSaysWhy) {
    writeBrandFile("bock.dat", 0, {"K1"});
    TableBuilder b = opened(kR404A);
    ASSERT_EQ(b.enter("K2", envelope(5)), TableBuilder::EnterResult::Stored);
    std::string error;
    ASSERT_TRUE(b.write(dir_, &error)) << error;
    EXPECT_EQ(fs::file_size(dir_ / "bock.dat"), 283'200u);
    TableBuilder again = opened(kR404A);
    EXPECT_EQ(again.compressorNames(), (std::vector<std::string>{"K1", "K2"}));

    EXPECT_FALSE(b.write(dir_ / "no" / "such" / "folder", &error));
    EXPECT_NE(error.find("bock.dat"), std::string::npos) << error;
}

TEST_F(BuilderFiles, ConvertZeroesEveryFourthSetAndDropsRecords101To150) {
    std::vector<std::string> names;
    for (int k = 1; k <= 150; ++k)
        names.push_back("N" + std::to_string(k));
    writeBrandFile("dwmcopeland.dat", 1, names);
    TableBuilder b;
    b.setBrandFile("dwmcopeland.dat");
    std::string error;
    ASSERT_TRUE(b.convert(dir_, &error)) << error;
    // The image keeps the file as it was read.
    EXPECT_EQ(b.image().name(1, 150), "N150");
    EXPECT_EQ(b.image().coefs(1, 1, CoefImage::Fourth), knownSets().mo);

    CoefImage converted;
    ASSERT_TRUE(converted.load(dir_ / "dwmcopeland.dat"));
    EXPECT_EQ(fs::file_size(dir_ / "dwmcopeland.dat"), 283'200u);
    for (int k = 1; k <= 100; ++k) {
        EXPECT_EQ(converted.name(1, k), "N" + std::to_string(k));
        EXPECT_EQ(converted.coefs(1, k, CoefImage::Capacity), knownSets().c);
        EXPECT_EQ(converted.coefs(1, k, CoefImage::Current), knownSets().ci);
        EXPECT_EQ(converted.coefs(1, k, CoefImage::Fourth), CoefImage::Coefs{});
        EXPECT_EQ(converted.envelope(1, k), envelope(k));
    }
    const auto bytes = converted.bytes();
    for (int section = 0; section < 4; ++section)
        for (std::size_t off = CoefImage::base(section, 101);
             off < CoefImage::base(section, 150) + CoefImage::kRecordSize; ++off)
            ASSERT_EQ(bytes[off], 0) << "table " << section + 1 << " byte " << off;
}

TEST_F(BuilderFiles, ConvertOfAMissingFileFailsAndWritesNothing) {
    TableBuilder b;
    b.setBrandFile("bitzer.dat");
    std::string error;
    EXPECT_FALSE(b.convert(dir_, &error));
    EXPECT_NE(error.find("bitzer.dat"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir_ / "bitzer.dat"));
}

TEST_F(BuilderFiles, AFailedWriteOrConversionLeavesThePreviousFileWhole) {
    writeBrandFile("bock.dat", 0, {"KEEP"});
    TableBuilder b = opened(kR404A);
    ASSERT_EQ(b.enter("LOST", envelope(0)), TableBuilder::EnterResult::Stored);
    std::string error;
    {
        const tundrix::testing::FileSizeLimit limit(1000);  // no room for the new file
        EXPECT_FALSE(b.write(dir_, &error));
        EXPECT_NE(error.find("файл слишком велик"), std::string::npos) << error;
        EXPECT_FALSE(b.convert(dir_, &error));
    }
    CoefImage onDisk;
    ASSERT_TRUE(onDisk.load(dir_ / "bock.dat"));
    EXPECT_EQ(fs::file_size(dir_ / "bock.dat"), 283'200u);
    EXPECT_EQ(onDisk.name(0, 1), "KEEP");
    EXPECT_TRUE(onDisk.isFree(0, 2));
    EXPECT_EQ(onDisk.coefs(0, 1, CoefImage::Fourth), knownSets().mo);
}

// A refrigerant after the five has a coefficient file of its own per brand holding one table:
// it starts empty when it does not exist yet and is written as that one table, while the
// shared brand file stays as it was.
TEST_F(BuilderFiles, ALaterRefrigerantHasAFileOfItsOwnWithOneTable) {
    writeBrandFile("bock.dat", 0, {"R404A model"});
    EXPECT_EQ(refrigerantLabel(kR290), "R290");
    EXPECT_EQ(refrigerantLabel(kR410A), "");  // R410A has no table
    TableBuilder b = opened(kR290);
    EXPECT_EQ(b.fileName(), "bock290.dat");
    EXPECT_TRUE(b.compressorNames().empty());
    b.sets() = knownSets();
    EXPECT_EQ(b.enter("P-20", envelope(-40)), TableBuilder::EnterResult::Stored);
    std::string error;
    ASSERT_TRUE(b.write(dir_, &error)) << error;
    EXPECT_EQ(fs::file_size(dir_ / "bock290.dat"), CoefImage::kSectionSize);
    EXPECT_EQ(fs::file_size(dir_ / "bock.dat"), CoefImage::kSize);

    const TableBuilder again = opened(kR290);
    EXPECT_EQ(again.compressorNames(), std::vector<std::string>{"P-20"});
    EXPECT_EQ(again.listed().front().label, "R290");
    // The five's tables are the brand file's, untouched.
    EXPECT_EQ(opened(kR404A).compressorNames(), std::vector<std::string>{"R404A model"});
    // Setting a table without a section chooses none.
    b.setRefrigerant(kR410A);
    EXPECT_EQ(b.refrigerant(), TableBuilder::kNoRefrigerant);
}
