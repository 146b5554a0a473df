// Dumping catalogue files: the kind from name and size, the content through the image classes,
// CSV and JSON output with reals that read back exactly.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include <unistd.h>

#include "catalogue/byteimage.h"
#include "catalogue/coefimage.h"
#include "catalogue/pricefile.h"
#include "catalogue/records.h"
#include "catalogue/unitlisttable.h"
#include "tools/catalogdumpcore.h"

namespace fs = std::filesystem;

namespace tundrix {
namespace {

class DumpFolder : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tundrix-dump-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "agrdata");
        fs::create_directories(dir_ / "Pricedata");
    }
    void TearDown() override { fs::remove_all(dir_); }

    CatalogDump dump(const fs::path& file) {
        CatalogDump d;
        std::string error;
        EXPECT_TRUE(dumpCatalogFile(file, d, error)) << error;
        return d;
    }
    static std::string csv(const CatalogDump& d) {
        std::ostringstream out;
        writeDumpCsv(d, out);
        return out.str();
    }
    fs::path dir_;
};

TEST(DumpKind, ByNameAndSize) {
    using K = CatalogFileKind;
    EXPECT_EQ(detectCatalogFileKind("agrdata/outbocklow404a.dat", 317'781), K::UnitList);
    EXPECT_EQ(detectCatalogFileKind("x/catalzb22.dat", 15'104), K::CompressorList);
    EXPECT_EQ(detectCatalogFileKind("condensators.dat", 13'008), K::CondenserList);
    EXPECT_EQ(detectCatalogFileKind("bock.dat", 283'200), K::BrandCoefficients);
    EXPECT_EQ(detectCatalogFileKind("masszb22.dat", 2'000'000), K::PerformanceTable);
    EXPECT_EQ(detectCatalogFileKind("mass404a.dat", 2'000'000), K::PropertyImage);
    EXPECT_EQ(detectCatalogFileKind("Pricedata/mashine43.dat", 264'800), K::PriceFile);
    // A shorter file of a known name reads as the program reads it.
    EXPECT_EQ(detectCatalogFileKind("bitzer.dat", 1000), K::BrandCoefficients);
    // Size alone, for an unknown name.
    EXPECT_EQ(detectCatalogFileKind("copy.bin", 264'800), K::PriceFile);
    EXPECT_EQ(detectCatalogFileKind("copy.bin", 264'801), std::nullopt);
    // A known name whose size does not fit that layout.
    EXPECT_EQ(detectCatalogFileKind("condensators.dat", 20'000), std::nullopt);
}

TEST_F(DumpFolder, UnitList) {
    auto t = std::make_unique<UnitListTable>();
    t->setCell(0, 0, "Название агрегата");
    t->setCell(12, 0, "Опция, с запятой");
    t->setCell(0, 1, "АННВК-ZF18");
    t->setCell(10, 1, "1200,5");
    t->setCell(0, 3, "after gap");
    ASSERT_TRUE(t->save(dir_ / "agrdata" / "outlow404a.dat"));
    const CatalogDump d = dump(dir_ / "agrdata" / "outlow404a.dat");
    EXPECT_EQ(d.kind, CatalogFileKind::UnitList);
    ASSERT_EQ(d.rows.size(), 3u);
    EXPECT_EQ(d.columns.size(), 32u);
    EXPECT_EQ(d.rows[1][1].text, "АННВК-ZF18");
    EXPECT_EQ(d.rows[1][11].text, "1200,5");
    EXPECT_EQ(d.rows[2][0].text, "3");
    EXPECT_EQ(d.summary[0].second.text, "1");  // units up to the first empty name
    const std::string c = csv(d);
    EXPECT_NE(c.find("# kind: unit list"), std::string::npos);
    EXPECT_NE(c.find("\"Опция, с запятой\""), std::string::npos);
    EXPECT_NE(c.find("1,АННВК-ZF18,"), std::string::npos);
}

TEST_F(DumpFolder, CompressorAndCondenserLists) {
    auto p = std::make_unique<Comprprop>();
    p->setName(2, "ZB30KCE");
    p->setPosition(2, 5);
    p->setCount(2);
    p->setVertex(1, 2, -10.1, 25.0);
    ASSERT_TRUE(p->save(dir_ / "catalzb22.dat"));
    const CatalogDump d = dump(dir_ / "catalzb22.dat");
    EXPECT_EQ(d.kind, CatalogFileKind::CompressorList);
    ASSERT_EQ(d.rows.size(), 1u);
    EXPECT_EQ(d.rows[0][1].text, "ZB30KCE");
    EXPECT_EQ(d.rows[0][2].text, "5");
    EXPECT_EQ(std::strtod(d.rows[0][3].text.c_str(), nullptr), -10.1);

    auto c = std::make_unique<Condenserprop>();
    c->setName(1, "Конденсатор 1");
    c->setCapacity(1, 12.25);
    c->setNumfuns(1, 2);
    c->setPol(1, "ВК1");
    c->setCount(1);
    ASSERT_TRUE(c->save(dir_ / "condensators.dat"));
    const CatalogDump e = dump(dir_ / "condensators.dat");
    EXPECT_EQ(e.kind, CatalogFileKind::CondenserList);
    ASSERT_EQ(e.rows.size(), 1u);
    EXPECT_EQ(e.rows[0][6].text, "ВК1");
    EXPECT_EQ(e.rows[0][3].text, "2");
}

TEST_F(DumpFolder, CoefficientsReadBackExactly) {
    auto img = std::make_unique<CoefImage>();
    CoefImage::Coefs coefs{};
    for (int i = 0; i < 10; ++i)
        coefs[std::size_t(i)] = 1.0 / 3.0 + i * 1e-7;
    img->setName(1, 4, "2KC-05.2");
    img->setCoefs(1, 4, CoefImage::Power, coefs);
    ASSERT_TRUE(img->save(dir_ / "bock.dat"));
    const CatalogDump d = dump(dir_ / "bock.dat");
    EXPECT_EQ(d.kind, CatalogFileKind::BrandCoefficients);
    ASSERT_EQ(d.rows.size(), 1u);
    EXPECT_EQ(d.rows[0][0].text, "1");
    EXPECT_EQ(d.rows[0][1].text, "4");
    EXPECT_EQ(d.columns[13], "power1");
    for (int i = 0; i < 10; ++i) {
        const std::string& t = d.rows[0][std::size_t(13 + i)].text;
        EXPECT_EQ(std::strtod(t.c_str(), nullptr), coefs[std::size_t(i)]);
        // 17 significant digits: "0." and 17 digits.
        EXPECT_GE(t.size(), 19u) << t;
    }
}

TEST_F(DumpFolder, GridImagesListNonZeroCells) {
    auto g = std::make_unique<GridImage>();
    g->set(1, 2, -40.0);
    g->set(3, 1, 0.1);
    ASSERT_TRUE(g->save(dir_ / "mass22.dat"));
    ASSERT_TRUE(g->save(dir_ / "masszf22.dat"));
    const CatalogDump d = dump(dir_ / "mass22.dat");
    EXPECT_EQ(d.kind, CatalogFileKind::PropertyImage);
    ASSERT_EQ(d.rows.size(), 2u);
    EXPECT_EQ(d.rows[1][0].text, "3");
    EXPECT_EQ(d.rows[1][2].text, "0.10000000000000001");
    EXPECT_EQ(dump(dir_ / "masszf22.dat").kind, CatalogFileKind::PerformanceTable);
}

TEST_F(DumpFolder, PriceFile) {
    auto p = std::make_unique<PriceFile>();
    p->setName(0, "Агрегат \"А\"");
    p->setPrice(0, "1500");
    p->setName(1, "Агрегат Б");
    p->setOptionName(3, "Подогрев");
    p->setOptionPrice(1, 3, "40");
    ASSERT_TRUE(p->save(dir_ / "Pricedata" / "mashine3.dat"));
    const CatalogDump d = dump(dir_ / "Pricedata" / "mashine3.dat");
    EXPECT_EQ(d.kind, CatalogFileKind::PriceFile);
    ASSERT_EQ(d.rows.size(), 2u);
    EXPECT_EQ(d.rows[1][5].text, "40");
    EXPECT_NE(csv(d).find("\"Агрегат \"\"А\"\"\""), std::string::npos);
}

TEST_F(DumpFolder, UnreadableOrUnknownFilesFail) {
    CatalogDump d;
    std::string error;
    EXPECT_FALSE(dumpCatalogFile(dir_ / "missing.dat", d, error));
    EXPECT_NE(error.find("missing.dat"), std::string::npos);
    { std::ofstream(dir_ / "notes.txt") << "hello"; }
    EXPECT_FALSE(dumpCatalogFile(dir_ / "notes.txt", d, error));
    EXPECT_NE(error.find("not a catalogue file"), std::string::npos);
}

TEST(DumpSample, ShippedRefrigerantTable) {
    const fs::path file = fs::path(TUNDRIX_SAMPLE_DATA) / "mass22.dat";
    if (!fs::exists(file))
        FAIL() << "no sample catalogue";
    CatalogDump d;
    std::string error;
    ASSERT_TRUE(dumpCatalogFile(file, d, error)) << error;
    EXPECT_EQ(d.kind, CatalogFileKind::PropertyImage);
    EXPECT_GT(d.rows.size(), 100u);
}

}  // namespace
}  // namespace tundrix

namespace tundrix {
namespace {

// What `tundrix-cli dump` prints for each kind of file of the sample catalogue (in the full build,
// where the command-line program exists).
std::string runCli(const std::string& args, int* status) {
    const std::string cmd = std::string(TUNDRIX_BIN_DIR) + "/tundrix-cli --data " +
                            std::string(TUNDRIX_SAMPLE_DATA) + " " + args + " 2>&1";
    std::string output;
    if (FILE* p = ::popen(cmd.c_str(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
            output.append(buf, n);
        *status = ::pclose(p);
    }
    return output;
}

TEST(DumpCli, EveryKindOfTheSampleCatalogue) {
#ifdef TUNDRIX_WITHOUT_CLI
    GTEST_SKIP() << "the core-only build has no tundrix-cli";
#endif
    if (!fs::exists(fs::path(TUNDRIX_BIN_DIR) / "tundrix-cli") ||
        !fs::exists(fs::path(TUNDRIX_SAMPLE_DATA) / "condensators.dat"))
        FAIL() << "needs tundrix-cli and the sample catalogue";
    const std::pair<const char*, const char*> files[] = {
        {"agrdata/outbocklow404a.dat", "unit list"}, {"condensators.dat", "condenser list"},
        {"catalzb22.dat", "compressor list"},        {"bock.dat", "brand coefficients"},
        {"masszb22.dat", "performance table"},       {"mass404a.dat", "property image"},
        {"Pricedata/mashine22.dat", "price file"},
    };
    for (const auto& [file, kind] : files) {
        int status = -1;
        const std::string csv = runCli(std::string("--format csv dump ") + file, &status);
        EXPECT_EQ(status, 0) << file << ": " << csv.substr(0, 200);
        EXPECT_EQ(csv.rfind(std::string("# kind: ") + kind + "\n", 0), 0u) << file;
        const std::string json = runCli(std::string("dump ") + file, &status);
        EXPECT_EQ(status, 0) << file;
        EXPECT_NE(json.find(std::string("\"kind\":\"") + kind + "\""), std::string::npos) << file;
    }
    int status = 0;
    const std::string missing = runCli("dump no-such-file.dat", &status);
    EXPECT_NE(status, 0);
    EXPECT_NE(missing.find("no-such-file.dat"), std::string::npos);
}

}  // namespace
}  // namespace tundrix
