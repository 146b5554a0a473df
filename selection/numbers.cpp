#include "selection/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace tundrix {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

}  // namespace

std::optional<double> parseNumber(std::string_view text, char decimalSeparator) {
    const std::string_view s = trimBlanks(text);
    // Rebuild the text in the one form from_chars reads: '.' as separator, no '+' sign. The
    // grammar is checked here so that from_chars never sees anything it would read differently.
    std::string plain;
    plain.reserve(s.size() + 1);
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            plain.push_back('-');
        ++i;
    }
    int digits = 0;
    bool separator = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (isDigit(c)) {
            plain.push_back(c);
            ++digits;
        } else if (c == decimalSeparator && !separator) {
            plain.push_back('.');
            separator = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        plain.push_back('e');
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            if (s[i] == '-')
                plain.push_back('-');
            ++i;
        }
        int expDigits = 0;
        for (; i < s.size() && isDigit(s[i]); ++i, ++expDigits)
            plain.push_back(s[i]);
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != s.size())
        return std::nullopt;
    // "5." and ".5" are numbers; from_chars reads both.
    double value = 0;
    const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (ec != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double readNumber(std::string_view text, char decimalSeparator, double fallback) {
    return parseNumber(text, decimalSeparator).value_or(fallback);
}

int readInteger(std::string_view text, int fallback) {
    std::string_view s = trimBlanks(text);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || !isDigit(s.front()))
        return fallback;
    long long v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size())
        return fallback;
    v = negative ? -v : v;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return fallback;
    return int(v);
}

double roundHundredths(double x) {
    const double p = x * 100.0;
    // The product may round onto a half that the exact product is not (2.675 is stored just
    // below 2.675, yet 2.675 * 100 gives 267.5): the rounding error decides such a tie.
    if (std::isfinite(p) && p - std::floor(p) == 0.5) {
        const double err = std::fma(x, 100.0, -p);
        if (err < 0)
            return std::floor(p) / 100.0;
        if (err > 0)
            return std::ceil(p) / 100.0;
    }
    // nearbyint rounds in the default mode, to nearest with halves to even.
    return std::nearbyint(p) / 100.0;
}

std::string formatGeneral(double x, char decimalSeparator) {
    if (!std::isfinite(x))
        return {};
    if (x == 0.0)
        x = 0.0;  // no "-0"
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, 15);
    if (ec != std::errc())
        return {};
    std::string s(buf, end);
    for (char& c : s)
        if (c == '.')
            c = decimalSeparator;
    return s;
}

std::string fmt(double x, char decimalSeparator) {
    if (!std::isfinite(x))
        return {};
    return formatGeneral(roundHundredths(x), decimalSeparator);
}

}  // namespace tundrix
