// The JSON documents tundrix-cli prints, as values: the command line writes them through the
// program's one writer (calculation/jsontext.h), and another program that answers "as
// tundrix-cli prints it" (the selection service) builds the same documents by the same calls.
#pragma once

#include "calculation/jsontext.h"

namespace tundrix {
struct CatalogDump;
}

namespace tundrix::cli {

struct SelectionRun;

// `select`: count, cursor, hidden, label, model, message, the correction factors, the headings
// and every row (numbers at full precision, null where the grid shows nothing, and the grid's
// six texts).
Json selectionDocument(const SelectionRun& run);

// `refrigerants`: the refrigerant table, one object an entry.
Json refrigerantsDocument();

// The members that name refrigerant `r` in a document: its index, code and caption.
void nameRefrigerant(Json& doc, int r);

// `dump`: kind, summary, columns and rows of a catalogue file; its reals are meant to be written
// with every digit (JsonReals::Digits17).
Json dumpDocument(const CatalogDump& dump);

}  // namespace tundrix::cli
