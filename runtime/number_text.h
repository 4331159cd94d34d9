// Conversions between numbers and text. They ignore the locale: the point is
// the only decimal separator and no thousands separators are written.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

std::string intToText(std::int32_t n);

// Optional sign, then decimal digits up to the first non-digit; wraps on
// overflow. Leading spaces are not skipped.
std::int32_t textToInt(std::string_view s);

// Fifteen significant digits, never an exponent, no trailing zeros.
// Non-finite values, which the evaluator never lets out, are written as
// "INF", "-INF" and "NAN" so that they cannot pass for a number.
std::string realToText(double x);

// Lenient scanner: digits and the first point count, an 'e' starts the
// exponent, everything else is skipped ("6,0" reads as 60). A value beyond
// the double range reads as an infinity of its sign; the readers that must
// reject such a text (the real edit, the evaluator) test for it.
double textToReal(std::string_view s);

// Optional '$', then hexadecimal digits up to the first other character.
std::int32_t hexToInt(std::string_view s);

// x to the whole power n by repeated squaring in extended precision; for a
// negative n the reciprocal of x is raised to -n.
long double wholePower(long double x, long double n);
long double intPower(long double x, std::int32_t n);

std::string lowerCaseAscii(std::string_view s);
