// The per-unit files of the sample catalogue: paths that fit the unit list cells, pictures and
// drawings that open, Windows-1251 texts, and a technical-data database whose field positions
// the technical-data window relies on. Everything must come out byte-identical on every run.
#include "datagen/assets.h"

#include "catalogue/cp1251.h"
#include "catalogue/fileio.h"
#include "datagen/assetnames.h"
#include "datagen/techdatabase.h"
#include "datagen/unitdrawing.h"
#include "datagen/unitgeometry.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include <unistd.h>

namespace fs = std::filesystem;
using namespace tundrix;
using namespace tundrix::datagen;

namespace {

QGuiApplication& guiApplication() {
    static int argc = 1;
    static char name[] = "datagen_tests";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> app = makeAssetApplication(argc, argv);
    return *app;
}

class TempDir {
public:
    TempDir() {
        static int counter = 0;
        path_ = fs::temp_directory_path() /
                ("tundrix-assets-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

fs::path onDisk(const fs::path& dir, const std::string& stored) {
    std::string p = stored;
    std::replace(p.begin(), p.end(), '\\', '/');
    return dir / fs::path(std::u8string(p.begin(), p.end()));
}

double commaValue(std::string s) {
    std::replace(s.begin(), s.end(), ',', '.');
    return s.empty() ? 0.0 : std::stod(s);
}

AssetUnit condensingUnit() {
    AssetUnit u;
    u.kindCode = "out";
    u.name = "ККБ-2ZB45-ВКД18-СТ";
    u.brand = "Copeland Scroll";
    u.level = 2;
    u.compressor1 = "ZB45KCE";
    u.count1 = 2;
    u.condenser = "ВКД-18";
    u.condenserCount = 1;
    u.fans = 2;
    u.fanCurrent = 0.9;
    u.fanPower = 0.12;
    u.pol = "L2";
    u.refrigerants = {"R404A/R507"};
    u.capacity = 21.4;
    u.power = 5.5;
    u.current = 11.2;
    return u;
}

std::vector<AssetUnit> sampleUnits() {
    std::vector<AssetUnit> units;
    units.push_back(condensingUnit());

    AssetUnit agr;
    agr.kindCode = "agr";
    agr.name = "КРА-4FES-5Y-НТ";
    agr.brand = "Bitzer";
    agr.level = 1;
    agr.compressor1 = "4FES-5Y";
    agr.count1 = 1;
    agr.refrigerants = {"R22"};
    agr.capacity = 6.3;
    agr.power = 3.9;
    agr.current = 7.4;
    units.push_back(agr);

    AssetUnit rack;
    rack.kindCode = "mka";
    rack.name = "МКА-3x4CES-6Y+2x4DES-7Y-СТ";
    rack.brand = "Bitzer";
    rack.level = 2;
    rack.compressor1 = "4CES-6Y";
    rack.count1 = 3;
    rack.compressor2 = "4DES-7Y";
    rack.count2 = 2;
    rack.refrigerants = {"R404A/R507"};
    rack.capacity = 96;
    rack.power = 31;
    rack.current = 58;
    units.push_back(rack);

    AssetUnit glco = condensingUnit();
    glco.kindCode = "glco";
    glco.name = "ГЛЦО-42-2ZR190-ВКД40";
    glco.compressor1 = "ZR190KCE";
    glco.fans = 3;
    glco.fanCurrent = 1.4;
    glco.fanPower = 0.45;
    glco.capacity = 42;
    glco.power = 12.6;
    glco.current = 24.8;
    units.push_back(glco);

    AssetUnit glcu = glco;
    glcu.kindCode = "glcu";
    glcu.name = "ГЛЦУ-40-2ZR190";
    units.push_back(glcu);

    AssetUnit on;
    on.kindCode = "on";
    on.name = "ОН-15-ZR72К";
    on.compressor1 = "ZR72KCE";
    on.refrigerants = {"R407C"};
    on.capacity = 15;
    on.power = 4.2;
    on.current = 8;
    units.push_back(on);

    // A 50-character name, and two names that transliterate alike.
    AssetUnit longName = agr;
    longName.name = "КРА-Длинное-название-агрегата-для-проверки-ячеек-5";
    units.push_back(longName);
    AssetUnit latin = agr;
    latin.name = "KRA-4FES-5Y-NT";
    units.push_back(latin);
    return units;
}

struct Written {
    std::vector<AssetUnit> units;
    std::vector<AssetPaths> paths;
};

Written writeSample(const fs::path& dir) {
    guiApplication();
    Written w;
    w.units = sampleUnits();
    AssetWriter writer(dir);
    for (const auto& u : w.units)
        w.paths.push_back(writer.add(u));
    // The condensing unit is offered for a second refrigerant under the same name.
    AssetUnit again = condensingUnit();
    again.refrigerants = {"R22"};
    EXPECT_EQ(writer.add(again).imagepath, w.paths[0].imagepath);
    std::string error;
    EXPECT_TRUE(writer.finish(&error)) << error;
    return w;
}

std::map<std::string, std::string> allFiles(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), dir).generic_string()] = readBytes(entry.path());
    }
    return files;
}

}  // namespace

