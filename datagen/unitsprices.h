// The sample prices: unit prices and the options (columns 12..22 of a unit list, option slots
// 1..11 of a price file) of each kind of unit. Which price file serves a list is
// catalogue/pricenumbers.h.
#pragma once

#include <array>
#include <string>

#include "catalogue/choices.h"
#include "catalogue/pricenumbers.h"

namespace tundrix::datagen {

inline constexpr int kOptionSlots = 11;

// The option names of a kind (row 0 of columns 12..22); unused slots are empty and come last.
std::array<std::string, kOptionSlots> optionNames(UnitKind kind);

// What a unit's price depends on.
struct PriceBasis {
    UnitKind kind = UnitKind::None;
    int brand = 0;
    int compressors = 1;           // all compressors of the unit
    double capacity = 0;           // rated cooling capacity, kW
    double condenserCapacity = 0;  // all condensers, kW at 15 K; 0 without condenser
};

// Unit price in EUR as decimal text (whole euros).
std::string unitPrice(const PriceBasis& basis);

// Option prices in EUR as decimal text, slot by slot; empty where the kind has no option.
std::array<std::string, kOptionSlots> optionPrices(const PriceBasis& basis);

}  // namespace tundrix::datagen
