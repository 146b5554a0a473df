#include "cli/locale.h"

#include <clocale>
#include <string>

namespace tundrix::cli {

char localeDecimalSeparator() {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    char sep = '.';
    if (std::setlocale(LC_NUMERIC, "")) {
        const std::lconv* lc = std::localeconv();
        if (lc && lc->decimal_point && lc->decimal_point[0] == ',') sep = ',';
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
    return sep;
}

}  // namespace tundrix::cli
