// The byte layouts of the catalogue files: exact sizes, fields at their offsets, save/load round
// trips, and safe reading of short, empty and damaged files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

#include "catalogue/bytes.h"
#include "catalogue/coefimage.h"
#include "catalogue/pricefile.h"
#include "catalogue/records.h"
#include "catalogue/unitlisttable.h"
#include "tempfolder.h"

namespace tundrix {
namespace {

using testing::randomBytes;
using testing::TempFolder;

std::uint8_t at(const auto& image, std::size_t off) {
    return image.bytes()[off];
}
std::int32_t i32At(const auto& image, std::size_t off) {
    return getI32(&image.bytes()[off]);
}
double f64At(const auto& image, std::size_t off) {
    return getF64(&image.bytes()[off]);
}

TEST(FileSizes, EveryImageHasItsFileSize) {
    EXPECT_EQ(Comprprop::kSize, 15'104u);
    EXPECT_EQ(Condenserprop::kSize, 13'008u);
    EXPECT_EQ(UnitListTable::kSize, 317'781u);
    EXPECT_EQ(CoefImage::kSize, 283'200u);
    EXPECT_EQ(GridImage::kSize, 2'000'000u);
    EXPECT_EQ(PriceFile::kSize, 264'800u);
    EXPECT_EQ(Comprprop().bytes().size(), 15'104u);
    EXPECT_EQ(UnitListTable().bytes().size(), 317'781u);
}

TEST(NumberEncoding, LittleEndianIntegersAndDoubles) {
    std::uint8_t b[8] = {};
    putI32(b, -2);
    EXPECT_EQ(b[0], 0xFE);
    EXPECT_EQ(b[3], 0xFF);
    EXPECT_EQ(getI32(b), -2);
    putF64(b, 1.0);  // 0x3FF0000000000000
    EXPECT_EQ(b[7], 0x3F);
    EXPECT_EQ(b[6], 0xF0);
    EXPECT_EQ(b[0], 0x00);
    EXPECT_EQ(getF64(b), 1.0);
}

TEST(ComprpropLayout, FieldsStandAtTheirOffsets) {
    Comprprop c;
    c.setName(1, "ZB15");
    c.setName(100, "Z");
    c.setPosition(1, 7);
    c.setPosition(100, 9);
    c.setCount(42);
    c.setVertex(1, 1, -40.0, 20.0);
    c.setVertex(6, 100, 12.5, 65.0);
    EXPECT_EQ(at(c, 0), 4);
    EXPECT_EQ(at(c, 1), 'Z');
    EXPECT_EQ(at(c, 99 * 51), 1);
    EXPECT_EQ(i32At(c, 5100), 7);
    EXPECT_EQ(i32At(c, 5100 + 99 * 4), 9);
    EXPECT_EQ(i32At(c, 5500), 42);
    EXPECT_EQ(f64At(c, 5504), -40.0);           // x1 of entry 1
    EXPECT_EQ(f64At(c, 6304), 20.0);            // y1 of entry 1
    EXPECT_EQ(f64At(c, 13504 + 99 * 8), 12.5);  // x6 of entry 100
    EXPECT_EQ(f64At(c, 14304 + 99 * 8), 65.0);  // y6 of entry 100, the last 8 bytes
    EXPECT_EQ(14304u + 100 * 8, Comprprop::kSize);
}

TEST(CondenserpropLayout, FieldsStandAtTheirOffsets) {
    Condenserprop c;
    c.setName(2, "KC-1");
    c.setCapacity(1, 11.5);
    c.setNumfuns(100, 3);
    c.setFunsCurrent(1, 0.62);
    c.setFunsCap(1, 0.14);
    c.setCount(5);
    c.setPol(100, "P");
    EXPECT_EQ(at(c, 51), 4);
    EXPECT_EQ(f64At(c, 5104), 11.5);
    EXPECT_EQ(i32At(c, 5904 + 99 * 4), 3);
    EXPECT_EQ(f64At(c, 6304), 0.62);
    EXPECT_EQ(f64At(c, 7104), 0.14);
    EXPECT_EQ(i32At(c, 7904), 5);
    EXPECT_EQ(at(c, 7908 + 99 * 51), 1);
    EXPECT_EQ(at(c, 7908 + 99 * 51 + 1), 'P');
    EXPECT_EQ(7908u + 100 * 51, Condenserprop::kSize);
}

TEST(UnitListLayout, CellsAreStoredColumnByColumn) {
    UnitListTable t;
    t.setCell(0, 0, "Название агрегата");
    t.setCell(1, 0, "H");
    t.setCell(0, 1, "A");
    t.setCell(30, 200, "Z");
    EXPECT_EQ(at(t, 0), 17);    // 17 Cyrillic characters, one byte each
    EXPECT_EQ(at(t, 1), 0xCD);  // "Н" in Windows-1251
    EXPECT_EQ(at(t, 10'251 + 1), 'H');
    EXPECT_EQ(at(t, 51 + 1), 'A');
    EXPECT_EQ(at(t, 30 * 10'251 + 200 * 51), 1);
    EXPECT_EQ(at(t, UnitListTable::kSize - 50), 'Z');
    EXPECT_EQ(t.cell(0, 0), "Название агрегата");
    EXPECT_TRUE(t.cellEmpty(2, 5));
    EXPECT_EQ(t.cell(31, 0), "");  // out of the table: empty, no read
    EXPECT_EQ(t.cell(0, 201), "");
}

TEST(CoefImageLayout, RecordsAndSectionsStandAtTheirOffsets) {
    CoefImage c;
    c.setName(1, 2, "2KES-05");
    CoefImage::Coefs cap{}, fourth{};
    for (int i = 0; i < 10; ++i)
        cap[std::size_t(i)] = i + 1.5;
    fourth[0] = 99.0;
    c.setCoefs(1, 2, CoefImage::Capacity, cap);
    c.setCoefs(3, 150, CoefImage::Fourth, fourth);
    CoefImage::Envelope e{};
    for (int i = 0; i < 12; ++i)
        e[std::size_t(i)] = -i;
    c.setEnvelope(3, 150, e);
    const std::size_t rec = 70'800 + 472;
    EXPECT_EQ(at(c, rec), 7);
    EXPECT_EQ(f64At(c, rec + 56), 1.5);
    EXPECT_EQ(f64At(c, rec + 56 + 72), 10.5);
    const std::size_t last = 3 * 70'800 + 149 * 472;
    EXPECT_EQ(f64At(c, last + 296), 99.0);
    EXPECT_EQ(f64At(c, last + 376 + 11 * 8), -11.0);
    EXPECT_EQ(last + 472, CoefImage::kSize);
    EXPECT_EQ(c.envelope(3, 150), e);
    EXPECT_TRUE(c.isFree(0, 1));
    EXPECT_FALSE(c.isFree(1, 2));
    EXPECT_EQ(c.name(4, 1), "");  // no R410A section
}

TEST(GridImageLayout, CellsAreRowMajorFromOne) {
    GridImage g;
    g.set(1, 1, 3.0);
    g.set(1, 2, 4.0);
    g.set(2, 1, 5.0);
    g.set(500, 500, 6.0);
    EXPECT_EQ(f64At(g, 0), 3.0);
    EXPECT_EQ(f64At(g, 8), 4.0);
    EXPECT_EQ(f64At(g, 500 * 8), 5.0);
    EXPECT_EQ(f64At(g, GridImage::kSize - 8), 6.0);
    EXPECT_EQ(g.at(0, 1), 0.0);  // outside the image reads 0
    EXPECT_EQ(g.at(501, 1), 0.0);
}

TEST(PriceFileLayout, RecordsStandAtTheirOffsets) {
    PriceFile p;
    p.setName(1, "OUT-1");
    p.setPrice(1, "1234,5");
    p.setOptionName(1, "Регулятор");
    p.setOptionPrice(1, 11, "80");
    EXPECT_EQ(at(p, 1324), 5);
    EXPECT_EQ(at(p, 1324 + 101), 6);
    EXPECT_EQ(at(p, 151 + 51), 9);
    EXPECT_EQ(at(p, 1324 + 151 + 51 * 22), 2);
    EXPECT_EQ(p.optionName(1), "Регулятор");
    EXPECT_EQ(p.optionPrice(1, 11), "80");
}

// Fields written with the setters come back from a saved and reloaded file.
TEST(FieldRoundTrip, CompressorAndCondenserLists) {
    TempFolder dir;
    Comprprop c;
    c.setName(7, "ZF13KVE");
    c.setPosition(7, 121);
    c.setCount(7);
    c.setVertex(3, 7, -12.25, 63.5);
    ASSERT_TRUE(c.save(dir / "catal.dat"));
    Comprprop c2;
    ASSERT_TRUE(c2.load(dir / "catal.dat"));
    EXPECT_EQ(c2.name(7), "ZF13KVE");
    EXPECT_EQ(c2.position(7), 121);
    EXPECT_EQ(c2.count(), 7);
    EXPECT_EQ(c2.x(3, 7), -12.25);
    EXPECT_EQ(c2.y(3, 7), 63.5);
    EXPECT_TRUE(c2 == c);

    Condenserprop d;
    d.setName(100, "Конденсатор 100");
    d.setCapacity(100, 42.5);
    d.setNumfuns(100, 4);
    d.setFunsCurrent(100, 1.25);
    d.setFunsCap(100, 0.33);
    d.setCount(100);
    d.setPol(1, "К1");
    ASSERT_TRUE(d.save(dir / "condensators.dat"));
    Condenserprop d2;
    ASSERT_TRUE(d2.load(dir / "condensators.dat"));
    EXPECT_EQ(d2.name(100), "Конденсатор 100");
    EXPECT_EQ(d2.capacity(100), 42.5);
    EXPECT_EQ(d2.numfuns(100), 4);
    EXPECT_EQ(d2.funsCurrent(100), 1.25);
    EXPECT_EQ(d2.funsCap(100), 0.33);
    EXPECT_EQ(d2.count(), 100);
    EXPECT_EQ(d2.pol(1), "К1");
    EXPECT_TRUE(d2 == d);
}

TEST(FieldRoundTrip, UnitListCoefficientsGridAndPrices) {
    TempFolder dir;
    UnitListTable t;
    t.setCell(23, 200, "Textfiles\\Описание.txt");
    ASSERT_TRUE(t.save(dir / "agrdata/outbocklow404a.dat"));
    UnitListTable t2;
    ASSERT_TRUE(t2.load(dir / "agrdata/outbocklow404a.dat"));
    EXPECT_EQ(t2.cell(23, 200), "Textfiles\\Описание.txt");

    CoefImage b;
    CoefImage::Coefs power{};
    power[9] = -1e-5;
    b.setName(3, 150, "CS.95");
    b.setCoefs(3, 150, CoefImage::Power, power);
    ASSERT_TRUE(b.save(dir / "dwmcopeland.dat"));
    CoefImage b2;
    ASSERT_TRUE(b2.load(dir / "dwmcopeland.dat"));
    EXPECT_EQ(b2.name(3, 150), "CS.95");
    EXPECT_EQ(b2.coefs(3, 150, CoefImage::Power), power);

    GridImage g;
    g.set(250, 499, -0.5);
    ASSERT_TRUE(g.save(dir / "mass.dat"));
    GridImage g2;
    ASSERT_TRUE(g2.load(dir / "mass.dat"));
    EXPECT_EQ(g2.at(250, 499), -0.5);

    PriceFile p;
    p.setName(199, "Последняя");
    p.setPrice(199, "99,9");
    p.setOptionPrice(199, 5, "12");
    ASSERT_TRUE(p.save(dir / "mashine1.dat"));
    PriceFile p2;
    ASSERT_TRUE(p2.load(dir / "mashine1.dat"));
    EXPECT_EQ(p2.name(199), "Последняя");
    EXPECT_EQ(p2.price(199), "99,9");
    EXPECT_EQ(p2.optionPrice(199, 5), "12");
}

// Save and load give back the same bytes, and the saved file has the image's exact size.
template <typename Image>
class ImageFile : public ::testing::Test {};
using Images =
    ::testing::Types<Comprprop, Condenserprop, UnitListTable, CoefImage, GridImage, PriceFile>;
TYPED_TEST_SUITE(ImageFile, Images);

TYPED_TEST(ImageFile, RoundTripsByteForByte) {
    TempFolder dir;
    TypeParam written;
    const auto noise = randomBytes(TypeParam::kSize, 7);
    written.assignFront(noise);
    ASSERT_TRUE(written.save(dir / "image.dat"));
    EXPECT_EQ(std::filesystem::file_size(dir / "image.dat"), TypeParam::kSize);
    TypeParam read;
    ASSERT_TRUE(read.load(dir / "image.dat"));
    EXPECT_TRUE(read == written);
}

TYPED_TEST(ImageFile, MissingFileLeavesTheImageAsItWas) {
    TempFolder dir;
    TypeParam image;
    image.assignFront(randomBytes(64, 1));
    const TypeParam before = image;
    EXPECT_FALSE(image.load(dir / "absent.dat"));
    EXPECT_TRUE(image == before);
}

TYPED_TEST(ImageFile, ShortFileFillsOnlyTheFront) {
    TempFolder dir;
    TypeParam image;
    image.assignFront(std::vector<std::uint8_t>(TypeParam::kSize, 0xAB));
    dir.writeBytes("short.dat", std::vector<std::uint8_t>(100, 0x01));
    ASSERT_TRUE(image.load(dir / "short.dat"));
    EXPECT_EQ(image.bytes()[99], 0x01);
    EXPECT_EQ(image.bytes()[100], 0xAB);
    EXPECT_EQ(image.bytes()[TypeParam::kSize - 1], 0xAB);

    dir.writeBytes("empty.dat", {});
    ASSERT_TRUE(image.load(dir / "empty.dat"));
    EXPECT_EQ(image.bytes()[0], 0x01);
}

TYPED_TEST(ImageFile, LongerFileReadsOnlyTheImageSize) {
    TempFolder dir;
    auto bytes = std::vector<std::uint8_t>(TypeParam::kSize + 1000, 0x05);
    dir.writeBytes("long.dat", bytes);
    TypeParam image;
    ASSERT_TRUE(image.load(dir / "long.dat"));
    EXPECT_EQ(image.bytes().size(), TypeParam::kSize);
    EXPECT_EQ(image.bytes()[TypeParam::kSize - 1], 0x05);
}

// Reading every field of an image loaded from random bytes stays inside the image: indices
// outside an image's entries read as nothing (0, empty), whatever bytes lie next to them, and
// texts are held to their field. The sanitizer build also turns any stray read into a failure.
TEST(DamagedFiles, RandomBytesAreReadWithinBounds) {
    TempFolder dir;
    const int outside[] = {-1, 0, 101, 102};
    for (unsigned seed = 1; seed <= 3; ++seed) {
        dir.writeBytes("c.dat", randomBytes(Comprprop::kSize, seed));
        Comprprop c;
        ASSERT_TRUE(c.load(dir / "c.dat"));
        std::size_t total = 0;
        for (int k = 1; k <= 100; ++k) {
            total += c.name(k).size();
            EXPECT_EQ(c.x(0, k) + c.y(7, k), 0.0);
        }
        for (const int k : outside) {
            EXPECT_EQ(c.name(k), "");
            EXPECT_EQ(c.position(k), 0);
            EXPECT_EQ(c.x(1, k) + c.y(6, k), 0.0);
        }
        // A length byte up to 255 is clamped to the 50 characters of the field; every
        // Windows-1251 byte becomes at most three UTF-8 bytes.
        EXPECT_LE(total, 100u * 50 * 3);

        dir.writeBytes("k.dat", randomBytes(Condenserprop::kSize, seed));
        Condenserprop d;
        ASSERT_TRUE(d.load(dir / "k.dat"));
        for (int k = 1; k <= 100; ++k) {
            EXPECT_LE(d.name(k).size(), 150u);
            EXPECT_LE(d.pol(k).size(), 150u);
        }
        for (const int k : outside) {
            EXPECT_EQ(d.name(k) + d.pol(k), "");
            EXPECT_EQ(d.capacity(k) + d.funsCap(k) + d.funsCurrent(k), 0.0);
            EXPECT_EQ(d.numfuns(k), 0);
        }

        dir.writeBytes("u.dat", randomBytes(UnitListTable::kSize, seed));
        UnitListTable t;
        ASSERT_TRUE(t.load(dir / "u.dat"));
        for (int col = -1; col <= 31; ++col)
            for (int row = -1; row <= 201; ++row) {
                const bool inside = col >= 0 && col < 31 && row >= 0 && row < 201;
                EXPECT_LE(t.cell(col, row).size(), inside ? 150u : 0u);
            }

        dir.writeBytes("b.dat", randomBytes(CoefImage::kSize, seed));
        CoefImage b;
        ASSERT_TRUE(b.load(dir / "b.dat"));
        for (int s = -1; s <= 4; ++s)
            for (int k = 0; k <= 151; ++k) {
                if (CoefImage::validRecord(s, k)) {
                    EXPECT_LE(b.name(s, k).size(), 150u);
                    continue;
                }
                EXPECT_EQ(b.name(s, k), "");
                EXPECT_EQ(b.envelope(s, k), CoefImage::Envelope{});
                EXPECT_EQ(b.coefs(s, k, CoefImage::Fourth), CoefImage::Coefs{});
            }
    }
}

}  // namespace
}  // namespace tundrix