TEST(AssetNames, TransliterationGivesShortDistinctLatinStems) {
    EXPECT_EQ(transliterate("МКА-3BZ"), "MKA-3BZ");
    EXPECT_EQ(transliterate("ГЛЦО 2+1"), "GLTsO_2p1");
    EXPECT_EQ(transliterate("Щит ёмкость"), "Shchit_yomkost");
    const std::string a = fileStemFor("КРА-Длинное-название-агрегата-для-проверки-ячеек-5", 32);
    const std::string b = fileStemFor("КРА-Длинное-название-агрегата-для-проверки-ячеек-6", 32);
    EXPECT_LE(a.size(), 32u);
    EXPECT_LE(b.size(), 32u);
    EXPECT_NE(a, b);
    EXPECT_FALSE(fileStemFor("№", 32).empty());
}

TEST(AssetNames, NumbersUseTheGeneralFormWithADecimalComma) {
    EXPECT_EQ(commaNumber(0.12), "0,12");
    EXPECT_EQ(commaNumber(5.5 + 2 * 0.12), "5,74");
    EXPECT_EQ(commaNumber(12), "12");
    EXPECT_EQ(commaNumber(-0.0), "0");
}

TEST(AssetPaths, AreRelativeBackslashedAndFitAFiftyCharacterCell) {
    AssetWriter writer(fs::temp_directory_path() / "tundrix-never-written");
    std::set<std::string> drawings;
    for (const auto& u : sampleUnits()) {
        const AssetPaths p = writer.add(u);
        const std::pair<std::string, std::string> expected[] = {{p.picturepath, "images\\"},
                                                                {p.imagepath, "TechnicalData\\"},
                                                                {p.complectpath, "Complect\\"},
                                                                {p.textpath, "Textfiles\\"}};
        for (const auto& [path, folder] : expected) {
            EXPECT_LE(utf8Length(path), 50u) << path;
            EXPECT_EQ(path.rfind(folder, 0), 0u) << path;
            EXPECT_EQ(path.find('/'), std::string::npos) << path;
            EXPECT_EQ(path.find(".."), std::string::npos) << path;
            EXPECT_TRUE(resolveDataPath("data", path).has_value()) << path;
        }
        std::string lower = p.imagepath;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        EXPECT_TRUE(drawings.insert(lower).second) << "two units share " << p.imagepath;
    }
}

TEST(AssetPaths, UnitsOfOneVariantShareAPictureAndOneNameKeepsItsPaths) {
    AssetWriter writer(fs::temp_directory_path() / "tundrix-never-written");
    AssetUnit a = condensingUnit();
    AssetUnit b = condensingUnit();
    b.name = "ККБ-2ZB50-ВКД18-СТ";
    AssetUnit c = condensingUnit();
    c.name = "ККБ-3ZB50-ВКД18-СТ";
    c.count1 = 3;
    const AssetPaths pa = writer.add(a), pb = writer.add(b), pc = writer.add(c);
    EXPECT_EQ(pa.picturepath, pb.picturepath);
    EXPECT_NE(pa.picturepath, pc.picturepath);
    EXPECT_NE(pa.imagepath, pb.imagepath);
    a.refrigerants = {"R22"};
    const AssetPaths again = writer.add(a);
    EXPECT_EQ(again.imagepath, pa.imagepath);
    EXPECT_EQ(again.textpath, pa.textpath);
    EXPECT_EQ(again.techdata, pa.techdata);
}

