#include "datagen/unitsassets.h"

#include "catalogue/filenames.h"

namespace tundrix::datagen {
namespace {

std::string brandName(int brand) {
    switch (brand) {
        case 1:
            return "Bock";
        case 2:
            return "Copeland Scroll";
        case 3:
            return "Bitzer";
        case 4:
            return "Copeland Stream";
        default:
            return "";
    }
}

std::string refrigerantItem(int r) {
    return validRefrigerant(r) ? std::string(refrigerantEntry(r).caption) : "";
}

}  // namespace

void registerAssets(UnitCatalogue& units, AssetWriter& assets) {
    for (UnitList& list : units.lists) {
        for (UnitRow& u : list.rows) {
            AssetUnit a;
            a.kindCode = std::string(kindPrefix(list.kind));
            a.name = u.name;
            a.brand = brandName(list.brand);
            a.level = list.level;
            a.compressor1 = u.compressor1.name;
            a.count1 = u.count1;
            a.compressor2 = u.compressor2.name;
            a.count2 = u.count2;
            if (u.condenserUnits > 0) {
                a.condenser = u.condenserData.name;
                a.condenserCount = u.condenserUnits;
                a.fans = u.condenserData.fans;
                a.fanCurrent = u.condenserData.fanCurrent;
                a.fanPower = u.condenserData.fanPower;
                a.pol = u.condenserData.pol;
            }
            a.refrigerants = {refrigerantItem(list.refrigerant)};
            a.capacity = u.count1 * u.compressor1.ratedCapacity;
            a.power = u.count1 * u.compressor1.ratedPower;
            a.current = u.count1 * u.compressor1.ratedCurrent;
            if (!u.compressor2.name.empty()) {
                a.capacity += u.count2 * u.compressor2.ratedCapacity;
                a.power += u.count2 * u.compressor2.ratedPower;
                a.current += u.count2 * u.compressor2.ratedCurrent;
            }
            const AssetPaths p = assets.add(a);
            u.imagepath = p.imagepath;
            u.complectpath = p.complectpath;
            u.techdata = p.techdata;
            u.picturepath = p.picturepath;
            u.textpath = p.textpath;
        }
    }
}

}  // namespace tundrix::datagen
