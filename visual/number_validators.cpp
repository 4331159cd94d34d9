#include "visual/number_validators.h"

#include "runtime/number_text.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::size_t skipDigits(std::string_view s, std::size_t p) {
    while (p < s.size() && isDigit(s[p]))
        ++p;
    return p;
}

std::size_t skipBlanks(std::string_view s, std::size_t p) {
    while (p < s.size() && isBlank(s[p]))
        ++p;
    return p;
}

// Decimal digits whose value is at most `limit`, the magnitude a 32-bit
// integer can take.
bool readDecimal(std::string_view s, std::uint32_t limit, std::uint32_t& magnitude) {
    if (s.empty())
        return false;
    std::uint64_t result = 0;
    for (char c : s) {
        if (!isDigit(c))
            return false;
        result = result * 10 + static_cast<std::uint64_t>(c - '0');
        if (result > limit)
            return false;
    }
    magnitude = static_cast<std::uint32_t>(result);
    return true;
}

int hexDigit(char c) {
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Up to 32 bits of digits (leading zeros aside), read as a signed 32-bit
// integer: $ffffffff is -1.
bool readHex(std::string_view s, TData& value) {
    if (s.empty())
        return false;
    std::uint64_t result = 0;
    for (char c : s) {
        const int digit = hexDigit(c);
        if (digit < 0)
            return false;
        result = result * 16 + static_cast<std::uint64_t>(digit);
        if (result > 0xFFFFFFFFu)
            return false;
    }
    setInteger(value, static_cast<std::int32_t>(static_cast<std::uint32_t>(result)));
    return true;
}

// Where a well-formed real number ends, or npos.
std::size_t realEnd(std::string_view s) {
    std::size_t p = (s[0] == '+' || s[0] == '-') ? 1 : 0;
    if (p >= s.size() || !(isDigit(s[p]) || s[p] == '.'))
        return std::string_view::npos;
    const std::size_t mantissa = p;
    p = skipDigits(s, p);
    if (p < s.size() && s[p] == '.')
        p = skipDigits(s, p + 1);
    if (s.substr(mantissa, p - mantissa) == ".")
        return std::string_view::npos;
    p = skipBlanks(s, p);
    if (p < s.size() && s[p] == 'e') {
        p = skipBlanks(s, p + 1);
        if (p < s.size() && (s[p] == '+' || s[p] == '-'))
            p = skipBlanks(s, p + 1);
        if (p >= s.size() || !isDigit(s[p]))
            return std::string_view::npos;
        p = skipDigits(s, p);
    }
    return p;
}

} // namespace

bool validateReal(std::string_view text, TData& value) {
    if (text.empty() || realEnd(text) != text.size())
        return false;
    // The scanner stops at a blank, and blanks may stand around the
    // exponent's parts: "2 e -5" is 2e-5, not 2.
    std::string compact;
    compact.reserve(text.size());
    for (char c : text)
        if (!isBlank(c))
            compact += c;
    const double number = textToReal(compact);
    if (!std::isfinite(number))
        return false;
    setReal(value, number);
    return true;
}

bool validateInteger(std::string_view text, TData& value) {
    if (text.empty())
        return false;
    if (text[0] == '$')
        return readHex(text.substr(1), value);
    if (text.starts_with("0x"))
        return readHex(text.substr(2), value);
    // A value beyond 32 bits is no number here, as one beyond the double
    // range is none for the real reader.
    const bool negative = text[0] == '-';
    const std::string_view digits = (negative || text[0] == '+') ? text.substr(1) : text;
    constexpr std::uint32_t largest = 2147483647u;
    std::uint32_t magnitude = 0;
    if (!readDecimal(digits, negative ? largest + 1 : largest, magnitude))
        return false;
    setInteger(value, static_cast<std::int32_t>(negative ? 0u - magnitude : magnitude));
    return true;
}
