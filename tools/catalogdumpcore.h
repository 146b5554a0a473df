// Reading any catalogue file into a plain table for inspection (tundrix-cli dump): the kind of
// file is found from its name and size, and the file is read through the same image classes the
// program uses.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace tundrix {

enum class CatalogFileKind {
    UnitList,           // agrdata/*.dat, 317,781 bytes
    CompressorList,     // catal*.dat, 15,104 bytes
    CondenserList,      // condensators.dat, 13,008 bytes
    BrandCoefficients,  // bock.dat, bitzer.dat, dwmcopeland.dat, 283,200 bytes (bock290.dat and
                        // the like: one section, 70,800 bytes)
    PerformanceTable,   // mass*.dat of the Copeland Scroll compressors, 2,000,000 bytes
    PropertyImage,      // mass404a.dat, mass22.dat, ..., mass290.dat (refrigerant properties)
    PriceFile,          // Pricedata/mashineN.dat, 264,800 bytes
};

const char* catalogFileKindName(CatalogFileKind kind);

// The kind from the file name (and its folder for unit lists) when the size fits that layout (a
// shorter file is read as the program reads it, the rest counting as zero); otherwise from an
// exact layout size alone. nullopt when neither tells.
std::optional<CatalogFileKind> detectCatalogFileKind(const std::filesystem::path& file,
                                                     std::uintmax_t size);

struct DumpCell {
    std::string text;
    bool number = false;   // text is a number (integers as such, reals with 17 significant digits)
    bool integer = false;  // the number is an integer
    double value = 0;      // the number
};

struct CatalogDump {
    CatalogFileKind kind{};
    std::vector<std::pair<std::string, DumpCell>> summary;  // e.g. count, option names
    std::vector<std::string> columns;
    std::vector<std::vector<DumpCell>> rows;
};

// Reads and tabulates the file. False with the reason in `error` when it cannot be read or its
// kind cannot be told.
bool dumpCatalogFile(const std::filesystem::path& file, CatalogDump& out, std::string& error);

// A real with 17 significant digits, "." as the decimal point, so that it reads back exactly;
// empty when it is not finite.
std::string dumpReal(double v);

// CSV: the summary as "# name: value" lines, then a heading line and one line per row. (The
// JSON form is a document of the command line: cli/documents.h.)
void writeDumpCsv(const CatalogDump& dump, std::ostream& out);

}  // namespace tundrix
