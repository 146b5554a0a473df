// The generator end to end: every file of the data folder it writes has its exact size, the unit
// lists read back through the catalogue images and agree with the compressor, condenser and price
// files, and a run of the built tundrix-datagen into a temporary folder gives the same bytes in
// every file as the sample catalogue of the build.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "catalogue/coefimage.h"
#include "catalogue/cp1251.h"
#include "catalogue/fileio.h"
#include "catalogue/filenames.h"
#include "catalogue/pricefile.h"
#include "catalogue/records.h"
#include "catalogue/refrigerants.h"
#include "catalogue/unitlisttable.h"
#include "datagen/compressors.h"
#include "datagen/unitsnaming.h"
#include "datagen/unitsprices.h"
#include "engine/toolkit.h"

namespace tundrix::datagen {
namespace {

namespace fs = std::filesystem;

struct ListId {
    UnitKind kind = UnitKind::None;
    int brand = 0, level = 0, refrigerant = 0;
};

// Recognises a unit list file by its name.
bool identify(const std::string& file, ListId& id) {
    for (int k = 0; k < 10; ++k) {
        const UnitKind kind = static_cast<UnitKind>(k);
        for (int b = 1; b <= 4; ++b)
            for (int l = 1; l <= 3; ++l)
                for (int r = 0; r < kRefrigerants; ++r)
                    if (agrfilename(kind, l, b, r) == file) {
                        id = {kind, b, l, r};
                        return true;
                    }
    }
    return false;
}

// "a+b" -> a; "a" -> a.
std::string firstPart(const std::string& s) {
    return s.substr(0, s.find('+'));
}

std::uint64_t fileHash(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::uint64_t h = 1469598103934665603ull;
    char buf[65536];
    while (in.read(buf, sizeof buf) || in.gcount() > 0) {
        for (std::streamsize i = 0; i < in.gcount(); ++i) {
            h ^= std::uint8_t(buf[i]);
            h *= 1099511628211ull;
        }
    }
    return h;
}

std::map<std::string, std::uint64_t> folderHashes(const fs::path& dir) {
    std::map<std::string, std::uint64_t> hashes;
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
        if (!e.is_regular_file())
            continue;
        const std::string rel = fs::relative(e.path(), dir).generic_string();
        if (rel == ".generated")
            continue;  // the build's stamp
        hashes[rel] = fileHash(e.path());
    }
    return hashes;
}

// Runs the built generator once per test program into a temporary folder.
class GeneratedData : public ::testing::Test {
protected:
    static void TearDownTestSuite() {
        if (!fresh_)
            return;
        fs::remove_all(*fresh_);
        fs::remove(fresh_->string() + ".log");
        fresh_.reset();
    }

    // A folder written by this run of the generator; empty when the generator failed.
    static fs::path fresh() {
        if (!fresh_) {
            fresh_ = std::make_unique<fs::path>(
                fs::temp_directory_path() / ("tundrix-datagen-test-" + std::to_string(::getpid())));
            fs::remove_all(*fresh_);
            const std::string cmd = "QT_QPA_PLATFORM=offscreen \"" TUNDRIX_BIN_DIR
                                    "/tundrix-datagen\" --out \"" +
                                    fresh_->string() + "\" > \"" + fresh_->string() + ".log\" 2>&1";
            status_ = std::system(cmd.c_str());
        }
        return status_ == 0 ? *fresh_ : fs::path();
    }

    // The sample catalogue of the build when there is one (it was written by the same
    // generator), else a fresh one: the content checks need not run the generator again.
    static fs::path data() {
        const fs::path sample = TUNDRIX_SAMPLE_DATA;
        return fs::exists(sample / "README.txt") ? sample : fresh();
    }

