// A tab without units says what the catalogue holds for its kind and refrigerant instead: other
// levels, other brands, or nothing, so that an empty tab is not taken for units that fail the
// conditions.
#include "selection/coverage.h"

#include <gtest/gtest.h>

#include "catalogue/filenames.h"
#include "selectionfixture.h"

namespace tundrix {
namespace {

using testing::SelectionBench;

// A data folder with one condensing-unit list of R404A/R507 for each (level, brand) given.
struct Lists {
    SelectionBench bench;
    explicit Lists(std::initializer_list<std::pair<int, int>> levelBrand,
                   UnitKind kind = UnitKind::Out) {
        for (const auto& [level, brand] : levelBrand)
            testing::unitFile({{.name = "A"}})
                .save(bench.dir / ("agrdata/" + agrfilename(kind, level, brand, 0)));
    }
    // The run with Bock ticked and the low level asked for.
    SelectionResult runLowBock() { return bench.run(SelectionBench::inputs()); }
};

TEST(EmptyTab, NamesTheLevelsTheCatalogueHolds) {
    Lists lists({{2, 1}, {3, 3}});
    const SelectionResult r = lists.runLowBock();
    ASSERT_TRUE(r.pagesHidden);
    EXPECT_EQ(r.coverage,
              "В каталоге на R404A/R507 установки этого вида есть только в исполнении "
              "«Среднетемпературное» и «Высокотемпературное».");
}

TEST(EmptyTab, NamesTheBrandsNotTickedAtTheLevelAskedFor) {
    Lists lists({{1, 3}, {1, 4}, {2, 1}});
    const SelectionResult r = lists.runLowBock();
    ASSERT_TRUE(r.pagesHidden);
    EXPECT_EQ(r.coverage,
              "В каталоге на R404A/R507 в этом исполнении есть установки только марок Bitzer и "
              "Copeland Stream.");
}

TEST(EmptyTab, SaysWhenTheCatalogueHasNoneOfTheKind) {
    Lists lists({{1, 1}, {2, 1}}, UnitKind::Agr);
    const SelectionResult r = lists.runLowBock();
    ASSERT_TRUE(r.pagesHidden);
    EXPECT_EQ(r.coverage, "В каталоге на R404A/R507 нет установок этого вида.");
}

TEST(EmptyTab, ATabWithUnitsSaysNothing) {
    Lists lists({{1, 1}});
    const SelectionResult r = lists.runLowBock();
    EXPECT_FALSE(r.pagesHidden);
    EXPECT_EQ(r.coverage, "");
}

}  // namespace
}  // namespace tundrix
