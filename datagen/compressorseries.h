// What the sample catalogue offers: for every brand, level and refrigerant a series of invented
// compressor models of one design at several displacements, and the air-cooled condensers.
#pragma once

#include <string>
#include <vector>

#include "datagen/compressormodel.h"
#include "datagen/compressors.h"
#include "datagen/envelope.h"

namespace tundrix::datagen {

struct SeriesPlan {
    int brand = 0;
    int level = 0;
    int refrigerant = kDefaultRefrigerant;
    ModelParams params;
    Envelope envelope;
    std::vector<double> displacements;  // m3/h, ascending
};

// Every series of the catalogue, as the refrigerants' designs offer them (for the five: the
// polynomial brands for R404A/R507 low and middle, R22 all levels, R407C middle and high, R134a
// all levels; Copeland Scroll for exactly the combinations that have a table and list file).
// Ordered by brand, refrigerant, level, which is the order of the records in the brand files.
// A plan's re-expansion exponent may be 0: it is taken from the fluid (resolvedParams).
std::vector<SeriesPlan> seriesPlans();

// Invented model name of a compressor of the brand and level.
std::string modelName(int brand, int level, int refrigerant, double displacement);

// Copeland Scroll file names of a level and refrigerant; empty when there is no such pair.
std::string scrollTableFile(int level, int refrigerant);
std::string scrollListFile(int level, int refrigerant);

// The coefficient file of a polynomial brand for a refrigerant ("bock.dat", "bitzer.dat",
// "dwmcopeland.dat" for the five, "bock290.dat" and the like after them).
std::string brandFile(int brand, int refrigerant);

// The condenser range, ascending by capacity and numbered from 1.
std::vector<CatalogueCondenser> condenserRange();

}  // namespace tundrix::datagen
