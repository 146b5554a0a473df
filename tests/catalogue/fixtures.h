// Small catalogue files written with the image classes' setters, for the loader tests.
#pragma once

#include <string>
#include <vector>

#include "catalogue/coefimage.h"
#include "catalogue/records.h"
#include "catalogue/unitlisttable.h"
#include "tempfolder.h"

namespace tundrix::testing {

struct UnitRow {
    std::string name = "";
    std::string indices = "1";    // column 3
    std::string condenser = "0";  // column 4
    std::string counts = "1";     // column 5
    std::string condensers = "";  // column 6
    std::string price = "100";    // column 10
};

// A unit list with headings in row 0 (option names "Опция1".."Опция11") and the rows from row 1;
// each row's option prices are "<row>.<option>".
inline UnitListTable unitList(const std::vector<UnitRow>& rows) {
    UnitListTable t;
    t.setCell(0, 0, "Название агрегата");
    for (int j = 1; j <= 11; ++j)
        t.setCell(11 + j, 0, "Опция" + std::to_string(j));
    int r = 1;
    for (const auto& row : rows) {
        t.setCell(0, r, row.name);
        t.setCell(3, r, row.indices);
        t.setCell(4, r, row.condenser);
        t.setCell(5, r, row.counts);
        t.setCell(6, r, row.condensers);
        t.setCell(7, r, "TechnicalData\\" + row.name + ".pdf");
        t.setCell(8, r, "Complect\\c.txt");
        t.setCell(9, r, std::to_string(r));
        t.setCell(10, r, row.price);
        t.setCell(11, r, "images\\p.jpg");
        t.setCell(23, r, "Textfiles\\t.txt");
        for (int j = 1; j <= 11; ++j)
            t.setCell(11 + j, r, std::to_string(r) + "." + std::to_string(j));
        ++r;
    }
    return t;
}

inline void writeUnitList(const TempFolder& dir, const std::string& name,
                          const std::vector<UnitRow>& rows) {
    unitList(rows).save(dir / ("agrdata/" + name));
}

// A brand coefficient file whose records carry a name and an envelope with the given x1 and x3.
struct BrandRecord {
    int section;
    int record;
    std::string name = "";
    double x1;
    double x3;
};

inline CoefImage brandTable(const std::vector<BrandRecord>& records) {
    CoefImage c;
    for (const auto& r : records) {
        c.setName(r.section, r.record, r.name);
        CoefImage::Envelope e{};
        e[0] = r.x1;
        e[1] = 20;
        e[2] = r.x1;
        e[3] = 50;
        e[4] = r.x3;
        e[5] = 60;
        e[6] = r.x3;
        e[7] = 30;
        e[8] = r.x3;
        e[9] = 25;
        e[10] = r.x1;
        e[11] = 20;
        c.setEnvelope(r.section, r.record, e);
    }
    return c;
}

inline Comprprop compressorList(int count, double x1 = -30) {
    Comprprop c;
    c.setCount(count);
    for (int k = 1; k <= count; ++k) {
        c.setName(k, "ZS" + std::to_string(k));
        c.setPosition(k, 10 * k);
        for (int n = 1; n <= 6; ++n)
            c.setVertex(n, k, x1 + n + k / 100.0, 40 + n);
    }
    return c;
}

inline Condenserprop condenserList(int count) {
    Condenserprop c;
    c.setCount(count);
    for (int k = 1; k <= count; ++k) {
        c.setName(k, "КД-" + std::to_string(k));
        c.setCapacity(k, 5.0 * k);
    }
    return c;
}

}  // namespace tundrix::testing
