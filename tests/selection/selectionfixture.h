// Small catalogues for the selection run and the calculator: brand-table units whose capacity,
// power and current are constants (so the expected figures are plain numbers), written into a
// data folder of their own.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/coefimage.h"
#include "catalogue/fixtures.h"
#include "catalogue/records.h"
#include "catalogue/tempfolder.h"
#include "catalogue/unitlisttable.h"
#include "engine/cyclestate.h"
#include "selection/selectionrun.h"

namespace tundrix::testing {

// The operating envelope used for a unit that should be inside: evaporating -50..20 degC,
// condensing 0..70 degC, corners counter-clockwise.
inline CoefImage::Envelope wideEnvelope() {
    return {-50, 0, 20, 0, 20, 35, 20, 70, -50, 70, -50, 35};
}
// An envelope far from every operating point of the tests (evaporating 30..40 degC).
inline CoefImage::Envelope farEnvelope() {
    return {30, 0, 40, 0, 40, 35, 40, 70, 30, 70, 30, 35};
}

struct TestUnit {
    std::string name;
    double capacity = 10;  // kW, constant over the envelope
    double power = 3;      // kW
    double current = 6;    // A
    std::string price = "100";
    bool inside = true;            // wide envelope, else one that excludes every test point
    std::string condenser = "0";   // column 4: condenser list entry
    std::string condensers = "0";  // column 6: condenser count ("0": no condenser)
    std::string counts = "1";      // column 5
};

// Record n of the refrigerant's section of a brand table for unit n of the list.
inline CoefImage brandFile(const std::vector<TestUnit>& units, int section = 0) {
    CoefImage c;
    int n = 1;
    for (const auto& u : units) {
        c.setName(section, n, "C-" + u.name);
        c.setCoefs(section, n, CoefImage::Capacity, {u.capacity});
        c.setCoefs(section, n, CoefImage::Power, {u.power});
        c.setCoefs(section, n, CoefImage::Current, {u.current});
        c.setEnvelope(section, n, u.inside ? wideEnvelope() : farEnvelope());
        ++n;
    }
    return c;
}

// Option names of the test lists: the run appends their first letters to a unit's name.
inline const std::vector<std::string>& optionNames() {
    static const std::vector<std::string> names = {
        "Ресивер", "Подогрев картера", "Вентиль", "Щит",      "Манометры", "Фильтр",
        "Стекло",  "Клапан",           "Датчик",  "Изоляция", "Упаковка"};
    return names;
}

inline UnitListTable unitFile(const std::vector<TestUnit>& units) {
    UnitListTable t;
    t.setCell(0, 0, "Агрегат");
    for (int j = 1; j <= 11; ++j)
        t.setCell(11 + j, 0, optionNames()[std::size_t(j - 1)]);
    int r = 1;
    for (const auto& u : units) {
        t.setCell(0, r, u.name);
        t.setCell(3, r, std::to_string(r));  // record r of the brand table
        t.setCell(4, r, u.condenser);
        t.setCell(5, r, u.counts);
        t.setCell(6, r, u.condensers);
        t.setCell(10, r, u.price);
        for (int j = 1; j <= 11; ++j)
            t.setCell(11 + j, r, std::to_string(10 * j));  // option j costs 10 j
        ++r;
    }
    return t;
}

// A data folder with a Bock coefficient file and condensing-unit lists; a catalogue on it with
// the low level covered and its tables preloaded for R404A/R507.
class SelectionBench {
  public:
    TempFolder dir;
    std::unique_ptr<Catalogue> cat;
    CycleState cycle;

    // Bock units of the low level, R404A/R507, condensing units.
    void writeBock(const std::vector<TestUnit>& units, std::string list = "outbocklow404a.dat") {
        brandFile(units).save(dir / "bock.dat");
        unitFile(units).save(dir / ("agrdata/" + list));
    }
    void writeCondensers(const Condenserprop& c) { c.save(dir / "condensators.dat"); }

    Catalogue& open() {
        cat = std::make_unique<Catalogue>(dir.path());
        if (const auto f = cat->existingFile("condensators.dat"))
            cat->conderlist.load(*f);
        cat->preloadtables(0);
        cat->levelon = {false, true, false, false};
        return *cat;
    }

    static SelectionInputs inputs() {
        SelectionInputs in;
        in.kind = UnitKind::Out;
        in.ambientMode = true;
        in.evaporate = "-10";
        in.ambient = "30";
        in.brandChecked = {false, true, false, false, false};
        in.decimalSeparator = ',';
        return in;
    }

    SelectionResult run(const SelectionInputs& in) {
        if (!cat)
            open();
        return Tableoperations(*cat, cycle, in);
    }
};

}  // namespace tundrix::testing
