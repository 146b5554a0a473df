// A calculation's links to the catalogue: chosen options follow unit names into a list loaded
// anew, basket units are found again in their list files, and what changed since saving is told.
#include <gtest/gtest.h>

#include "calculation/calculationunits.h"
#include "selection/selectionfixture.h"

namespace tundrix {
namespace {

using testing::SelectionBench;
using testing::TestUnit;

std::vector<TestUnit> units() {
    TestUnit a{"A-10", 10};
    a.price = "1250,50";
    TestUnit b{"B-20", 20};
    b.price = "200";
    TestUnit c{"C-30", 30};
    c.price = "300";
    return {a, b, c};
}

const SelectionRow& rowNamed(const SelectionResult& r, const agregat& list, const char* name) {
    return r.rows[std::size_t(rowOfUnit(r, list, name))];
}

TEST(CalculationUnits, ChosenOptionsFollowTheirUnitIntoAListLoadedAnew) {
    SelectionBench bench;
    bench.writeBock(units());
    bench.run(SelectionBench::inputs());
    agregat& list = bench.cat->agrlist;
    list.optionagr[2].flag[2] = list.optionagr[2].flag[5] = true;  // B-20
    const std::vector<OptionChoice> chosen = chosenOptions(list);
    ASSERT_EQ(chosen, (std::vector<OptionChoice>{{"B-20", {"Подогрев картера", "Манометры"}}}));

    // The catalogue changed: B-20 is listed first now, and a saved choice names what is gone.
    auto reordered = units();
    std::swap(reordered[0], reordered[1]);
    bench.writeBock(reordered);
    bench.run(SelectionBench::inputs());
    std::vector<OptionChoice> saved = chosen;
    saved[0].options.push_back("Снят с производства");
    saved.push_back({"Z-99", {"Щит"}});
    const OptionsApplied applied = applyOptionChoices(list, saved);
    EXPECT_EQ(applied.units, 1);
    ASSERT_EQ(applied.missing.size(), 2u);
    EXPECT_EQ(applied.missing[0].kind, Difference::Kind::OptionGone);
    EXPECT_EQ(applied.missing[0].unit, "B-20: Снят с производства");
    EXPECT_EQ(applied.missing[1].kind, Difference::Kind::UnitGone);
    EXPECT_EQ(list.optionagr[1].flag[2], true);
    EXPECT_EQ(list.optionagr[2].flag[2], false);

    const SelectionResult r = bench.run(SelectionBench::inputs());
    EXPECT_EQ(rowNamed(r, list, "B-20").price, 200 + 20 + 50);
    EXPECT_EQ(rowNamed(r, list, "B-20").cells[0], "B-20-П-М");
}

TEST(CalculationUnits, ABasketUnitIsFoundAgainAndItsChangesAreTold) {
    SelectionBench bench;
    bench.writeBock(units());
    for (const char sep : {',', '.'}) {
        SelectionInputs in = SelectionBench::inputs();
        in.decimalSeparator = sep;
        const SelectionResult r = bench.run(in);
        const agregat& list = bench.cat->agrlist;
        const BasketUnit a = basketUnit(list, UnitKind::Out, 0, rowNamed(r, list, "A-10"));
        EXPECT_EQ(a.brand, 1);
        EXPECT_EQ(a.level, 1);
        EXPECT_EQ(a.listPrice, 1250.5);
        EXPECT_EQ(a.capacity, 10);
        const auto listed = findListedUnit(bench.dir.path(), a);
        ASSERT_TRUE(listed);
        EXPECT_EQ(listedPrice(*listed, a.options, sep), a.listPrice) << sep;
    }

    const SelectionResult r = bench.run(SelectionBench::inputs());
    const agregat& list = bench.cat->agrlist;
    std::vector<BasketRecord> basket;
    for (const char* name : {"A-10", "B-20", "C-30"})
        basket.push_back({"", name, {1.0, ""}, {1.0, ""}, 1, basketUnit(list, UnitKind::Out, 0,
                                                                          rowNamed(r, list, name))});
    basket.push_back({"Монтаж", "по месту", {1.0, ""}, {500.0, ""}, 500, std::nullopt});
    EXPECT_TRUE(checkBasket(basket, bench.dir.path(), ',').empty());

    // A dearer, B as it was, C no longer made.
    auto changed = units();
    changed[0].price = "1300";
    changed.pop_back();
    bench.writeBock(changed);
    const std::vector<Difference> d = checkBasket(basket, bench.dir.path(), ',');
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].kind, Difference::Kind::PriceChanged);
    EXPECT_EQ(d[0].saved, 1250.5);
    EXPECT_EQ(d[0].now, 1300);
    EXPECT_EQ(differenceText(d[0], ','),
              "Цена «A-10» в каталоге теперь 1300 EUR, в расчете 1250,5 EUR; в корзине оставлена "
              "цена расчета.");
    EXPECT_EQ(d[1].kind, Difference::Kind::UnitGone);
    EXPECT_EQ(d[1].unit, "C-30");
}

TEST(CalculationUnits, ResultsMovingMoreThanHalfAPercentAreTold) {
    const ResultRecord saved{CalcTab::Condensing, "A-10", 10, 4, 14, 8, 1000};
    SelectionRow now;
    now.capacity = 10.04;  // 0.4 %
    now.power = 4;
    now.heat = 14.1;  // 0.7 %
    now.current = BasketUnit::kNone;  // outside its envelope now
    now.price = 1000;
    const std::vector<Difference> d = compareResult(saved, now);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].field, "heat");
    EXPECT_EQ(d[1].field, "current");
    EXPECT_EQ(differenceText(d[1], ','),
              "Результат «A-10» изменился больше чем на 0,5 %: ток, А 8 → нет значения.");
    now.price = 1000.01;
    EXPECT_EQ(compareResult(saved, now).back().kind, Difference::Kind::PriceChanged);
}

}  // namespace
}  // namespace tundrix
