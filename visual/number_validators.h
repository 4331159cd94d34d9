// The checks behind the edit's readers: is a (lower-cased) text a complete
// real or integer number, and which.
#pragma once

#include "runtime/data.h"

#include <string_view>

// Decimal digits with at most one point, an optional sign, an optional
// exponent ("e", an optional sign, digits; blanks allowed around its parts).
// A value beyond the double range is not a number. Accepted: the value as a
// real in `value`.
bool validateReal(std::string_view text, TData& value);

// Decimal digits with an optional sign, or hexadecimal digits after "$" or
// "0x". A value beyond 32 bits is not a number: decimal text must lie in
// the signed range, hexadecimal text may have up to 8 digits after leading
// zeros and is read as signed ("$ffffffff" is -1). Accepted: the value as
// an integer in `value`.
bool validateInteger(std::string_view text, TData& value);
