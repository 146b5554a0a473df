// Bitzer units with air-cooled condensers run the property routines in every balance step; the
// selection run keeps the suction state across units and steps. Its figures must equal those of
// the engine computing every unit afresh. Built from the sample catalogue's Bitzer racks, given
// condensers (skipped when the sample catalogue has not been generated).
#include <cmath>
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "catalogue/filenames.h"
#include "catalogue/tempfolder.h"
#include "engine/performance.h"
#include "sampledata.h"
#include "selection/selectionrun.h"

namespace tundrix {
namespace {

namespace fs = std::filesystem;

using testdata::kSampleData;

TEST(BitzerBalance, RunFiguresEqualThoseComputedUnitByUnit) {
    std::error_code ec;
    if (!fs::exists(kSampleData / "bitzer.dat", ec) ||
        !fs::exists(kSampleData / "mass404a.dat", ec))
        FAIL() << "no sample catalogue in " << kSampleData.string();
    testing::TempFolder dir;
    for (const char* f : {"bitzer.dat", "condensators.dat", "mass404a.dat"})
        fs::copy_file(kSampleData / f, dir / f);
    Condenserprop condensers;
    ASSERT_TRUE(condensers.load(kSampleData / "condensators.dat"));
    const int nc = std::max(condensers.count(), 1);
    int listed = 0;
    for (int l = 1; l <= kLevels; ++l) {
        UnitListTable t;
        if (!t.load(kSampleData / "agrdata" / agrfilename(UnitKind::Mka, l, 3, 0)))
            continue;
        for (int i = 1; i <= UnitListTable::kUnitRows && !t.cellEmpty(0, i); ++i, ++listed) {
            // Six of the largest condenser (the list ascends by capacity): enough for every rack.
            t.setCell(4, i, std::to_string(nc));
            t.setCell(6, i, "6");
        }
        ASSERT_TRUE(t.save(dir / ("agrdata/" + agrfilename(UnitKind::Out, l, 3, 0))));
    }
    if (listed == 0)
        FAIL() << "the sample catalogue has no Bitzer racks";

    auto cat = std::make_unique<Catalogue>(dir.path());
    cat->conderlist.load(dir / "condensators.dat");
    cat->preloadtables(0);
    CycleState cycle;
    SelectionInputs in;
    in.kind = UnitKind::Out;
    in.ambientMode = true;
    in.evaporate = "-5";
    in.ambient = "32";
    in.superheat = "8";
    in.subcool = "2";
    in.refrigerant = 0;
    in.brandChecked = {false, false, false, true, false};
    in.levelChoice = 0;
    const SelectionResult r = Tableoperations(*cat, cycle, in);
    ASSERT_EQ(r.count, listed);

    const Performance fresh(cat->agrlist, cycle);
    int withHeat = 0;
    for (int row = 1; row <= r.count; ++row) {
        const SelectionRow& s = r.rows[std::size_t(row)];
        SCOPED_TRACE(s.cells[0]);
        const double tc = fresh.condensatetemp(-5, 32, s.unit);
        EXPECT_EQ(s.tc, tc);
        EXPECT_GT(tc, 32.0);  // the condensers need a temperature difference
        if (!s.inside)
            continue;
        EXPECT_EQ(s.capacity, fresh.capacity(-5, tc, s.unit));
        EXPECT_EQ(s.heat, fresh.heat(-5, tc, s.unit));
        // Above the cooling capacity: the power input ends up in the condenser too.
        EXPECT_GT(s.heat, s.capacity);
        ++withHeat;
    }
    EXPECT_GT(withHeat, 0);
}

}  // namespace
}  // namespace tundrix
