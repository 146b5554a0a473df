// The calculation file (.tundrix): a calculation as a UTF-8 JSON document named by its format and
// version, written atomically, and read back with every value checked, so that a damaged file
// or one of another program or a newer version is refused with the reason instead of half
// restored. The layout is described in the README so that other programs can write such files.
#pragma once

#include <cstddef>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "calculation/calculation.h"
#include "calculation/jsontext.h"

namespace tundrix {

inline constexpr std::string_view kCalculationFormat = "tundrix-calculation";
// Version 2 names refrigerants by caption where version 1 gave the selector's index; both are
// read.
inline constexpr int kCalculationVersion = 2;
inline constexpr std::string_view kCalculationExtension = ".tundrix";

// A calculation nests four levels deep; a document nested deeper than this is no calculation and
// is refused while it is parsed, before anything walks it.
inline constexpr int kCalculationMaxDepth = 64;
// Rows a calculation's basket may hold: a file with more is refused, and such a basket is not
// saved (it could not be opened again).
inline constexpr std::size_t kCalculationMaxBasketRows = 1000;

Json calculationJson(const Calculation& calculation);

// The calculation in a document, or none with the reason (in Russian, for the user) in `error`.
std::optional<Calculation> calculationFromJson(const Json& document, std::string& error);
std::optional<Calculation> parseCalculation(std::string_view text, std::string& error);

// Writes the file through the catalogue's atomic writer: a failed save leaves the previous file
// whole. False with the reason in `error`.
bool saveCalculation(const std::filesystem::path& file, const Calculation& calculation,
                     std::string& error);
std::optional<Calculation> loadCalculation(const std::filesystem::path& file, std::string& error);

// Local date and time as the file records it, "2025-03-01T10:15:00".
std::string localDateTime(std::time_t when);

}  // namespace tundrix