    static std::unique_ptr<fs::path> fresh_;
    static int status_;
};

std::unique_ptr<fs::path> GeneratedData::fresh_;
int GeneratedData::status_ = -1;

TEST_F(GeneratedData, EveryCatalogueFileHasItsExactSize) {
    const fs::path d = data();
    ASSERT_FALSE(d.empty()) << "tundrix-datagen failed";
    EXPECT_EQ(fs::file_size(d / "condensators.dat"), Condenserprop::kSize);
    for (int b : {1, 3, 4})
        EXPECT_EQ(fs::file_size(d / brandfilename(b)), CoefImage::kSize) << b;
    for (int r = 0; r < kRefrigerants; ++r) {
        EXPECT_EQ(fs::file_size(d / std::string(refrigerantEntry(r).propertyFile)),
                  GridImage::kSize);
        // A refrigerant's own coefficient files hold its one section.
        for (int b : {1, 3, 4}) {
            const std::string f = coefficientFileName(b, r);
            if (f != brandfilename(b) && fs::exists(d / f)) {
                EXPECT_EQ(fs::file_size(d / f), CoefImage::kSectionSize) << f;
            }
        }
    }
    int lists = 0;
    std::set<std::string> listed, prices;
    for (const auto& e : fs::directory_iterator(d / "agrdata")) {
        EXPECT_EQ(e.file_size(), UnitListTable::kSize) << e.path();
        ListId id;
        if (identify(e.path().filename().string(), id))
            listed.insert(
                priceFileName(priceFileNumber(id.kind, id.level, id.brand, id.refrigerant))
                    .substr(10));
        ++lists;
    }
    for (const auto& e : fs::directory_iterator(d / "Pricedata")) {
        EXPECT_EQ(e.file_size(), PriceFile::kSize) << e.path();
        prices.insert(e.path().filename().string());
    }
    EXPECT_GT(lists, 100);
    EXPECT_EQ(prices, listed);  // every price file has its lists, every list its price file
}

TEST_F(GeneratedData, ReadmeSaysTheFiguresAreSynthetic) {
    const fs::path d = data();
    ASSERT_FALSE(d.empty()) << "tundrix-datagen failed";
    std::ifstream in(d / "README.txt");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("synthetic"), std::string::npos);
    EXPECT_NE(text.find("equations of state"), std::string::npos);
}

// Reads every unit list back and checks each row against the compressor, condenser and price
// files it refers to.
TEST_F(GeneratedData, UnitListsAgreeWithCompressorsCondensersAndPrices) {
    const fs::path d = data();
    ASSERT_FALSE(d.empty()) << "tundrix-datagen failed";
    Condenserprop condensers;
    ASSERT_TRUE(condensers.load(d / "condensators.dat"));
    std::map<std::string, CoefImage> brandFiles;  // by file name

    std::map<std::pair<UnitKind, int>, int> unitsPerKind;  // (kind, refrigerant) -> units
    for (const auto& e : fs::directory_iterator(d / "agrdata")) {
        const std::string file = e.path().filename().string();
        ListId id;
        ASSERT_TRUE(identify(file, id)) << file;
        UnitListTable t;
        ASSERT_TRUE(t.load(e.path()));
        Comprprop scroll;
        if (id.brand == 2) {
            ASSERT_TRUE(scroll.load(d / listfilename(id.level, 2, id.refrigerant))) << file;
        }
        const int n = priceFileNumber(id.kind, id.level, id.brand, id.refrigerant);
        ASSERT_NE(n, 0) << file << " has no price file";
        PriceFile price;
        ASSERT_TRUE(price.load(d / priceFileName(n))) << file;
        const RatingPoint rp = ratingPoint(id.level);

        int r = 1;
        for (; r <= 200 && !t.cellEmpty(0, r); ++r) {
            SCOPED_TRACE(file + " row " + std::to_string(r));
            const std::string name = t.cell(0, r);
            // The compressor number names the model of column 1 in the compressor data.
            const int comp = std::stoi(firstPart(t.cell(3, r)));
            const std::string model = firstPart(t.cell(1, r));
            std::array<double, 12> env{};
            if (id.brand == 2) {
                EXPECT_EQ(scroll.name(comp), model);
                for (int v = 1; v <= 6; ++v) {
                    env[std::size_t(2 * v - 2)] = scroll.x(v, comp);
                    env[std::size_t(2 * v - 1)] = scroll.y(v, comp);
                }
            } else {
                const std::string f = coefficientFileName(id.brand, id.refrigerant);
                if (!brandFiles.count(f)) {
                    ASSERT_TRUE(brandFiles[f].load(d / f)) << f;
                }
                const int section = coefSection(id.refrigerant);
                EXPECT_EQ(brandFiles[f].name(section, comp), model);
                env = brandFiles[f].envelope(section, comp);
            }
            EXPECT_TRUE(inenvelope(rp.to, rp.tc, env[0], env[1], env[2], env[3], env[4], env[5],
                                   env[6], env[7], env[8], env[9], env[10], env[11]))
                << name;
            // The condenser cells and the name by the editor's rule.
            const int cond = std::stoi(t.cell(4, r));
            std::string pol;
            if (cond > 0) {
                EXPECT_EQ(condensers.name(cond), t.cell(2, r));
                EXPECT_GE(std::stoi(t.cell(6, r)), 1);
                pol = condensers.pol(cond);
            } else {
                EXPECT_EQ(t.cell(2, r), "Нет конденсатора");
                EXPECT_EQ(t.cell(6, r), "0");
            }
            std::string expected =
                composeUnitName(id.level, id.brand, pol, std::stoi(firstPart(t.cell(5, r))), model);
            if (isChiller(id.kind) && endsWithEvaporatorLetter(name))
                expected += name.substr(expected.size());
            EXPECT_EQ(name, expected);
            EXPECT_LE(utf8Length(name), 50u);
            // The price file's record r - 1 carries this row's name, price and options.
            EXPECT_EQ(price.name(r - 1), name);
            EXPECT_EQ(price.price(r - 1), t.cell(10, r));
            for (int j = 1; j <= kOptionSlots; ++j)
                EXPECT_EQ(price.optionPrice(r - 1, j), t.cell(11 + j, r));
            // The files the row refers to are in the folder.
            for (int c : {7, 8, 11, 23})
                EXPECT_TRUE(dataFileExists(d, t.cell(c, r))) << t.cell(c, r);
        }
        EXPECT_GT(r, 1) << file << " holds no unit";
        EXPECT_EQ(price.name(r - 1), "") << file << ": price file holds more units";
        for (int j = 1; j <= kOptionSlots; ++j)
            EXPECT_EQ(price.optionName(j), t.cell(11 + j, 0));
        unitsPerKind[{id.kind, id.refrigerant}] += r - 1;
    }
    int largest = 0;
    for (const auto& [key, count] : unitsPerKind)
        largest = std::max(largest, count);
    EXPECT_GE(largest, 800);
    EXPECT_LE(largest, 1000);  // the loader takes 1000 units
}

