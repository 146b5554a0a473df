#include "datagen/unitsprices.h"

#include <cmath>

namespace tundrix::datagen {
namespace {

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
