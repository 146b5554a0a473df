// The sample unit lists: for every kind of unit, brand, temperature level and refrigerant that the
// catalogue offers, the rows a maintainer would have composed in the unit list editor from the
// sample compressors and condensers, with prices and options.
//
// Which combinations exist follows the price files: a kind, level and brand get unit lists
// exactly when the price filling has a price file for them. One price file serves the lists of
// several refrigerants (and, for "middle or high", of two levels), and the price filling copies
// it into a list row by row, so all lists served by one price file must hold the same units in
// the same order. We resolve that as follows:
//  - the lists of one price file are built from one row design: the compressor models that all
//    its refrigerants offer (a refrigerant whose compressors share too few models with the first
//    one gets no list), the same condenser and the same price; only the compressor numbers
//    (column 3) differ, since each refrigerant's compressor data number their models apart;
//  - where a price file covers "middle or high", only the middle level gets a list, so that one
//    unit never appears twice when a selection covers both levels.
// Unit names are unique within a kind (its technical data and drawings are found by name); a
// design whose name another unit of the kind already carries is left out. Since the editor's
// name shows only the first compressor type and its count, a kind has at most a few names per
// compressor model and condenser. Condensing units are offered with several condensers each and
// so are the largest kind: about 900 units of one refrigerant over all brands and levels, close
// to the 1000 the loader takes; a list holds at most 200.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "catalogue/choices.h"
#include "datagen/compressors.h"
#include "datagen/unitsnaming.h"
#include "datagen/unitsprices.h"

namespace tundrix::datagen {

// One unit list row. Cells are UTF-8; the file paths (columns 7, 8, 9, 11, 23) are filled when
// the unit's assets are registered.
struct UnitRow {
    std::string name;             // column 0
    std::string compressors;      // column 1: model, or "model1+model2"
    std::string condenser;        // column 2: condenser name, or "Нет конденсатора"
    std::string compressorIndex;  // column 3: number, or "n1+n2"
    std::string condenserIndex;   // column 4: entry of condensators.dat, "0" without condenser
    std::string compressorCount;  // column 5: count, or "c1+c2"
    std::string condenserCount;   // column 6: "0" without condenser
    std::string imagepath;        // column 7
    std::string complectpath;     // column 8
    std::string techdata;         // column 9
    std::string price;            // column 10
    std::string picturepath;      // column 11
    std::array<std::string, kOptionSlots> optionPrices;  // columns 12..22
    std::string textpath;                                // column 23

    // What the row was composed from (for the assets and the checks).
    CatalogueCompressor compressor1;
    int count1 = 1;
    CatalogueCompressor compressor2;  // empty name: no second compressor type
    int count2 = 0;
    CatalogueCondenser condenserData;  // index 0: no condenser
    int condenserUnits = 0;
    EvaporatorLetter letter = EvaporatorLetter::None;
    // The rated point of the unit: the compressors' rating point of the level.
    double ratedTo = 0, ratedTc = 0;
};

struct UnitList {
    UnitKind kind = UnitKind::None;
    int brand = 0;
    int level = 0;
    int refrigerant = kDefaultRefrigerant;
    int priceFile = 0;     // N of Pricedata/mashineN.dat
    std::string fileName;  // name inside agrdata/
    std::array<std::string, kOptionSlots> optionNames;
    std::vector<UnitRow> rows;
};

struct UnitCatalogue {
    std::vector<UnitList> lists;

    // Units of a kind over all brands and levels for one refrigerant.
    int unitCount(UnitKind kind, int refrigerant) const;
};

// Units with an air-cooled condenser: condensing units and the ГЛЦ chillers.
bool kindHasCondenser(UnitKind kind);

// The condenser's temperature difference (K) when `units` condensers of `capacity` kW (rated at
// 15 K) reject `heat` kW of a refrigerant: the balance the selection runs against the ambient,
// with the refrigerant's condenser factor (datagen/condenserfactor.h).
double condenserDelta(double heat, double capacity, int units, int refrigerant);

// True when (to, tc) lies inside or on the envelope (six corners counter-clockwise).
bool insideEnvelope(const EnvelopeCorners& corners, double to, double tc);

// Composes every unit list from the sample compressors and condensers. Deterministic.
UnitCatalogue composeUnitLists(const CompressorCatalogue& compressors);

}  // namespace tundrix::datagen
