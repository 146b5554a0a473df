#include "catalogue/unitlistparse.h"

#include <array>
#include <cstdint>
#include <limits>

namespace tundrix {
namespace {

struct Split {
    std::string_view before;
    std::string_view after;
};

std::optional<Split> splitAtPlus(std::string_view text) {
    const auto plus = text.find('+');
    if (plus == std::string_view::npos)
        return std::nullopt;
    return Split{text.substr(0, plus), text.substr(plus + 1)};
}

}  // namespace

std::optional<int> parseCellInteger(std::string_view text) {
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::int64_t(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return std::nullopt;
    return int(value);
}

int cellInteger(std::string_view text, int fallback) {
    return parseCellInteger(text).value_or(fallback);
}

CompressorCells parseCompressorCells(std::string_view indexCell, std::string_view countCell) {
    CompressorCells c;
    if (const auto idx = splitAtPlus(indexCell)) {
        c.indcompr = cellInteger(idx->before, 0);
        c.indcompr2 = cellInteger(idx->after, 0);
        if (const auto cnt = splitAtPlus(countCell)) {
            c.ncompressor = cellInteger(cnt->before, 0);
            c.ncompressor2 = cellInteger(cnt->after, 0);
        } else {
            // No "+" in the count cell: the whole cell is the part before it, nothing after.
            c.ncompressor = cellInteger(countCell, 0);
            c.ncompressor2 = 0;
        }
    } else {
        c.indcompr = cellInteger(indexCell, 0);
        c.ncompressor = cellInteger(countCell, 1);
    }
    return c;
}

int parseCondenserCount(std::string_view cell) {
    return cellInteger(cell, 1);
}

int rackCompressorTotal(std::string_view countCell) {
    if (const auto cnt = splitAtPlus(countCell))
        return cellInteger(cnt->before, 0) + cellInteger(cnt->after, 0);
    return cellInteger(countCell, 0);
}

std::string lastCharacter(std::string_view utf8) {
    if (utf8.empty())
        return "";
    std::size_t start = utf8.size() - 1;
    // Step back over continuation bytes (at most three) to the lead byte.
    while (start > 0 && utf8.size() - start < 4 && (std::uint8_t(utf8[start]) & 0xC0) == 0x80)
        --start;
    return std::string(utf8.substr(start));
}

bool endsInExchangerLetter(std::string_view name) {
    static constexpr std::array<std::string_view, 6> kLetters = {"К", "K", "В", "B", "М", "M"};
    const std::string last = lastCharacter(name);
    for (const auto l : kLetters)
        if (last == l)
            return true;
    return false;
}

}  // namespace tundrix
