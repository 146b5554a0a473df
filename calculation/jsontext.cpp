#include "calculation/jsontext.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace tundrix {

namespace {

void newline(std::ostream& out, int indent, int depth) {
    if (indent < 0)
        return;
    out << '\n' << std::string(std::size_t(indent * depth), ' ');
}

std::string digits17(double d) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", d);
    return buf;
}

void write(std::ostream& out, const Json& v, int indent, int depth, JsonReals reals) {
    switch (v.type()) {
        case Json::value_t::object: {
            out << '{';
            bool first = true;
            for (const auto& [key, member] : v.items()) {
                if (!first)
                    out << ',';
                first = false;
                newline(out, indent, depth + 1);
                out << Json(key).dump(-1, ' ', false, Json::error_handler_t::replace) << ':';
                if (indent >= 0)
                    out << ' ';
                write(out, member, indent, depth + 1, reals);
            }
            if (!first)
                newline(out, indent, depth);
            out << '}';
            break;
        }
        case Json::value_t::array: {
            // A list of plain values stays on one line: [1, 2, 3].
            const bool flat =
                std::none_of(v.begin(), v.end(), [](const Json& e) { return e.is_structured(); });
            out << '[';
            bool first = true;
            for (const Json& element : v) {
                if (!first)
                    out << (flat && indent >= 0 ? ", " : ",");
                first = false;
                if (!flat)
                    newline(out, indent, depth + 1);
                write(out, element, indent, depth + 1, reals);
            }
            if (!first && !flat)
                newline(out, indent, depth);
            out << ']';
            break;
        }
        case Json::value_t::number_float: {
            const double d = v.get<double>();
            if (!std::isfinite(d))
                out << "null";
            else
                out << (reals == JsonReals::Digits17 ? digits17(d) : jsonNumber(d));
            break;
        }
        default:
            // Strings, integers, booleans and null as the library writes them.
            out << v.dump(-1, ' ', false, Json::error_handler_t::replace);
    }
}

}  // namespace

std::string jsonNumber(double d) {
    // Up to 2^53 every whole double is exact, and its digits read back as the same number.
    constexpr double kExactWhole = 9007199254740992.0;
    char buf[400];
    const bool whole = std::isfinite(d) && d == std::trunc(d) && std::fabs(d) <= kExactWhole;
    const auto r = whole ? std::to_chars(buf, buf + sizeof buf, d, std::chars_format::fixed)
                         : std::to_chars(buf, buf + sizeof buf, d);
    return std::string(buf, r.ptr);
}

void writeJson(std::ostream& out, const Json& value, int indent, JsonReals reals) {
    write(out, value, indent, 0, reals);
}

std::string jsonText(const Json& value, int indent, JsonReals reals) {
    std::ostringstream s;
    writeJson(s, value, indent, reals);
    return s.str();
}

}  // namespace tundrix