TEST(AssetPaths, AboutOneUnitInTwentyHasNoTechnicalRecord) {
    AssetWriter writer(fs::temp_directory_path() / "tundrix-never-written");
    int without = 0;
    std::set<std::string> keys;
    for (int i = 0; i < 400; ++i) {
        AssetUnit u = condensingUnit();
        u.name = "ККБ-" + std::to_string(i);
        const AssetPaths p = writer.add(u);
        if (p.techdata.empty()) {
            ++without;
        } else {
            EXPECT_TRUE(keys.insert(p.techdata).second);
        }
    }
    EXPECT_GE(without, 8);
    EXPECT_LE(without, 40);

    // A kind the database has no table for gets no key (it could never be found).
    AssetUnit stray = condensingUnit();
    stray.kindCode = "zzz";
    EXPECT_TRUE(writer.add(stray).techdata.empty());
}

TEST(AssetGeometry, DimensionsGrowWithCapacityAndCompressors) {
    AssetUnit small = condensingUnit();
    small.capacity = 5;
    AssetUnit large = small;
    large.capacity = 80;
    AssetUnit more = small;
    more.count1 = 4;
    more.capacity = 20;
    const UnitGeometry gs = unitGeometry(small), gl = unitGeometry(large), gm = unitGeometry(more);
    EXPECT_GT(gl.height, gs.height);
    EXPECT_GT(gl.mass, gs.mass);
    EXPECT_GT(gm.length, gs.length);
    EXPECT_EQ(gs.length % 10, 0);
    EXPECT_GT(gl.suctionLine, gs.suctionLine);
    EXPECT_GE(gl.liquidLine, gs.liquidLine);
    EXPECT_GT(gl.waterNominal, gs.waterNominal);
    EXPECT_GT(gs.length, 500);
    EXPECT_LT(gl.length, 12000);
}

TEST(AssetDrawing, StabilizedPdfKeepsItsLengthAndLosesTheDate) {
    QByteArray a("%PDF-1.4\n/CreationDate (D:20261208181010+01'00')\ntrailer /ID [<0a1b> <0a1b>]");
    QByteArray b("%PDF-1.4\n/CreationDate (D:19990101000000+01'00')\ntrailer /ID [<ffff> <ffff>]");
    const auto size = a.size();
    stabilizePdf(a, "unit");
    stabilizePdf(b, "unit");
    EXPECT_EQ(a.size(), size);
    EXPECT_EQ(a, b);
    EXPECT_TRUE(a.contains("(D:20260101120000+00'00')"));
}

TEST(AssetFiles, TwoRunsWriteIdenticalBytes) {
    TempDir one, two;
    writeSample(one.path());
    writeSample(two.path());
    const auto a = allFiles(one.path());
    const auto b = allFiles(two.path());
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [name, bytes] : a) {
        const auto other = b.find(name);
        ASSERT_NE(other, b.end()) << name;
        EXPECT_TRUE(bytes == other->second) << name << " differs between runs";
    }
    EXPECT_TRUE(a.count("TD.sqlite"));
    EXPECT_TRUE(a.count("images/None.jpg"));
}

// Hash order and font subsetting could differ between processes even where two writers in one
// process agree, so the test runs itself once more and compares that process's files.
TEST(AssetFiles, AnotherProcessWritesTheSameBytes) {
    if (const char* childDir = std::getenv("TUNDRIX_ASSETS_CHILD_DIR")) {
        writeSample(childDir);
        return;
    }
    TempDir mine, child;
    writeSample(mine.path());
    const std::string self = QCoreApplication::applicationFilePath().toStdString();
    const std::string command = "TUNDRIX_ASSETS_CHILD_DIR='" + child.path().string() + "' '" +
                                self +
                                "' --gtest_filter=AssetFiles.AnotherProcessWritesTheSameBytes"
                                " > /dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const auto a = allFiles(mine.path());
    const auto b = allFiles(child.path());
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [name, bytes] : a) {
        const auto other = b.find(name);
        ASSERT_NE(other, b.end()) << name;
        EXPECT_TRUE(bytes == other->second) << name << " differs between processes";
    }
}

