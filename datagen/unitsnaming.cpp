#include "datagen/unitsnaming.h"

#include <array>

namespace tundrix::datagen {

std::string_view levelPrefix(int level) {
    switch (level) {
        case 1:
            return "АНН";
        case 2:
            return "АСН";
        case 3:
            return "A\u0412H";  // Latin A, Cyrillic Ve, Latin H
        default:
            return "";
    }
}

std::string composeUnitName(int level, int brand, std::string_view pol, int count,
                            std::string_view model) {
    const std::string_view prefix = levelPrefix(level);
    if (prefix.empty())
        return "";
    std::string name(prefix);
    if (brand == 1)
        name += "П";
    name += pol;
    name += '-';
    if (count != 1)
        name += std::to_string(count) + "x";
    name += model;
    return name;
}

std::string_view evaporatorLetterText(EvaporatorLetter letter) {
    switch (letter) {
        case EvaporatorLetter::None:
            return "";
        case EvaporatorLetter::PlateCyr:
            return "М";
        case EvaporatorLetter::PlateLat:
            return "M";
        case EvaporatorLetter::ShellCyr:
            return "К";
        case EvaporatorLetter::ShellLat:
            return "K";
        case EvaporatorLetter::SubmergedCyr:
            return "В";
        case EvaporatorLetter::SubmergedLat:
            return "B";
    }
    return "";
}

bool endsWithEvaporatorLetter(std::string_view name) {
    static constexpr std::array<std::string_view, 6> kLetters = {"М", "M", "К", "K", "В", "B"};
    for (std::string_view letter : kLetters) {
        if (name.size() >= letter.size() && name.substr(name.size() - letter.size()) == letter)
            return true;
    }
    return false;
}

}  // namespace tundrix::datagen
