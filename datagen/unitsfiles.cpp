#include "datagen/unitsfiles.h"

#include <map>
#include <system_error>

namespace tundrix::datagen {
namespace {

// The cells of a row that its price file carries.
bool samePrices(const UnitList& a, const UnitList& b, std::string* why) {
    if (a.optionNames != b.optionNames) {
        *why = "option names differ";
        return false;
    }
    if (a.rows.size() != b.rows.size()) {
        *why = "row counts differ";
        return false;
    }
    for (std::size_t i = 0; i < a.rows.size(); ++i) {
        const UnitRow& x = a.rows[i];
        const UnitRow& y = b.rows[i];
        if (x.name != y.name || x.price != y.price || x.optionPrices != y.optionPrices) {
            *why = "row " + std::to_string(i + 1) + " differs";
            return false;
        }
    }
    return true;
}

}  // namespace

std::string unitListHeading(int column) {
    switch (column) {
        case 0:
            return "Название агрегата";
        case 1:
            return "Компрессор";
        case 2:
            return "Конденсатор";
        case 3:
            return "инд. компрессора";
        case 4:
            return "инд. конденсатора";
        case 5:
            return "кол. компрессоров";
        case 6:
            return "кол. конденсаторов";
        case 7:
            return "габаритный чертеж";
        case 8:
            return "комплект";
        case 9:
            return "Техничекие характеристики";
        case 10:
            return "Цена(EUR)";
        case 11:
            return "картинка";
        case 23:
            return "Описание";
        default:
            return "";
    }
}

UnitListTable unitListTable(const UnitList& list) {
    UnitListTable t;
    for (int c = 0; c <= 23; ++c)
        t.setCell(c, 0, unitListHeading(c));
    for (int j = 0; j < kOptionSlots; ++j)
        t.setCell(12 + j, 0, list.optionNames[std::size_t(j)]);
    int r = 1;
    for (const UnitRow& u : list.rows) {
        if (r > UnitListTable::kUnitRows)
            break;
        t.setCell(0, r, u.name);
        t.setCell(1, r, u.compressors);
        t.setCell(2, r, u.condenser);
        t.setCell(3, r, u.compressorIndex);
        t.setCell(4, r, u.condenserIndex);
        t.setCell(5, r, u.compressorCount);
        t.setCell(6, r, u.condenserCount);
        t.setCell(7, r, u.imagepath);
        t.setCell(8, r, u.complectpath);
        t.setCell(9, r, u.techdata);
        t.setCell(10, r, u.price);
        t.setCell(11, r, u.picturepath);
        for (int j = 0; j < kOptionSlots; ++j)
            t.setCell(12 + j, r, u.optionPrices[std::size_t(j)]);
        t.setCell(23, r, u.textpath);
        ++r;
    }
    return t;
}

PriceFile priceFileOf(const UnitList& list) {
    PriceFile p;
    for (int j = 0; j < kOptionSlots; ++j)
        p.setOptionName(j + 1, list.optionNames[std::size_t(j)]);
    int k = 0;
    for (const UnitRow& u : list.rows) {
        if (k >= PriceFile::kRecords)
            break;
        p.setName(k, u.name);
        p.setPrice(k, u.price);
        for (int j = 0; j < kOptionSlots; ++j)
            p.setOptionPrice(k, j + 1, u.optionPrices[std::size_t(j)]);
        ++k;
    }
    return p;
}

bool writeUnitFiles(const std::filesystem::path& outDir, const UnitCatalogue& units,
                    std::string* error) {
    std::string err;
    std::error_code ec;
    for (const char* folder : {"agrdata", "Pricedata"}) {
        std::filesystem::create_directories(outDir / folder, ec);
        if (ec) {
            if (error)
                *error = std::string(folder) + ": " + ec.message();
            return false;
        }
    }
    std::map<int, const UnitList*> priceLists;  // price file number -> the list it was made from
    for (const UnitList& list : units.lists) {
        if (!unitListTable(list).save(outDir / "agrdata" / list.fileName, &err)) {
            if (error)
                *error = "agrdata/" + list.fileName + ": " + err;
            return false;
        }
        auto [it, inserted] = priceLists.emplace(list.priceFile, &list);
        std::string why;
        if (!inserted && !samePrices(*it->second, list, &why)) {
            if (error)
                *error = list.fileName + " and " + it->second->fileName + " share " +
                         priceFileName(list.priceFile) + " but " + why;
            return false;
        }
    }
    for (const auto& [number, list] : priceLists) {
        const std::string name = priceFileName(number);
        if (!priceFileOf(*list).save(outDir / name, &err)) {
            if (error)
                *error = name + ": " + err;
            return false;
        }
    }
    return true;
}

}  // namespace tundrix::datagen
