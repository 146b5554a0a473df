#include "catalogue/refrigerants.h"

namespace tundrix {

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
