#include "catalogue/pricenumbers.h"

namespace tundrix {
namespace {

constexpr unsigned kLow = 1u << 1, kMiddle = 1u << 2, kHigh = 1u << 3;

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
    {1, UnitKind::Agr, kLow, 1},
    {2, UnitKind::Agr, kMiddle | kHigh, 1},
    {3, UnitKind::Agr, kLow, 2},
    {4, UnitKind::Agr, kMiddle, 2},
    {5, UnitKind::Agr, kHigh, 2},
    {6, UnitKind::Agr, kLow, 3},
    {7, UnitKind::Agr, kMiddle, 3},
    {40, UnitKind::Agr, kLow, 4},
    {39, UnitKind::Agr, kMiddle | kHigh, 4},
    {8, UnitKind::Mka, kLow, 1},
    {9, UnitKind::Mka, kMiddle | kHigh, 1},
    {10, UnitKind::Mka, kLow, 2},
    {11, UnitKind::Mka, kMiddle, 2},
    {12, UnitKind::Mka, kHigh, 2},
    {13, UnitKind::Mka, kLow, 3},
    {14, UnitKind::Mka, kMiddle, 3},
    {42, UnitKind::Mka, kLow, 4},
    {41, UnitKind::Mka, kMiddle | kHigh, 4},
    {15, UnitKind::Glco, kHigh, 1},
    {16, UnitKind::Glco, kHigh, 2},
    {43, UnitKind::Glco, kHigh, 2, refr("410a")},
    {17, UnitKind::Glcu, kHigh, 1},
    {18, UnitKind::Glcu, kHigh, 2},
    {44, UnitKind::Glcu, kHigh, 2, refr("410a")},
    {19, UnitKind::Glcr, kHigh, 2},
    {20, UnitKind::Glck, kHigh, 2},
    {28, UnitKind::Ov, kHigh, 2},
    {29, UnitKind::Ov, kHigh, 1},
    {30, UnitKind::Ov, kHigh, 4},
    {31, UnitKind::Ov, kHigh, 3},
    {32, UnitKind::Os, kMiddle, 2},
    {33, UnitKind::Os, kMiddle, 1},
    {34, UnitKind::Os, kMiddle, 4},
    {35, UnitKind::Os, kMiddle, 3},
    {36, UnitKind::On, kLow, 2},
    {37, UnitKind::On, kLow, 1},
    {38, UnitKind::On, kLow, 4},
    {22, UnitKind::Out, kLow, 1},
    {21, UnitKind::Out, kMiddle, 1},
    {24, UnitKind::Out, kLow, 2},
    {23, UnitKind::Out, kMiddle, 2},
    {26, UnitKind::Out, kHigh, 2, refr("134a")},
    {25, UnitKind::Out, kHigh, 2, refr("407c") | refr("22")},
    {27, UnitKind::Out, kHigh, 2, refr("410a")},
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
