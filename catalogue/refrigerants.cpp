#include "catalogue/refrigerants.h"

#include <cctype>

namespace tundrix {

namespace {

bool sameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

std::optional<int> refrigerantByName(std::string_view name) {
    if (!name.empty() && name.size() <= 3 &&
        name.find_first_not_of("0123456789") == std::string_view::npos) {
        const int r = std::stoi(std::string(name));
        return validRefrigerant(r) ? std::optional<int>(r) : std::nullopt;
    }
    const bool prefixed = !name.empty() && (name[0] == 'R' || name[0] == 'r');
    for (int r = 0; r < kRefrigerants; ++r) {
        const Refrigerant& e = refrigerantEntry(r);
        if (sameLetters(name, e.caption) || sameLetters(name, e.code) ||
            (prefixed && sameLetters(name.substr(1), e.code)))
            return r;
    }
    return std::nullopt;
}

std::string refrigerantNames() {
    std::string text;
    for (int r = 0; r < kRefrigerants; ++r) {
        const Refrigerant& e = refrigerantEntry(r);
        text += (r ? ", " : "") + std::to_string(r) + " " + std::string(e.caption) + " (" +
                std::string(e.code) + ")";
    }
    return text;
}

bool flammable(const Refrigerant& r) {
    return r.safetyClass.size() >= 2 && r.safetyClass[1] != '1';
}

std::string gwpText(const Refrigerant& r) {
    std::string text = std::to_string(r.gwp[0]);
    if (r.gwp[1] != 0)
        text += "/" + std::to_string(r.gwp[1]);
    return text;
}

std::string safetyText(const Refrigerant& r) {
    std::string text = std::string(r.safetyClass) + ", ПГП " + gwpText(r);
    if (flammable(r))
        text += ", горючий";
    return text;
}

}  // namespace tundrix
