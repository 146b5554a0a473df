// Numbers as the user types them and as the result grids and displays show them. The decimal
// separator is that of the user's locale ('.' or ','), passed in so that the core never asks the
// system; the windows pass QLocale's separator.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tundrix {

// The value of a typed number: optional blanks, an optional sign, digits with at most one decimal
// separator (at least one digit in all), an optional exponent (e or E, optional sign, digits),
// optional blanks. Anything else, or a value out of the double range, is not a number.
std::optional<double> parseNumber(std::string_view text, char decimalSeparator);

// parseNumber, or `fallback` for text that is not a number (each field has its own default).
double readNumber(std::string_view text, char decimalSeparator, double fallback);

// A typed whole number (optional blanks and sign, digits only), or `fallback`.
int readInteger(std::string_view text, int fallback);

// x * 100 rounded to the nearest integer (halves to even), divided by 100.
double roundHundredths(double x);

// The shortest general decimal form: at most 15 significant digits, trailing zeros dropped, no
// digit grouping, the given decimal separator; an exponent only for very large or small values.
// Non-finite values give an empty text (shown as an empty cell).
std::string formatGeneral(double x, char decimalSeparator);

// A computed result as shown: rounded to hundredths, then the general form (12.5 -> "12,5" with a
// comma, 12.0 -> "12"). Non-finite values give an empty text.
std::string fmt(double x, char decimalSeparator);

}  // namespace tundrix
