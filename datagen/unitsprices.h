// Which price file serves a unit list, and the sample prices: unit prices and the options
// (columns 12..22 of a unit list, option slots 1..11 of a price file) of each kind of unit.
#pragma once

#include <array>
#include <string>

#include "catalogue/choices.h"

namespace tundrix::datagen {

inline constexpr int kPriceFiles = 44;
inline constexpr int kOptionSlots = 11;

// Number N of "Pricedata/mashineN.dat" for a kind, level (1..3), brand (1..4) and refrigerant
// (0..4), as the price filling of the unit list editor chooses it: the rules are tried in order
// and a later match replaces an earlier one; 0 when no price file belongs to the combination.
int priceFileNumber(UnitKind kind, int level, int brand, int refrigerant);

// "Pricedata/mashineN.dat", relative to the data folder.
std::string priceFileName(int number);

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