TEST_F(GeneratedData, IsTheSameAsTheSampleCatalogueOfTheBuild) {
    const fs::path sample = TUNDRIX_SAMPLE_DATA;
    if (!fs::exists(sample / "README.txt"))
        FAIL() << "no sample catalogue in " << sample;
    const fs::path dir = fresh();
    ASSERT_FALSE(dir.empty()) << "tundrix-datagen failed";
    const auto fresh = folderHashes(dir);
    const auto built = folderHashes(sample);
    EXPECT_GT(fresh.size(), 100u);
    for (const auto& [file, hash] : fresh) {
        const auto it = built.find(file);
        if (it == built.end()) {
            ADD_FAILURE() << file << " is missing in the sample catalogue";
            continue;
        }
        EXPECT_EQ(it->second, hash) << file << " differs";
    }
}

}  // namespace
}  // namespace tundrix::datagen

namespace tundrix::datagen {
namespace {

int runGenerator(const std::string& args) {
    const std::string cmd = "QT_QPA_PLATFORM=offscreen \"" TUNDRIX_BIN_DIR "/tundrix-datagen\" " +
                            args + " > /dev/null 2>&1";
    const int status = std::system(cmd.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(GeneratorCommand, RefusesUnknownArgumentsAndReportsAFailedStep) {
    EXPECT_EQ(runGenerator(""), 2);
    EXPECT_EQ(runGenerator("--frobnicate"), 2);
    const fs::path out =
        fs::temp_directory_path() / ("tundrix-datagen-fail-" + std::to_string(::getpid()));
    EXPECT_EQ(runGenerator("--out \"" + out.string() + "\" --refrigerants \"" +
                           (out / "no-such-folder").string() + "\""),
              1);
    EXPECT_FALSE(fs::exists(out / "README.txt"));
    fs::remove_all(out);
}

}  // namespace
}  // namespace tundrix::datagen
