// JSON as the program writes it: documents are built as nlohmann/json values and written here, so
// that the calculation files and the command line's output share one form. Numbers are written
// in their shortest text that reads back as the same double ("12", "0.1", "1e-05"), which the
// library's own output would write as "12.0" and "1.0e-05"; values that are not finite become
// null. Strings are escaped by the library; bytes that are not UTF-8 are replaced.
// Only the declarations of the library come in here (it is heavy to compile); a file that builds
// or reads values includes <nlohmann/json.hpp> itself.
#pragma once

#include <nlohmann/json_fwd.hpp>

#include <ostream>
#include <string>

namespace tundrix {

using Json = nlohmann::ordered_json;

// Shortest text that reads back as the same double, "." as decimal point.
std::string jsonNumber(double d);

// Writes `value` compactly (indent < 0) or with `indent` spaces per level, one member or element
// a line (a list of plain values on one line).
void writeJson(std::ostream& out, const Json& value, int indent = -1);
std::string jsonText(const Json& value, int indent = -1);

}  // namespace tundrix
