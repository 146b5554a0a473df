#include "datagen/assetnames.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace tundrix::datagen {
namespace {

// Russian letters U+0410..U+044F in alphabet order (upper case first); Ё/ё handled apart.
constexpr std::array<const char*, 32> kLower = {
    "a", "b", "v", "g", "d", "e",  "zh", "z",  "i",  "y",    "k", "l", "m", "n", "o",  "p",
    "r", "s", "t", "u", "f", "kh", "ts", "ch", "sh", "shch", "",  "y", "",  "e", "yu", "ya"};

// Decodes one UTF-8 code point at text[i]; advances i. Invalid bytes give U+FFFD.
char32_t nextCodePoint(std::string_view text, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    auto cont = [&](std::size_t k) -> int {
        if (i + k >= text.size())
            return -1;
        const auto b = static_cast<unsigned char>(text[i + k]);
        return (b & 0xC0u) == 0x80u ? (b & 0x3F) : -1;
    };
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    if ((b0 & 0xE0u) == 0xC0u) {
        const int c1 = cont(1);
        if (c1 >= 0) {
            i += 2;
            return static_cast<char32_t>(((b0 & 0x1Fu) << 6) | static_cast<unsigned>(c1));
        }
    } else if ((b0 & 0xF0u) == 0xE0u) {
        const int c1 = cont(1);
        const int c2 = cont(2);
        if (c1 >= 0 && c2 >= 0) {
            i += 3;
            return static_cast<char32_t>(((b0 & 0x0Fu) << 12) | (static_cast<unsigned>(c1) << 6) |
                                         static_cast<unsigned>(c2));
        }
    } else if ((b0 & 0xF8u) == 0xF0u) {
        const int c1 = cont(1);
        const int c2 = cont(2);
        const int c3 = cont(3);
        if (c1 >= 0 && c2 >= 0 && c3 >= 0) {
            i += 4;
            return static_cast<char32_t>(((b0 & 0x07u) << 18) | (static_cast<unsigned>(c1) << 12) |
                                         (static_cast<unsigned>(c2) << 6) |
                                         static_cast<unsigned>(c3));
        }
    }
    ++i;
    return 0xFFFD;
}

}  // namespace

std::string transliterate(std::string_view utf8) {
    std::string out;
    bool pendingGap = false;
    // Not "emit": the Qt headers, precompiled for this library, make that word a macro.
    auto put = [&](std::string_view piece) {
        if (piece.empty())
            return;
        if (pendingGap && !out.empty())
            out += '_';
        pendingGap = false;
        out += piece;
    };
    std::size_t i = 0;
    while (i < utf8.size()) {
        const char32_t c = nextCodePoint(utf8, i);
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.') {
            const char ch = static_cast<char>(c);
            put(std::string_view(&ch, 1));
        } else if (c >= 'A' && c <= 'Z') {
            const char ch = static_cast<char>(c);
            put(std::string_view(&ch, 1));
        } else if (c == '+') {
            put("p");
        } else if (c >= 0x0410 && c <= 0x042F) {
            std::string up = kLower[c - 0x0410];
            if (!up.empty())
                up[0] = static_cast<char>(up[0] - 'a' + 'A');
            put(up);
        } else if (c >= 0x0430 && c <= 0x044F) {
            put(kLower[c - 0x0430]);
        } else if (c == 0x0401) {
            put("Yo");
        } else if (c == 0x0451) {
            put("yo");
        } else {
            pendingGap = true;
        }
    }
    // A name ending in "." would make an odd file name ("a..pdf"); dots inside are harmless.
    while (!out.empty() && (out.back() == '.' || out.back() == '-'))
        out.pop_back();
    return out;
}

unsigned fnv1a(std::string_view bytes) {
    unsigned h = 2166136261u;
    for (const char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    return h;
}

std::string fileStemFor(std::string_view name, std::size_t maxLength) {
    std::string stem = transliterate(name);
    if (!stem.empty() && stem.size() <= maxLength)
        return stem;
    char tag[8];
    std::snprintf(tag, sizeof tag, "%04x", fnv1a(name) & 0xFFFFu);
    const std::size_t keep = maxLength > 5 ? maxLength - 5 : 0;
    if (stem.size() > keep)
        stem.resize(keep);
    while (!stem.empty() && (stem.back() == '_' || stem.back() == '.'))
        stem.pop_back();
    return stem.empty() ? std::string("u") + tag : stem + "_" + tag;
}

std::string commaNumber(double value) {
    if (!std::isfinite(value))
        return {};
    if (value == 0)
        return "0";  // also turns -0 into "0"
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    std::string s = buf;
    for (char& c : s) {
        if (c == '.')
            c = ',';
    }
    return s;
}

}  // namespace tundrix::datagen
