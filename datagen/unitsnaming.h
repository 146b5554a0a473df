// How unit names are composed: the rule of the unit list editor's "Добавить" (level prefix,
// condenser code, "-", multiplier, compressor model, "П" after the prefix for Bock units) and the
// evaporator letters that chiller names end with.
#pragma once

#include <string>
#include <string_view>

namespace tundrix::datagen {

// The level prefix of a unit name: low "АНН", middle "АСН", high "AВH" (Latin A, Cyrillic В,
// Latin H: the editor writes these three bytes, a mix of both alphabets). Empty for other levels.
std::string_view levelPrefix(int level);

// The editor's name for `count` compressors of `model` with the condenser code `pol`:
// prefix + pol + "-" + multiplier + model, where the multiplier is empty for one compressor and
// "<count>x" otherwise, and Bock units (brand 1) get "П" right after the prefix. Empty when the
// level has no prefix (the editor writes no name without a level).
std::string composeUnitName(int level, int brand, std::string_view pol, int count,
                            std::string_view model);

// Evaporator type letters that end a chiller's name: plate "М"/"M", shell-and-tube "К"/"K",
// submerged "В"/"B" (each in its Cyrillic and its Latin form).
enum class EvaporatorLetter {
    None,
    PlateCyr,
    PlateLat,
    ShellCyr,
    ShellLat,
    SubmergedCyr,
    SubmergedLat
};

// The letter as UTF-8 text; empty for None.
std::string_view evaporatorLetterText(EvaporatorLetter letter);

// True when the last character of a UTF-8 name is one of the six evaporator letters, which is
// what makes the loader treat a chiller as having an evaporator of that type.
bool endsWithEvaporatorLetter(std::string_view name);

}  // namespace tundrix::datagen