TEST(AssetFiles, DrawingsArePdfsWithOneOrTwoPages) {
    TempDir dir;
    const Written w = writeSample(dir.path());
    for (std::size_t i = 0; i < w.units.size(); ++i) {
        const std::string pdf = readBytes(onDisk(dir.path(), w.paths[i].imagepath));
        ASSERT_EQ(pdf.rfind("%PDF-", 0), 0u) << w.paths[i].imagepath;
        int pages = 0;
        for (auto at = pdf.find("/Type /Page"); at != std::string::npos;
             at = pdf.find("/Type /Page", at + 1)) {
            if (pdf.compare(at, 12, "/Type /Pages") != 0)
                ++pages;
        }
        EXPECT_EQ(pages, drawingPageCount(w.units[i])) << w.paths[i].imagepath;
        EXPECT_GE(pages, 1);
        EXPECT_LE(pages, 2);
        EXPECT_NE(pdf.find("%%EOF"), std::string::npos);
    }
    // Both page counts occur in the sample.
    EXPECT_EQ(drawingPageCount(w.units[1]), 1);
    EXPECT_EQ(drawingPageCount(w.units[0]), 2);
}

TEST(AssetFiles, PicturesDecodeAndShowSomething) {
    TempDir dir;
    const Written w = writeSample(dir.path());
    std::set<std::string> pictures = {"images\\None.jpg"};
    for (const auto& p : w.paths)
        pictures.insert(p.picturepath);
    EXPECT_GE(pictures.size(), 5u);
    for (const auto& stored : pictures) {
        QImage image;
        ASSERT_TRUE(image.load(QString::fromStdString(onDisk(dir.path(), stored).string())))
            << stored;
        EXPECT_EQ(image.width(), 480);
        EXPECT_EQ(image.height(), 360);
        std::set<QRgb> colours;
        for (int y = 0; y < image.height(); y += 7)
            for (int x = 0; x < image.width(); x += 7)
                colours.insert(image.pixel(x, y));
        EXPECT_GT(colours.size(), 40u) << stored << " looks blank";
    }
}

TEST(AssetFiles, TextsAreWindows1251WithCrlfLineEnds) {
    TempDir dir;
    const Written w = writeSample(dir.path());
    std::vector<fs::path> files = {onDisk(dir.path(), "Complect\\Нет.txt"),
                                   onDisk(dir.path(), "Textfiles\\Нет.txt")};
    for (const auto& p : w.paths) {
        files.push_back(onDisk(dir.path(), p.complectpath));
        files.push_back(onDisk(dir.path(), p.textpath));
    }
    for (const auto& f : files) {
        const std::string bytes = readBytes(f);
        ASSERT_FALSE(bytes.empty()) << f;
        EXPECT_FALSE(isValidUtf8(bytes)) << f << " is not Windows-1251";
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << f;
            }
        }
    }
    for (std::size_t i = 0; i < w.units.size(); ++i) {
        const std::string text = cp1251ToUtf8(readBytes(onDisk(dir.path(), w.paths[i].textpath)));
        EXPECT_NE(text.find(w.units[i].name), std::string::npos);
    }
    // The condensing unit was added for two refrigerants; its description names both.
    const std::string first = cp1251ToUtf8(readBytes(onDisk(dir.path(), w.paths[0].textpath)));
    EXPECT_NE(first.find("R404A/R507, R22"), std::string::npos) << first;
}

TEST(AssetFiles, TechnicalDataHasTheTenTablesWithRecordsByName) {
    TempDir dir;
    const Written w = writeSample(dir.path());
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "assets-test");
    {
        db.setDatabaseName(QString::fromStdString((dir.path() / "TD.sqlite").string()));
        ASSERT_TRUE(db.open());
        const QStringList tables = db.tables();
        for (const auto& t : techDataTables())
            EXPECT_TRUE(tables.contains(QString::fromStdString(t))) << t;
        EXPECT_FALSE(tables.contains("on"));

        const std::map<std::string, int> minimumFields = {
            {"out", 20},  {"agr", 9},   {"mka", 12}, {"glco", 34}, {"glcu", 29},
            {"glcr", 34}, {"glck", 34}, {"ov", 12},  {"os", 12},   {"ol", 12}};
        for (const auto& [t, n] : minimumFields) {
            const QSqlRecord r = db.record(QString::fromStdString(t));
            EXPECT_GE(r.count(), n) << t;
            EXPECT_EQ(r.fieldName(1), QString::fromUtf8("Название агрегата")) << t;
        }

        for (std::size_t i = 0; i < w.units.size(); ++i) {
            const std::string table = techDataTable(w.units[i].kindCode);
            QSqlQuery q(db);
            q.prepare(QString("SELECT * FROM \"%1\" WHERE \"Название агрегата\" = ?")
                          .arg(QString::fromStdString(table)));
            q.addBindValue(QString::fromStdString(w.units[i].name));
            ASSERT_TRUE(q.exec());
            if (w.paths[i].techdata.empty()) {
                EXPECT_FALSE(q.next()) << w.units[i].name;
                continue;
            }
            ASSERT_TRUE(q.next()) << w.units[i].name;
            EXPECT_EQ(q.value(0).toString().toStdString(), w.paths[i].techdata);
            EXPECT_FALSE(q.next()) << "one record per unit name";
        }
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase("assets-test");
}

