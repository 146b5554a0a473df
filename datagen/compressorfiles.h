// The compressor and condenser files of the sample catalogue as images, before writing.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/byteimage.h"
#include "catalogue/coefimage.h"
#include "catalogue/records.h"
#include "datagen/compressormodel.h"
#include "datagen/compressors.h"
#include "datagen/compressorseries.h"
#include "datagen/pointchoice.h"
#include "engine/polyfit.h"

namespace tundrix::datagen {

// The four coefficient sets of one compressor and the ten points they were fitted through.
struct FittedCompressor {
    Poly10 capacity{}, power{}, current{}, fourth{};
    std::array<GridPoint, 10> points{};
};

// What goes into the fourth set of a brand: heat rejection (Bock), discharge temperature
// (Bitzer), nothing (Copeland Stream: the program then takes capacity + power).
enum class FourthSet { HeatRejection, DischargeTemperature, None };
FourthSet fourthSetOf(int brand);

// Fits the four sets of a compressor through the model at the ten points, in their order.
FittedCompressor fitCompressor(const CompressorModel& model, const std::array<GridPoint, 10>& at,
                               FourthSet fourth);

// Writes the four table blocks (capacity, power, heat rejection, current at columns 2, 32, 47,
// 62) of one compressor with corner row r0: condensing temperatures down the block's first
// column, evaporating temperatures along its first row, both on the 5 K grid over the
// envelope; points outside the envelope hold 0 (no data). Returns the number of rows used,
// including the two rows of the end marker.
int writeScrollBlocks(GridImage& image, int r0, const CompressorModel& model,
                      const Envelope& envelope);

struct CompressorFiles {
    CompressorCatalogue catalogue;
    std::vector<std::pair<std::string, std::unique_ptr<CoefImage>>> brandFiles;
    std::vector<std::pair<std::string, std::unique_ptr<GridImage>>> tables;
    std::vector<std::pair<std::string, std::unique_ptr<Comprprop>>> lists;
    std::unique_ptr<Condenserprop> condensers;
};

// Builds every image. Refrigerants without a fluid are left out (their brand file sections stay
// empty, their own coefficient and Scroll files are not made).
CompressorFiles buildCompressorFiles(const FluidSet& fluids);

// Writes a coefficient image: the shared brand files whole (four sections), a refrigerant's own
// coefficient file ("bock290.dat") as its one section of 70,800 bytes.
bool saveCoefficientFile(const CoefImage& image, const std::filesystem::path& file,
                         std::string* error);

}  // namespace tundrix::datagen
