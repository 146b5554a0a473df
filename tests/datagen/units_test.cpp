// The unit list composer on a small hand-made compressor catalogue: names by the editor's rule,
// the price file numbering, the sharing of price files between lists, condenser sizing, the
// envelope of the rated point and the byte layouts of the files it writes.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "catalogue/cp1251.h"
#include "catalogue/filenames.h"
#include "datagen/units.h"
#include "datagen/unitsfiles.h"

namespace tundrix::datagen {
namespace {

CatalogueCompressor makeCompressor(const std::string& name, int number, double size, int level) {
    const RatingPoint p = level == 1   ? RatingPoint{-35, 40}
                          : level == 2 ? RatingPoint{-10, 45}
                                       : RatingPoint{5, 50};
    CatalogueCompressor c;
    c.name = name;
    c.number = number;
    c.displacement = size;
    c.ratedTo = p.to;
    c.ratedTc = p.tc;
    c.envelope = {p.to - 20, 20,        p.to + 15, 20,        p.to + 20, p.tc + 5,
                  p.to + 10, p.tc + 15, p.to - 10, p.tc + 15, p.to - 20, p.tc + 5};
    c.ratedCapacity = size * (level == 1 ? 0.4 : level == 2 ? 0.9 : 1.6);
    c.ratedPower = c.ratedCapacity / 2.0;
    c.ratedCurrent = c.ratedPower * 2.0;
    c.ratedHeat = c.ratedCapacity + c.ratedPower;
    return c;
}

// Four brands, three levels, the four polynomial refrigerants plus Copeland Scroll R410A at the
// high level (with models of its own). R22 numbers its models apart from the others.
CompressorCatalogue smallCatalogue() {
    CompressorCatalogue cat;
    for (int brand = 1; brand <= 4; ++brand) {
        for (int level = 1; level <= 3; ++level) {
            for (int r = 0; r <= 4; ++r) {
                if (r == 4 && (brand != 2 || level != 3))
                    continue;
                CompressorSeries s;
                s.brand = brand;
                s.level = level;
                s.refrigerant = r;
                const int models = 8 + brand;
                for (int m = 0; m < models; ++m) {
                    const std::string model = (r == 4 ? "ZP" : "M") + std::to_string(brand) +
                                              std::to_string(level) + "-" +
                                              std::to_string(10 + 5 * m);
                    const int number = (r == 1 ? 40 : 1) + m + 10 * (level - 1);
                    s.compressors.push_back(makeCompressor(model, number, 5.0 + 6.0 * m, level));
                }
                cat.series.push_back(s);
            }
        }
    }
    for (int i = 1; i <= 40; ++i) {
        CatalogueCondenser c;
        c.index = i;
        c.name = "Condenser " + std::to_string(i);
        c.pol = std::to_string(i);
        c.capacity = 2.0 * std::pow(1.18, i - 1);
        c.fans = 1 + i / 10;
        c.fanCurrent = 0.5;
        c.fanPower = 0.12;
        cat.condensers.push_back(c);
    }
    return cat;
}

const UnitCatalogue& composed() {
    static const CompressorCatalogue cat = smallCatalogue();
    static const UnitCatalogue units = composeUnitLists(cat);
    return units;
}

TEST(UnitNames, FollowTheEditorsRule) {
    EXPECT_EQ(composeUnitName(1, 2, "7", 2, "ZF18"), "АНН7-2xZF18");
    EXPECT_EQ(composeUnitName(1, 1, "7", 2, "HG22"), "АННП7-2xHG22");
    EXPECT_EQ(composeUnitName(2, 3, "12", 1, "4FES-5Y"), "АСН12-4FES-5Y");
    EXPECT_EQ(composeUnitName(2, 4, "", 3, "D2SC"), "АСН-3xD2SC");
    EXPECT_EQ(composeUnitName(0, 2, "7", 1, "ZF18"), "");
}

TEST(UnitNames, HighLevelPrefixIsTheMixedLatinCyrillicBytes) {
    EXPECT_EQ(utf8ToCp1251(levelPrefix(3)), "\x41\xC2\x48");
    EXPECT_EQ(utf8ToCp1251(composeUnitName(3, 1, "5", 1, "X")),
              "\x41\xC2\x48\xCF"
              "5-X");
}

TEST(UnitNames, EvaporatorLettersInBothAlphabets) {
    for (const char* n : {"AВH-XМ", "AВH-XM", "AВH-XК", "AВH-XK", "AВH-XВ", "AВH-XB"})
        EXPECT_TRUE(endsWithEvaporatorLetter(n)) << n;
    for (const char* n : {"AВH-X1", "AВH-XC", "", "AВH-XН"})
        EXPECT_FALSE(endsWithEvaporatorLetter(n)) << n;
}

TEST(PriceFileNumbers, FollowTheEditorsTable) {
    EXPECT_EQ(priceFileNumber(UnitKind::Agr, 1, 1, 0), 1);
    EXPECT_EQ(priceFileNumber(UnitKind::Agr, 3, 1, 1), 2);  // middle or high
    EXPECT_EQ(priceFileNumber(UnitKind::Agr, 3, 3, 1), 0);  // no high Bitzer
    EXPECT_EQ(priceFileNumber(UnitKind::Mka, 2, 4, 0), 41);
    EXPECT_EQ(priceFileNumber(UnitKind::Glco, 3, 2, 1), 16);
    EXPECT_EQ(priceFileNumber(UnitKind::Glco, 3, 2, 4), 43);  // R410A replaces 16
    EXPECT_EQ(priceFileNumber(UnitKind::Glcu, 3, 2, 4), 44);
    EXPECT_EQ(priceFileNumber(UnitKind::Glco, 2, 2, 1), 0);
    EXPECT_EQ(priceFileNumber(UnitKind::On, 1, 4, 3), 38);
    EXPECT_EQ(priceFileNumber(UnitKind::On, 1, 3, 3), 0);
    EXPECT_EQ(priceFileNumber(UnitKind::Out, 3, 2, 3), 26);
    EXPECT_EQ(priceFileNumber(UnitKind::Out, 3, 2, 1), 25);
    EXPECT_EQ(priceFileNumber(UnitKind::Out, 3, 2, 2), 25);
    EXPECT_EQ(priceFileNumber(UnitKind::Out, 3, 2, 4), 27);
    EXPECT_EQ(priceFileNumber(UnitKind::Out, 3, 2, 0), 0);  // no high-level R404A file
    EXPECT_EQ(priceFileName(7), "Pricedata/mashine7.dat");
}

TEST(PriceFileNumbers, EveryNumberFrom1To44BelongsToSomeCombination) {
    std::set<int> seen;
    for (UnitKind kind : kUnitKinds)
        for (int level = 1; level <= 3; ++level)
            for (int brand = 1; brand <= 4; ++brand)
                for (int r = 0; r <= 4; ++r)
                    seen.insert(priceFileNumber(kind, level, brand, r));
    seen.erase(0);
    EXPECT_EQ(seen.size(), 44u);
    EXPECT_EQ(*seen.begin(), 1);
    EXPECT_EQ(*seen.rbegin(), 44);
}

TEST(Composition, ListsExistWhereAPriceFileAndCompressorsExist) {
    std::set<std::string> files;
    for (const UnitList& l : composed().lists) {
        EXPECT_FALSE(l.rows.empty()) << l.fileName;
        EXPECT_EQ(l.fileName, agrfilename(l.kind, l.level, l.brand, l.refrigerant));
        EXPECT_EQ(l.priceFile, priceFileNumber(l.kind, l.level, l.brand, l.refrigerant));
        EXPECT_TRUE(files.insert(l.fileName).second) << "twice: " << l.fileName;
    }
    EXPECT_TRUE(files.count("outbocklow404a.dat"));
    EXPECT_TRUE(files.count("outhigh22.dat"));
    EXPECT_TRUE(files.count("outhigh410a.dat"));
    EXPECT_TRUE(files.count("glcohigh410a.dat"));
    EXPECT_TRUE(files.count("onbitzer"
                            "low404a.dat") == 0);  // no price file for it
    EXPECT_TRUE(files.count("agrbockmiddle404a.dat"));
    EXPECT_FALSE(files.count("agrbockhigh404a.dat"));  // "middle or high": middle only
    EXPECT_FALSE(files.count("outhigh404a.dat"));
    EXPECT_FALSE(files.count("agrhigh410a.dat"));  // R410A models share no rows with R22
}

TEST(Composition, ListsOfOnePriceFileHoldTheSameUnitsInTheSameOrder) {
    std::map<int, const UnitList*> first;
    int shared = 0;
    for (const UnitList& l : composed().lists) {
        auto [it, inserted] = first.emplace(l.priceFile, &l);
        if (inserted)
            continue;
        ++shared;
        const UnitList& a = *it->second;
        ASSERT_EQ(a.rows.size(), l.rows.size()) << a.fileName << " " << l.fileName;
        for (std::size_t i = 0; i < l.rows.size(); ++i) {
            EXPECT_EQ(a.rows[i].name, l.rows[i].name);
            EXPECT_EQ(a.rows[i].price, l.rows[i].price);
            EXPECT_EQ(a.rows[i].optionPrices, l.rows[i].optionPrices);
            EXPECT_EQ(a.rows[i].compressors, l.rows[i].compressors);
        }
    }
    EXPECT_GT(shared, 20);
}

TEST(Composition, CompressorNumbersAreThoseOfEachRefrigerant) {
    for (const UnitList& l : composed().lists) {
        for (const UnitRow& u : l.rows) {
            // The hand-made R22 series numbers its models from 40.
            if (l.refrigerant == 1) {
                EXPECT_GE(u.compressor1.number, 40) << u.name;
            } else {
                EXPECT_LT(u.compressor1.number, 40) << u.name;
            }
        }
    }
}

TEST(Composition, NamesAreComposedByTheEditorsRuleAndUniqueWithinAKind) {
    std::map<std::string, std::string> owner;  // kind and name -> composition
    for (const UnitList& l : composed().lists) {
        for (const UnitRow& u : l.rows) {
            std::string expected = composeUnitName(l.level, l.brand, u.condenserData.pol, u.count1,
                                                   u.compressor1.name);
            if (u.letter != EvaporatorLetter::None)
                expected += "-" + std::string(evaporatorLetterText(u.letter));
            EXPECT_EQ(u.name, expected);
            EXPECT_LE(utf8Length(u.name), 50u);
            const std::string what = std::string(kindPrefix(l.kind)) + u.compressors +
                                     u.compressorCount + u.condenser + u.condenserCount;
            auto [it, inserted] =
                owner.emplace(std::string(kindPrefix(l.kind)) + " " + u.name, what);
            EXPECT_EQ(it->second, what) << u.name << " names two different units";
        }
    }
}

TEST(Composition, ChillerNamesEndInTheirEvaporatorLetterOrInNone) {
    int lettered = 0, plain = 0;
    for (const UnitList& l : composed().lists) {
        for (const UnitRow& u : l.rows) {
            if (!isChiller(l.kind)) {
                EXPECT_EQ(u.letter, EvaporatorLetter::None);
                continue;
            }
            EXPECT_EQ(endsWithEvaporatorLetter(u.name), u.letter != EvaporatorLetter::None)
                << u.name;
            (u.letter == EvaporatorLetter::None ? plain : lettered)++;
        }
    }
    EXPECT_GT(lettered, 0);
    EXPECT_GT(plain, 0);
}

TEST(Composition, CondenserCellsByKind) {
    for (const UnitList& l : composed().lists) {
        for (const UnitRow& u : l.rows) {
            if (kindHasCondenser(l.kind)) {
                EXPECT_NE(u.condenserIndex, "0") << u.name;
                EXPECT_EQ(u.condenserIndex, std::to_string(u.condenserData.index));
                EXPECT_GE(u.condenserUnits, 1);
            } else {
                EXPECT_EQ(u.condenser, "Нет конденсатора");
                EXPECT_EQ(u.condenserIndex, "0");
                EXPECT_EQ(u.condenserCount, "0");
            }
        }
    }
}

// The lists of one price file share their condensers; the first refrigerant of them (the
// lowest index) is sized for, the others must stay sensible too.
TEST(Composition, CondensersGiveSensibleCondensingTemperaturesAtRating) {
    std::map<int, int> firstRefrigerant;
    for (const UnitList& l : composed().lists)
        firstRefrigerant.emplace(l.priceFile, l.refrigerant);
    int checked = 0;
    for (const UnitList& l : composed().lists) {
        const bool first = firstRefrigerant[l.priceFile] == l.refrigerant;
        for (const UnitRow& u : l.rows) {
            if (u.condenserUnits == 0)
                continue;
            double heat = u.count1 * u.compressor1.ratedHeat;
            if (!u.compressor2.name.empty())
                heat += u.count2 * u.compressor2.ratedHeat;
            const double d =
                condenserDelta(heat, u.condenserData.capacity, u.condenserUnits, l.refrigerant);
            EXPECT_GE(d, first ? 8.0 : 4.0) << u.name << " " << l.fileName;
            EXPECT_LE(d, first ? 17.0 : 20.0) << u.name << " " << l.fileName;
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
}

TEST(Composition, RatedPointInsideTheEnvelopeOfEveryCompressor) {
    for (const UnitList& l : composed().lists) {
        for (const UnitRow& u : l.rows) {
            EXPECT_TRUE(insideEnvelope(u.compressor1.envelope, u.ratedTo, u.ratedTc)) << u.name;
            if (!u.compressor2.name.empty()) {
                EXPECT_TRUE(insideEnvelope(u.compressor2.envelope, u.ratedTo, u.ratedTc));
            }
        }
    }
    EXPECT_TRUE(insideEnvelope(makeCompressor("x", 1, 1, 2).envelope, -10, 45));
    EXPECT_FALSE(insideEnvelope(makeCompressor("x", 1, 1, 2).envelope, 20, 45));
}

TEST(Composition, RacksHoldTwoToFiveCompressorsSomeOfTwoModels) {
    int mixed = 0;
    for (const UnitList& l : composed().lists) {
        if (l.kind != UnitKind::Mka)
            continue;
        for (const UnitRow& u : l.rows) {
            const int total = u.count1 + u.count2;
            EXPECT_GE(total, 2) << u.name;
            EXPECT_LE(total, 5) << u.name;
            if (u.count2 > 0) {
                ++mixed;
                EXPECT_EQ(u.compressors, u.compressor1.name + "+" + u.compressor2.name);
                EXPECT_EQ(u.compressorCount,
                          std::to_string(u.count1) + "+" + std::to_string(u.count2));
                EXPECT_NE(u.compressorIndex.find('+'), std::string::npos);
            }
        }
    }
    EXPECT_GT(mixed, 0);
}

TEST(Composition, ListsHoldAtMost200RowsAscendingInCapacity) {
    for (const UnitList& l : composed().lists) {
        EXPECT_LE(l.rows.size(), 200u);
        double last = 0;
        for (const UnitRow& u : l.rows) {
            double q = u.count1 * u.compressor1.ratedCapacity;
            if (!u.compressor2.name.empty())
                q += u.count2 * u.compressor2.ratedCapacity;
            if (l.refrigerant == 0) {
                EXPECT_GE(q + 1e-9, last) << u.name;
            }
            last = q;
        }
    }
}

TEST(Composition, IsDeterministic) {
    const CompressorCatalogue cat = smallCatalogue();
    const UnitCatalogue a = composeUnitLists(cat);
    ASSERT_EQ(a.lists.size(), composed().lists.size());
    for (std::size_t i = 0; i < a.lists.size(); ++i)
        EXPECT_TRUE(unitListTable(a.lists[i]) == unitListTable(composed().lists[i]));
}

TEST(Prices, AreWholeEurosAndOptionsHaveNamesAndPrices) {
    for (const UnitList& l : composed().lists) {
        for (const UnitRow& u : l.rows) {
            ASSERT_FALSE(u.price.empty());
            EXPECT_EQ(u.price.find_first_not_of("0123456789"), std::string::npos) << u.price;
            EXPECT_GT(std::stol(u.price), 500);
            for (int j = 0; j < kOptionSlots; ++j)
                EXPECT_EQ(l.optionNames[std::size_t(j)].empty(),
                          u.optionPrices[std::size_t(j)].empty());
        }
        EXPECT_FALSE(l.optionNames[0].empty());
    }
    PriceBasis small{UnitKind::Out, 1, 1, 2.0, 4.0};
    PriceBasis big{UnitKind::Out, 1, 2, 40.0, 80.0};
    EXPECT_LT(std::stol(unitPrice(small)), std::stol(unitPrice(big)));
}

TEST(UnitListFile, RowsReadBackThroughTheTable) {
    const UnitList& l = composed().lists.front();
    const UnitListTable t = unitListTable(l);
    EXPECT_EQ(t.bytes().size(), 317'781u);
    EXPECT_EQ(t.cell(0, 0), "Название агрегата");
    EXPECT_EQ(t.cell(9, 0), "Техничекие характеристики");
    EXPECT_EQ(t.cell(23, 0), "Описание");
    EXPECT_EQ(t.cell(12, 0), l.optionNames[0]);
    for (std::size_t i = 0; i < l.rows.size(); ++i) {
        const int r = int(i) + 1;
        EXPECT_EQ(t.cell(0, r), l.rows[i].name);
        EXPECT_EQ(t.cell(3, r), l.rows[i].compressorIndex);
        EXPECT_EQ(t.cell(6, r), l.rows[i].condenserCount);
        EXPECT_EQ(t.cell(10, r), l.rows[i].price);
        EXPECT_EQ(t.cell(12, r), l.rows[i].optionPrices[0]);
    }
    EXPECT_TRUE(t.cellEmpty(0, int(l.rows.size()) + 1));
    for (int c = 24; c <= 30; ++c)
        for (int r = 0; r <= 200; ++r)
            EXPECT_TRUE(t.cellEmpty(c, r));
}

TEST(PriceFile, RecordKHoldsTheUnitOfRowKPlusOne) {
    const UnitList& l = composed().lists.back();
    const PriceFile p = priceFileOf(l);
    EXPECT_EQ(p.bytes().size(), 264'800u);
    for (int j = 1; j <= kOptionSlots; ++j)
        EXPECT_EQ(p.optionName(j), l.optionNames[std::size_t(j - 1)]);
    for (std::size_t k = 0; k < l.rows.size(); ++k) {
        EXPECT_EQ(p.name(int(k)), l.rows[k].name);
        EXPECT_EQ(p.price(int(k)), l.rows[k].price);
        for (int j = 1; j <= kOptionSlots; ++j)
            EXPECT_EQ(p.optionPrice(int(k), j), l.rows[k].optionPrices[std::size_t(j - 1)]);
    }
    EXPECT_EQ(p.name(int(l.rows.size())), "");  // the list ends there
}

}  // namespace
}  // namespace tundrix::datagen