TEST(AssetFiles, TechnicalDataFieldsSitWhereThePrefillAndSumsExpectThem) {
    const AssetUnit out = condensingUnit();
    const auto v = techDataValues(out, unitGeometry(out));  // v[f - 1] is field f
    ASSERT_GE(v.size(), 19u);
    EXPECT_EQ(v[1 - 1], out.name);
    EXPECT_EQ(v[5 - 1], "ZB45KCE");
    EXPECT_EQ(v[7 - 1], "2");
    EXPECT_EQ(v[9 - 1], "ВКД-18");
    EXPECT_EQ(v[10 - 1], "1");
    EXPECT_EQ(v[11 - 1], "2");
    EXPECT_EQ(v[12 - 1], "L2");
    EXPECT_EQ(v[15 - 1], "0,12X2");
    EXPECT_EQ(v[16 - 1], "0,9X2");
    EXPECT_EQ(v[19 - 1], "50гц/380В/3фазы");
    // Field 17 = field 13 + condensers x fans x fan power, as a double-click recomputes it.
    EXPECT_EQ(v[13 - 1], "5,5");
    EXPECT_EQ(v[17 - 1], "5,74");
    EXPECT_DOUBLE_EQ(commaValue(v[18 - 1]), commaValue(v[14 - 1]) + 2 * 0.9);

    AssetUnit glco = out;
    glco.kindCode = "glco";
    const auto c = techDataValues(glco, unitGeometry(glco));
    ASSERT_GE(c.size(), 33u);
    EXPECT_EQ(c[13 - 1], "50гц/380В/3фазы");
    EXPECT_EQ(c[20 - 1], "ZB45KCE");
    EXPECT_EQ(c[22 - 1], "2");
    EXPECT_EQ(c[25 - 1], "ВКД-18");
    EXPECT_EQ(c[28 - 1], "L2");
    EXPECT_EQ(c[29 - 1], "0,9X2");
    EXPECT_NEAR(commaValue(c[12 - 1]), commaValue(c[24 - 1]) + commaValue(c[33 - 1]) + 2 * 0.9,
                1e-9);

    AssetUnit glcu = out;
    glcu.kindCode = "glcu";
    const auto u = techDataValues(glcu, unitGeometry(glcu));
    EXPECT_EQ(u[14 - 1], "50гц/380В/3фазы");
    EXPECT_EQ(u[19 - 1], "ZB45KCE");
    EXPECT_EQ(u[24 - 1], "ВКД-18");
    EXPECT_EQ(u[28 - 1], "0,9X2");
    EXPECT_NEAR(commaValue(u[13 - 1]), commaValue(u[23 - 1]) + 2 * 0.9, 1e-9);

    AssetUnit two = out;
    two.kindCode = "agr";
    two.compressor2 = "ZB38KCE";
    two.count2 = 1;
    const auto a = techDataValues(two, unitGeometry(two));
    EXPECT_EQ(a[5 - 1], "ZB45KCE+ZB38KCE");
    EXPECT_EQ(a[8 - 1], "50гц/380В/3фазы");

    AssetUnit on = two;
    on.kindCode = "on";
    EXPECT_EQ(techDataTable("on"), "ol");
    const auto o = techDataValues(on, unitGeometry(on));
    EXPECT_EQ(o[6 - 1], "ZB45KCE");
    EXPECT_EQ(o[7 - 1], "ZB38KCE");
    EXPECT_EQ(o[8 - 1], "2");
    EXPECT_EQ(o[9 - 1], "1");
    EXPECT_EQ(o[11 - 1], "50гц/380В/3фазы");
}
