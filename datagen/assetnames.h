// Names of the per-unit asset files. Unit names are Cyrillic and may be 50 characters long,
// while a stored path must fit a 50-character cell together with its folder, so file names are
// short Latin transliterations of the unit name.
#pragma once

#include <string>
#include <string_view>

namespace tundrix::datagen {

// Latin transliteration of UTF-8 text: Russian letters by the usual passport scheme, Latin
// letters and digits kept, every other run of characters becomes one "_" ("+" becomes "p" so
// "2+1" and "21" stay apart). Leading and trailing "_" are dropped.
std::string transliterate(std::string_view utf8);

// A file name stem of at most `maxLength` characters for a unit name: the transliteration, or,
// when that is too long or empty, its front followed by "_" and four hex digits of a hash of
// the whole name (so long names that share their front still differ).
std::string fileStemFor(std::string_view name, std::size_t maxLength);

// 32-bit FNV-1a hash; stable across runs and platforms (used to derive names and ids).
unsigned fnv1a(std::string_view bytes);

// A number in the general form the catalogue shows: at most 15 significant digits, trailing
// zeros dropped, decimal comma, no grouping ("0,12", "5,74", "12").
std::string commaNumber(double value);

}  // namespace tundrix::datagen
