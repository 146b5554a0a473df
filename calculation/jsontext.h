// JSON as the program writes it: documents are built as nlohmann/json values and written here, so
// that the calculation files and the command line's output share one form. Numbers are written
// in their shortest text that reads back as the same double ("12", "0.1", "1e-05"), whole numbers
// as integers ("100000", where the shortest text would be "1e+05"), which the library's own
// output would write as "12.0" and "1.0e-05"; values that are not finite become null. Strings
// are escaped by the library; bytes that are not UTF-8 are replaced. The header declares only;
// code that builds documents includes <nlohmann/json.hpp>.
#pragma once

#include <nlohmann/json_fwd.hpp>

#include <ostream>
#include <string>

namespace tundrix {

using Json = nlohmann::ordered_json;

// Shortest text that reads back as the same double, "." as decimal point; a whole number of up
// to 2^53 as an integer.
std::string jsonNumber(double d);

// How reals are written: in their shortest form, or with 17 significant digits ("%.17g", the
// form of the catalogue dump and the coefficient fit, which prints every digit of a stored value).
enum class JsonReals { Shortest, Digits17 };

// Writes `value` compactly (indent < 0) or with `indent` spaces per level, one member or element
// a line (a list of plain values on one line).
void writeJson(std::ostream& out, const Json& value, int indent = -1,
               JsonReals reals = JsonReals::Shortest);
std::string jsonText(const Json& value, int indent = -1, JsonReals reals = JsonReals::Shortest);

}  // namespace tundrix
