#include "datagen/unittexts.h"

#include "catalogue/cp1251.h"
#include "datagen/assetnames.h"

#include <cmath>

namespace tundrix::datagen {
namespace {

std::string joined(const std::vector<std::string>& items, const char* separator) {
    std::string out;
    for (const auto& item : items) {
        if (!out.empty())
            out += separator;
        out += item;
    }
    return out;
}

std::string rounded1(double v) {
    return commaNumber(std::round(v * 10) / 10);
}

std::string levelText(int level) {
    switch (level) {
        case 1:
            return "низкотемпературный";
        case 2:
            return "среднетемпературный";
        case 3:
            return "высокотемпературный";
        default:
            return {};
    }
}

std::string compressorLine(const AssetUnit& u) {
    std::string s = u.compressor1.empty() ? std::string("—") : u.compressor1;
    s += " — " + std::to_string(std::max(u.count1, 1)) + " шт.";
    if (!u.compressor2.empty() && u.count2 > 0)
        s += "; " + u.compressor2 + " — " + std::to_string(u.count2) + " шт.";
    return s;
}

}  // namespace

std::string kindTitle(const std::string& kindCode) {
    if (kindCode == "out")
        return "Компрессорно-конденсаторный агрегат";
    if (kindCode == "agr")
        return "Компрессорно-ресиверный агрегат";
    if (kindCode == "mka")
        return "Многокомпрессорный агрегат";
    if (kindCode == "glco")
        return "Водоохлаждающая установка ГЛЦО";
    if (kindCode == "glcu")
        return "Водоохлаждающая установка ГЛЦУ";
    if (kindCode == "glcr")
        return "Водоохлаждающая установка ГЛЦР";
    if (kindCode == "glck")
        return "Водоохлаждающая установка ГЛЦК";
    if (kindCode == "ov")
        return "Водоохлаждающая установка ОВ";
    if (kindCode == "os")
        return "Водоохлаждающая установка ОС";
    if (kindCode == "on")
        return "Водоохлаждающая установка ОН";
    return "Холодильный агрегат";
}

std::string descriptionText(const AssetUnit& u, const UnitGeometry& g) {
    const bool condenser = g.hasCondenser;
    std::string t;
    t += kindTitle(u.kindCode) + " " + u.name + "\n\n";
    std::string purpose;
    switch (g.family) {
        case UnitFamily::Condensing:
            purpose =
                "Агрегат предназначен для работы с воздухоохладителями холодильных камер "
                "и технологического оборудования. Компрессоры и конденсатор с осевыми "
                "вентиляторами смонтированы на общей раме.";
            break;
        case UnitFamily::Receiver:
            purpose =
                "Агрегат предназначен для работы с выносным конденсатором воздушного "
                "охлаждения. Компрессоры установлены на горизонтальном линейном "
                "ресивере.";
            break;
        case UnitFamily::Rack:
            purpose =
                "Агрегат предназначен для централизованного холодоснабжения нескольких "
                "потребителей. Компрессоры работают на общие всасывающий и нагнетательный "
                "коллекторы, производительность регулируется ступенями включением "
                "компрессоров.";
            break;
        case UnitFamily::Chiller:
            purpose =
                "Установка предназначена для охлаждения воды или растворов гликолей в "
                "системах кондиционирования и технологического охлаждения. Испаритель "
                "кожухотрубный, в тепловой изоляции.";
            break;
    }
    t += purpose + "\n\n";
    const std::string level = levelText(u.level);
    if (!level.empty())
        t += "Температурный режим: " + level + ".\n";
    if (!u.refrigerants.empty())
        t += "Хладагент: " + joined(u.refrigerants, ", ") + ".\n";
    t += "Компрессоры" + (u.brand.empty() ? std::string() : " " + u.brand) + ": " +
         compressorLine(u) + "\n";
    if (condenser) {
        t += "Конденсатор: " + u.condenser + " — " + std::to_string(u.condenserCount) +
             " шт., вентиляторов " + std::to_string(u.fans * u.condenserCount) + ".\n";
    } else {
        t += "Конденсатор выносной, в комплект не входит.\n";
    }
    if (u.capacity > 0)
        t += "Холодопроизводительность в номинальном режиме: " + rounded1(u.capacity) + " кВт.\n";
    if (u.power > 0)
        t += "Потребляемая мощность компрессоров: " + rounded1(u.power) + " кВт.\n";
    if (u.current > 0)
        t += "Рабочий ток компрессоров: " + rounded1(u.current) + " А.\n";
    t += "Электропитание: 50 Гц, 380 В, 3 фазы.\n";
    t += "Габаритные размеры (ДхШхВ): " + std::to_string(g.length) + "х" + std::to_string(g.depth) +
         "х" + std::to_string(g.height) + " мм.\n";
    t += "Масса: " + std::to_string(g.mass) + " кг.\n\n";
    t += "Агрегат поставляется заправленным азотом, испытанным на прочность и плотность.\n";
    return t;
}

std::string deliverySetText(const AssetUnit& u, const UnitGeometry& g) {
    std::string t = "Комплект поставки " + u.name + "\n\n";
    int n = 0;
    auto item = [&](const std::string& s) { t += std::to_string(++n) + ". " + s + "\n"; };
    item(kindTitle(u.kindCode) + " в сборе на раме — 1 шт.");
    item("Компрессоры: " + compressorLine(u) + " (установлены).");
    if (g.hasCondenser)
        item("Конденсатор " + u.condenser + " — " + std::to_string(u.condenserCount) +
             " шт. (установлен).");
    if (g.family == UnitFamily::Receiver || g.family == UnitFamily::Rack)
        item("Линейный ресивер с запорными вентилями — 1 шт.");
    if (g.family == UnitFamily::Chiller) {
        item("Кожухотрубный испаритель в изоляции — 1 шт.");
        item("Реле протока — 1 шт.");
    }
    item("Фильтр-осушитель и смотровое стекло на жидкостной линии.");
    item("Реле высокого и низкого давления.");
    if (g.hasPanel)
        item("Щит управления и автоматики — 1 шт.");
    item("Манометры высокого и низкого давления.");
    item("Виброопоры — " + std::to_string(4 + 2 * (g.compressors / 3)) + " шт.");
    item("Паспорт и руководство по эксплуатации.");
    t += "\nХладагент и масло для дозаправки в комплект поставки не входят.\n";
    return t;
}

std::string noDescriptionText() {
    return "Описание для этого агрегата отсутствует.\n";
}

std::string noDeliverySetText() {
    return "Комплект поставки для этого агрегата не указан.\n";
}

std::string textFileBytes(std::string_view utf8) {
    std::string crlf;
    crlf.reserve(utf8.size() + utf8.size() / 20);
    for (const char c : utf8) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    return utf8ToCp1251(crlf);
}

}  // namespace tundrix::datagen
