#include "datagen/compressorseries.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "catalogue/filenames.h"
#include "datagen/refrigerantdesign.h"

namespace tundrix::datagen {

namespace {

const std::vector<double> kBockSizes{5.4,  8.1,  11.2, 14.2, 19.2, 23.1, 28.0, 33.1,
                                     39.0, 48.8, 56.3, 65.1, 73.7, 84.5, 97.5};
const std::vector<double> kBitzerSizes{4.1,  5.2,  6.5,  9.5,  13.4, 18.1, 22.7, 26.8,  32.5,
                                       41.3, 48.5, 56.3, 63.5, 73.6, 84.5, 99.2, 120.5, 151.6};
const std::vector<double> kStreamSizes{24.4, 29.4, 38.3, 48.9,  59.4,
                                       68.8, 84.9, 99.1, 121.5, 135.6};
const std::vector<double> kScrollSizes{5.9,  7.0,  8.6,  9.9,  11.7, 14.4,
                                       17.1, 21.3, 24.1, 29.1, 34.8, 41.3};
const std::vector<double> kScrollLowSizes{5.9, 7.0, 8.6, 9.9, 11.7, 14.4, 17.1, 21.3};
const std::vector<double> kScroll410Sizes{6.6, 8.0, 9.6, 11.4, 13.8, 16.6, 19.9, 23.6};

// The brands differ a little in design: valve losses, clearance, and for the scrolls a
// clearance-free compression whose volumetric losses are leakage.
ModelParams brandParams(int brand, int level, int refrigerant) {
    ModelParams p = levelParams(level, refrigerant);
    switch (brand) {
        case kBrandBitzer:
            p.etaPeak *= 1.03;
            p.a += 0.01;
            break;
        case kBrandStream:
            p.etaPeak *= 0.995;
            p.b *= 1.05;
            break;
        case kBrandScroll:
            p.a = 0.97;
            p.b *= 0.5;
            p.etaPeak *= 1.02;
            break;
        default:
            break;
    }
    return p;
}

const std::vector<double>& brandSizes(int brand, int level, int refrigerant) {
    switch (brand) {
        case kBrandBock:
            return kBockSizes;
        case kBrandBitzer:
            return kBitzerSizes;
        case kBrandStream:
            return kStreamSizes;
        default:
            if (refrigerantDesign(refrigerant).highPressureScrolls)
                return kScroll410Sizes;
            return level == 1 ? kScrollLowSizes : kScrollSizes;
    }
}

char levelLetter(int level) {
    return level == 1 ? 'L' : level == 2 ? 'M' : 'H';
}

int cylinders(double displacement) {
    if (displacement < 10)
        return 2;
    if (displacement < 40)
        return 4;
    if (displacement < 100)
        return 6;
    return 8;
}

}  // namespace

std::string scrollTableFile(int level, int refrigerant) {
    const std::string name = coeffilename(level, kBrandScroll, refrigerant);
    return name == kNoFile ? "" : name;
}

std::string scrollListFile(int level, int refrigerant) {
    const std::string name = listfilename(level, kBrandScroll, refrigerant);
    return name == kNoFile ? "" : name;
}

std::string brandFile(int brand, int refrigerant) {
    return coefficientFileName(brand, refrigerant);
}

std::vector<SeriesPlan> seriesPlans() {
    std::vector<SeriesPlan> plans;
    for (int brand = 1; brand <= 4; ++brand) {
        for (int refrigerant = 0; refrigerant < kRefrigerants; ++refrigerant) {
            const RefrigerantDesign& design = refrigerantDesign(refrigerant);
            for (int level = 1; level <= 3; ++level) {
                // A series needs somewhere to live: the Scroll files of its level, or a section
                // of the brand's coefficient file.
                const bool offered =
                    design.offers[std::size_t(brand - 1)][std::size_t(level - 1)] &&
                    (brand == kBrandScroll ? !scrollTableFile(level, refrigerant).empty()
                                           : coefSection(refrigerant) >= 0);
                if (!offered)
                    continue;
                SeriesPlan p;
                p.brand = brand;
                p.level = level;
                p.refrigerant = refrigerant;
                p.params = brandParams(brand, level, refrigerant);
                p.envelope = sampleEnvelope(level, refrigerant);
                p.displacements = brandSizes(brand, level, refrigerant);
                plans.push_back(std::move(p));
            }
        }
    }
    return plans;
}

std::string modelName(int brand, int level, int refrigerant, double displacement) {
    char buf[64];
    const RefrigerantDesign& design = refrigerantDesign(refrigerant);
    const char l = design.levelLetter != 0 ? design.levelLetter : levelLetter(level);
    const std::string mark(design.mark);
    const int cyl = cylinders(displacement);
    switch (brand) {
        case kBrandBock:
            std::snprintf(buf, sizeof buf, "NK%d/%.0f-%c%s", cyl, displacement, l, mark.c_str());
            break;
        case kBrandBitzer:
            std::snprintf(buf, sizeof buf, "TV%d-%.1f%c%s", cyl, displacement, l, mark.c_str());
            break;
        case kBrandStream:
            std::snprintf(buf, sizeof buf, "ST%d-%.0f%c%s", cyl, displacement, l, mark.c_str());
            break;
        default:
            std::snprintf(buf, sizeof buf, "SX-%03.0f%c%s", displacement * 10, l, mark.c_str());
            break;
    }
    return buf;
}

std::vector<CatalogueCondenser> condenserRange() {
    struct Fan {
        int diameter;    // mm
        double perFan;   // kW at 15 K with the standard coil
        double current;  // A
        double power;    // kW
        std::vector<int> counts;
    };
    const std::vector<Fan> fans{
        {350, 3.2, 0.55, 0.11, {1, 2}},        {450, 6.0, 0.85, 0.19, {1, 2, 3}},
        {500, 8.5, 0.95, 0.33, {1, 2, 3, 4}},  {630, 14.5, 1.35, 0.62, {1, 2, 3, 4, 6}},
        {800, 24.0, 1.90, 0.85, {2, 3, 4, 6}},
    };
    std::vector<CatalogueCondenser> list;
    for (const Fan& f : fans) {
        for (int n : f.counts) {
            for (int deep = 0; deep < 2; ++deep) {
                CatalogueCondenser c;
                // Longer coils lose a little per fan; the deeper coil gives a quarter more.
                const double share = 1.0 - 0.03 * (n - 1);
                c.capacity = std::round(f.perFan * n * share * (deep ? 1.25 : 1.0) * 10) / 10;
                c.fans = n;
                c.fanCurrent = f.current;
                c.fanPower = f.power;
                char name[64], pol[32];
                std::snprintf(name, sizeof name, "КВО %d-%d%s", f.diameter / 10, n,
                              deep ? "У" : "Н");
                std::snprintf(pol, sizeof pol, "%d-%d%c", f.diameter / 10, n, deep ? 'U' : 'N');
                c.name = name;
                c.pol = pol;
                list.push_back(c);
            }
        }
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const auto& a, const auto& b) { return a.capacity < b.capacity; });
    for (std::size_t i = 0; i < list.size(); ++i)
        list[i].index = int(i) + 1;
    return list;
}

}  // namespace tundrix::datagen
