#include "datagen/unitsprices.h"

#include <cmath>

namespace tundrix::datagen {
namespace {

constexpr unsigned kLow = 1u << 1, kMiddle = 1u << 2, kHigh = 1u << 3;
constexpr unsigned kAnyRefrigerant = 0x1f;
constexpr unsigned refr(int index) {
    return 1u << index;
}

struct PriceRule {
    int number;
    UnitKind kind;
    unsigned levels;  // bit l for level l
    int brand;        // 1 Bock, 2 Copeland, 3 bitzer, 4 dwmcop
    unsigned refrigerants = kAnyRefrigerant;
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
    {43, UnitKind::Glco, kHigh, 2, refr(4)},
    {17, UnitKind::Glcu, kHigh, 1},
    {18, UnitKind::Glcu, kHigh, 2},
    {44, UnitKind::Glcu, kHigh, 2, refr(4)},
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
    {26, UnitKind::Out, kHigh, 2, refr(3)},
    {25, UnitKind::Out, kHigh, 2, refr(2) | refr(1)},
    {27, UnitKind::Out, kHigh, 2, refr(4)},
};

// Whole euros, rounded to 5 so that the list looks like a price list and not a formula.
std::string euros(double value) {
    const long rounded = std::lround(value / 5.0) * 5;
    return std::to_string(rounded);
}

double brandFactor(int brand) {
    switch (brand) {
        case 1:
            return 1.0;  // Bock
        case 2:
            return 0.85;  // Copeland Scroll
        case 3:
            return 1.25;  // Bitzer
        case 4:
            return 1.1;  // Copeland Stream
        default:
            return 1.0;
    }
}

}  // namespace

int priceFileNumber(UnitKind kind, int level, int brand, int refrigerant) {
    if (level < 1 || level > 3 || refrigerant < 0 || refrigerant > 4)
        return 0;
    int number = 0;
    for (const PriceRule& rule : kRules) {
        if (rule.kind == kind && (rule.levels & (1u << level)) && rule.brand == brand &&
            (rule.refrigerants & refr(refrigerant)))
            number = rule.number;
    }
    return number;
}

std::string priceFileName(int number) {
    return "Pricedata/mashine" + std::to_string(number) + ".dat";
}

std::array<std::string, kOptionSlots> optionNames(UnitKind kind) {
    switch (kind) {
        case UnitKind::Out:
            return {"Регулятор давления конденсации",
                    "Зимний пуск",
                    "Подогрев картера",
                    "Реле контроля фаз",
                    "Манометры",
                    "Виброопоры",
                    "Шумоизоляция компрессора",
                    "Электрощит с автоматикой",
                    "",
                    "",
                    ""};
        case UnitKind::Agr:
            return {"Отделитель жидкости",
                    "Подогрев картера",
                    "Реле контроля фаз",
                    "Манометры",
                    "Виброопоры",
                    "Ресивер увеличенного объёма",
                    "Электрощит с автоматикой",
                    "",
                    "",
                    "",
                    ""};
        case UnitKind::Mka:
            return {"Частотный преобразователь",
                    "Регулятор производительности",
                    "Отделитель жидкости",
                    "Маслоотделитель",
                    "Ресивер увеличенного объёма",
                    "Электрощит с контроллером",
                    "Реле контроля фаз",
                    "Виброопоры",
                    "Запорные вентили",
                    "",
                    ""};
        case UnitKind::Glco:
        case UnitKind::Glcu:
        case UnitKind::Glcr:
        case UnitKind::Glck:
            return {"Насосная группа",
                    "Бак-аккумулятор",
                    "Реле протока",
                    "Регулятор давления конденсации",
                    "Зимний пуск",
                    "Электрощит с контроллером",
                    "Виброопоры",
                    "Манометры",
                    "",
                    "",
                    ""};
        case UnitKind::Ov:
        case UnitKind::Os:
        case UnitKind::On:
            return {"Насосная группа",
                    "Бак-аккумулятор",
                    "Реле протока",
                    "Электрощит с контроллером",
                    "Виброопоры",
                    "Манометры",
                    "",
                    "",
                    "",
                    "",
                    ""};
        case UnitKind::None:
            break;
    }
    return {};
}

std::string unitPrice(const PriceBasis& b) {
    double base = 0;
    switch (b.kind) {
        case UnitKind::Out:
            base = 900;
            break;
        case UnitKind::Agr:
            base = 700;
            break;
        case UnitKind::Mka:
            base = 3500;
            break;
        case UnitKind::Glco:
        case UnitKind::Glcu:
        case UnitKind::Glcr:
        case UnitKind::Glck:
            base = 4800;
            break;
        case UnitKind::Ov:
        case UnitKind::Os:
        case UnitKind::On:
            base = 3200;
            break;
        case UnitKind::None:
            break;
    }
    const double q = std::max(b.capacity, 0.0);
    double price = base + 160.0 * std::pow(q, 0.85) * brandFactor(b.brand) +
                   450.0 * std::max(b.compressors - 1, 0);
    if (b.condenserCapacity > 0)
        price += 30.0 * std::pow(b.condenserCapacity, 0.9);
    return euros(price);
}

std::array<std::string, kOptionSlots> optionPrices(const PriceBasis& b) {
    const std::array<std::string, kOptionSlots> names = optionNames(b.kind);
    const double q = std::max(b.capacity, 0.0);
    const int n = std::max(b.compressors, 1);
    std::array<std::string, kOptionSlots> prices{};
    for (int i = 0; i < kOptionSlots; ++i) {
        const std::string& name = names[std::size_t(i)];
        if (name.empty())
            continue;
        double p = 0;
        if (name == "Регулятор давления конденсации")
            p = 140 + 3.0 * q;
        else if (name == "Зимний пуск")
            p = 260 + 4.0 * q;
        else if (name == "Подогрев картера")
            p = 45.0 * n;
        else if (name == "Реле контроля фаз")
            p = 85;
        else if (name == "Манометры")
            p = 60 + 10.0 * n;
        else if (name == "Виброопоры")
            p = 40 + 15.0 * n;
        else if (name == "Шумоизоляция компрессора")
            p = 120.0 * n + 1.5 * q;
        else if (name == "Электрощит с автоматикой")
            p = 380 + 90.0 * n + 2.0 * q;
        else if (name == "Отделитель жидкости")
            p = 110 + 2.5 * q;
        else if (name == "Ресивер увеличенного объёма")
            p = 150 + 3.0 * q;
        else if (name == "Частотный преобразователь")
            p = 900 + 25.0 * q / n;
        else if (name == "Регулятор производительности")
            p = 320 + 40.0 * n;
        else if (name == "Маслоотделитель")
            p = 260 + 2.0 * q;
        else if (name == "Электрощит с контроллером")
            p = 1200 + 150.0 * n + 3.0 * q;
        else if (name == "Запорные вентили")
            p = 55.0 * n;
        else if (name == "Насосная группа")
            p = 700 + 12.0 * q;
        else if (name == "Бак-аккумулятор")
            p = 450 + 8.0 * q;
        else if (name == "Реле протока")
            p = 95;
        prices[std::size_t(i)] = euros(p);
    }
    return prices;
}

}  // namespace tundrix::datagen
