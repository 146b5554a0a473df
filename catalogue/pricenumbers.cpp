#include "catalogue/pricenumbers.h"

namespace tundrix {
namespace {

constexpr unsigned kLowLevel = 1u << 1, kMiddleLevel = 1u << 2, kHighLevel = 1u << 3;

// The refrigerant conditions of the rules: any refrigerant, or the listed ones of the five (a
// bit per table index).
constexpr unsigned kAny = ~0u;
static_assert(kRefrigerants <= 32);
constexpr unsigned refr(std::string_view code) {
    return 1u << refrigerantIndex(code);
}

struct PriceRule {
    int number;
    UnitKind kind;
    unsigned levels;  // bit l for level l
    int brand;        // 1 Bock, 2 Copeland, 3 bitzer, 4 dwmcop
    unsigned refrigerants = kAny;
};

// In the editor's order; a later match replaces an earlier one (43 and 44 replace 16 and 18).
constexpr PriceRule kRules[] = {
    {1, UnitKind::Agr, kLowLevel, 1},
    {2, UnitKind::Agr, kMiddleLevel | kHighLevel, 1},
    {3, UnitKind::Agr, kLowLevel, 2},
    {4, UnitKind::Agr, kMiddleLevel, 2},
    {5, UnitKind::Agr, kHighLevel, 2},
    {6, UnitKind::Agr, kLowLevel, 3},
    {7, UnitKind::Agr, kMiddleLevel, 3},
    {40, UnitKind::Agr, kLowLevel, 4},
    {39, UnitKind::Agr, kMiddleLevel | kHighLevel, 4},
    {8, UnitKind::Mka, kLowLevel, 1},
    {9, UnitKind::Mka, kMiddleLevel | kHighLevel, 1},
    {10, UnitKind::Mka, kLowLevel, 2},
    {11, UnitKind::Mka, kMiddleLevel, 2},
    {12, UnitKind::Mka, kHighLevel, 2},
    {13, UnitKind::Mka, kLowLevel, 3},
    {14, UnitKind::Mka, kMiddleLevel, 3},
    {42, UnitKind::Mka, kLowLevel, 4},
    {41, UnitKind::Mka, kMiddleLevel | kHighLevel, 4},
    {15, UnitKind::Glco, kHighLevel, 1},
    {16, UnitKind::Glco, kHighLevel, 2},
    {43, UnitKind::Glco, kHighLevel, 2, refr("410a")},
    {17, UnitKind::Glcu, kHighLevel, 1},
    {18, UnitKind::Glcu, kHighLevel, 2},
    {44, UnitKind::Glcu, kHighLevel, 2, refr("410a")},
    {19, UnitKind::Glcr, kHighLevel, 2},
    {20, UnitKind::Glck, kHighLevel, 2},
    {28, UnitKind::Ov, kHighLevel, 2},
    {29, UnitKind::Ov, kHighLevel, 1},
    {30, UnitKind::Ov, kHighLevel, 4},
    {31, UnitKind::Ov, kHighLevel, 3},
    {32, UnitKind::Os, kMiddleLevel, 2},
    {33, UnitKind::Os, kMiddleLevel, 1},
    {34, UnitKind::Os, kMiddleLevel, 4},
    {35, UnitKind::Os, kMiddleLevel, 3},
    {36, UnitKind::On, kLowLevel, 2},
    {37, UnitKind::On, kLowLevel, 1},
    {38, UnitKind::On, kLowLevel, 4},
    {22, UnitKind::Out, kLowLevel, 1},
    {21, UnitKind::Out, kMiddleLevel, 1},
    {24, UnitKind::Out, kLowLevel, 2},
    {23, UnitKind::Out, kMiddleLevel, 2},
    {26, UnitKind::Out, kHighLevel, 2, refr("134a")},
    {25, UnitKind::Out, kHighLevel, 2, refr("407c") | refr("22")},
    {27, UnitKind::Out, kHighLevel, 2, refr("410a")},
};

// The rules of the five; a refrigerant not of the five (or none, -1) meets no refrigerant
// condition.
int originalNumber(UnitKind kind, int level, int brand, int refrigerant) {
    const bool ofTheFive = validRefrigerant(refrigerant) &&
                           refrigerantEntry(refrigerant).scheme == FileScheme::Original;
    const unsigned r = ofTheFive ? 1u << refrigerant : 0u;
    int number = 0;
    for (const PriceRule& rule : kRules) {
        if (rule.kind == kind && (rule.levels & (1u << level)) && rule.brand == brand &&
            (rule.refrigerants == kAny || (rule.refrigerants & r)))
            number = rule.number;
    }
    return number;
}

// The place of a refrigerant among those named by their code (0 for the first).
int codePlace(int refrigerant) {
    int place = 0;
    for (int i = 0; i < refrigerant; ++i)
        place += refrigerantEntry(i).scheme == FileScheme::ByCode ? 1 : 0;
    return place;
}

}  // namespace

int priceFileNumber(UnitKind kind, int level, int brand, int refrigerant) {
    if (!validLevel(level) || kind == UnitKind::None || refrigerant < -1 ||
        refrigerant >= kRefrigerants)
        return 0;
    if (refrigerant < 0 || refrigerantEntry(refrigerant).scheme == FileScheme::Original)
        return originalNumber(kind, level, brand, refrigerant);
    const int n = originalNumber(kind, level, brand, -1);
    int slot = 0;
    if (n >= 1 && n <= 24)
        slot = n;
    else if (n >= 28 && n <= 42)
        slot = n - 3;
    else if (n == 0 && kind == UnitKind::Out && level == 3 && brand == kScrollBrand)
        slot = kPriceBlock;
    return slot == 0 ? 0 : kOriginalPriceFiles + kPriceBlock * codePlace(refrigerant) + slot;
}

std::string priceFileName(int number) {
    return "Pricedata/mashine" + std::to_string(number) + ".dat";
}

}  // namespace tundrix
