#include "calculation/jsontext.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "catalogue/cp1251.h"

namespace tundrix {

namespace {

// The document is written into one string, which the stream then takes whole: a selection's
// answer holds thousands of values, and a stream insertion or a library dump each costs more
// than the text it writes.
void newline(std::string& out, int indent, int depth) {
    if (indent < 0)
        return;
    out += '\n';
    out.append(std::size_t(indent * depth), ' ');
}

void digits17(std::string& out, double d) {
    char buf[40];
    const int n = std::snprintf(buf, sizeof buf, "%.17g", d);
    out.append(buf, std::size_t(std::max(n, 0)));
}

// Shortest text that reads back as the same double; up to 2^53, where every whole double is exact
// and its digits read back as the same number, a whole one as an integer.
void appendNumber(std::string& out, double d) {
    constexpr double kExactWhole = 9007199254740992.0;
    char buf[400];
    const bool whole = std::isfinite(d) && d == std::trunc(d) && std::fabs(d) <= kExactWhole;
    const auto r = whole ? std::to_chars(buf, buf + sizeof buf, d, std::chars_format::fixed)
                         : std::to_chars(buf, buf + sizeof buf, d);
    out.append(buf, r.ptr);
}

// A string as the library writes it: text without quotes, backslashes and control characters
// that is valid UTF-8 goes out as it is; anything else (escapes, broken UTF-8 replaced) by the
// library's own dump.
void writeString(std::string& out, std::string_view s) {
    bool plain = true;
    bool ascii = true;
    for (const char c : s) {
        const auto b = static_cast<unsigned char>(c);
        plain = plain && b >= 0x20 && c != '"' && c != '\\';
        ascii = ascii && b < 0x80;
    }
    if (plain && (ascii || isValidUtf8(s))) {
        out += '"';
        out += s;
        out += '"';
        return;
    }
    out += Json(std::string(s)).dump(-1, ' ', false, Json::error_handler_t::replace);
}

template <typename Integer>
void writeInteger(std::string& out, Integer i) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, i);
    out.append(buf, r.ptr);
}

void write(std::string& out, const Json& v, int indent, int depth, JsonReals reals) {
    switch (v.type()) {
        case Json::value_t::object: {
            out += '{';
            bool first = true;
            for (const auto& [key, member] : v.items()) {
                if (!first)
                    out += ',';
                first = false;
                newline(out, indent, depth + 1);
                writeString(out, key);
                out += indent >= 0 ? ": " : ":";
                write(out, member, indent, depth + 1, reals);
            }
            if (!first)
                newline(out, indent, depth);
            out += '}';
            break;
        }
        case Json::value_t::array: {
            // A list of plain values stays on one line: [1, 2, 3].
            const bool flat =
                std::none_of(v.begin(), v.end(), [](const Json& e) { return e.is_structured(); });
            out += '[';
            bool first = true;
            for (const Json& element : v) {
                if (!first)
                    out += flat && indent >= 0 ? ", " : ",";
                first = false;
                if (!flat)
                    newline(out, indent, depth + 1);
                write(out, element, indent, depth + 1, reals);
            }
            if (!first && !flat)
                newline(out, indent, depth);
            out += ']';
            break;
        }
        case Json::value_t::number_float: {
            const double d = v.get<double>();
            if (!std::isfinite(d))
                out += "null";
            else if (reals == JsonReals::Digits17)
                digits17(out, d);
            else
                appendNumber(out, d);
            break;
        }
        case Json::value_t::string:
            writeString(out, v.get_ref<const std::string&>());
            break;
        case Json::value_t::number_integer:
            writeInteger(out, v.get<std::int64_t>());
            break;
        case Json::value_t::number_unsigned:
            writeInteger(out, v.get<std::uint64_t>());
            break;
        case Json::value_t::boolean:
            out += v.get<bool>() ? "true" : "false";
            break;
        case Json::value_t::null:
            out += "null";
            break;
        default:
            // What a document never holds (binary) as the library writes it.
            out += v.dump(-1, ' ', false, Json::error_handler_t::replace);
    }
}

}  // namespace

std::string jsonNumber(double d) {
    std::string text;
    appendNumber(text, d);
    return text;
}

void writeJson(std::ostream& out, const Json& value, int indent, JsonReals reals) {
    const std::string text = jsonText(value, indent, reals);
    out.write(text.data(), std::streamsize(text.size()));
}

std::string jsonText(const Json& value, int indent, JsonReals reals) {
    std::string text;
    write(text, value, indent, 0, reals);
    return text;
}

}  // namespace tundrix
