#include "basket/basketcsv.h"

namespace tundrix {

namespace {

void field(std::string& out, const std::string& text) {
    if (text.find_first_of(";\"\r\n") == std::string::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    out += '"';
}

void line(std::string& out, const Basket::Row& cells) {
    for (std::size_t c = 0; c < cells.size(); ++c) {
        if (c)
            out += ';';
        field(out, cells[c]);
    }
    out += "\r\n";
}

}  // namespace

std::string basketCsv(const Basket& basket) {
    std::string out = "\xEF\xBB\xBF";
    line(out, Basket::headings());
    for (int r = 1; r < basket.rowCount(); ++r) {
        if (!basket.isItem(r))
            continue;
        Basket::Row cells;
        for (int c = 0; c < Basket::kColumns; ++c)
            cells[std::size_t(c)] = basket.cell(c, r);
        line(out, cells);
    }
    line(out, {std::string(kBasketTotalCaption), "", "", "", basket.total()});
    return out;
}

}  // namespace tundrix
