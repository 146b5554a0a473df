#include "calculation/jsontext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>

#include <nlohmann/json.hpp>

namespace tundrix {

namespace {

void newline(std::ostream& out, int indent, int depth) {
    if (indent < 0)
        return;
    out << '\n' << std::string(std::size_t(indent * depth), ' ');
}

void write(std::ostream& out, const Json& v, int indent, int depth) {
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
                write(out, member, indent, depth + 1);
            }
            if (!first)
                newline(out, indent, depth);
            out << '}';
            break;
        }
        case Json::value_t::array: {
            // A list of plain values stays on one line: [1, 2, 3].
            const bool flat = std::none_of(v.begin(), v.end(), [](const Json& e) {
                return e.is_structured();
            });
            out << '[';
            bool first = true;
            for (const Json& element : v) {
                if (!first)
                    out << (flat && indent >= 0 ? ", " : ",");
                first = false;
                if (!flat)
                    newline(out, indent, depth + 1);
                write(out, element, indent, depth + 1);
            }
            if (!first && !flat)
                newline(out, indent, depth);
            out << ']';
            break;
        }
        case Json::value_t::number_float: {
            const double d = v.get<double>();
            out << (std::isfinite(d) ? jsonNumber(d) : std::string("null"));
            break;
        }
        default:
            // Strings, integers, booleans and null as the library writes them.
            out << v.dump(-1, ' ', false, Json::error_handler_t::replace);
    }
}

}  // namespace

std::string jsonNumber(double d) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, d);
    return std::string(buf, r.ptr);
}

void writeJson(std::ostream& out, const Json& value, int indent) {
    write(out, value, indent, 0);
}

std::string jsonText(const Json& value, int indent) {
    std::ostringstream s;
    writeJson(s, value, indent);
    return s.str();
}

}  // namespace tundrix
