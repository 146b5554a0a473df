// The unit list editor's radio groups and chiller type selector as plain values, and the names
// that follow from them: the unit list file, the technical-data table and the price file number.
#pragma once

#include <string>

namespace tundrix {

// "Вид машины". GlcuButton is the separate "ГЛЦУ" button, which names no file part of its own.
enum class EditorKind { None, Out, Agr, Chiller, GlcuButton, Mka };
// "Марка компрессора": Copeland (scroll), Bock, bitzer, dwmcop (Copeland Stream).
enum class EditorBrand { None, Copeland, Bock, Bitzer, Dwmcop };

struct EditorChoices {
    EditorKind kind = EditorKind::Out;
    int chillerType = 0;  // ComboBox1 index: 0 ГЛЦО, 1 ГЛЦУ, 2 ГЛЦР, 3 ГЛЦК, 4 ОВ, 5 ОС, 6 ОН
    EditorBrand brand = EditorBrand::None;
    int level = 0;         // 0 none chosen, 1 low, 2 middle, 3 high
    int refrigerant = -1;  // -1 none chosen, else the index of the refrigerant table
};

// Kind + brand + level + refrigerant, e.g. "outbocklow404a.dat", "agrlow22.dat". A group with no
// choice adds nothing.
std::string unitListFileName(const EditorChoices& c);

// The kind part alone; the ОН chillers' table is "ol", although their files say "on".
std::string techDataTableName(const EditorChoices& c);

// The number N of the price file "Pricedata/mashineN.dat" for the choices; 0 when none belongs
// to them. Rules are tried in a fixed order and a later match replaces an earlier one.
int priceFileNumber(const EditorChoices& c);

}  // namespace tundrix
