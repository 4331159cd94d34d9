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

bool allDecimal(std::string_view s) {
    if (s.empty())
        return false;
    for (char c : s)
        if (!isDigit(c))
            return false;
    return true;
}

int hexDigit(char c) {
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Wraps in 32 bits like the value it stands for.
bool readHex(std::string_view s, TData& value) {
    if (s.empty())
        return false;
    std::uint32_t result = 0;
    for (char c : s) {
        const int digit = hexDigit(c);
        if (digit < 0)
            return false;
        result = result * 16 + static_cast<std::uint32_t>(digit);
    }
    setInteger(value, static_cast<std::int32_t>(result));
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
    if (text[0] == '+' || text[0] == '-') {
        const std::string_view digits = text.substr(1);
        if (!allDecimal(digits))
            return false;
        const std::int32_t magnitude = textToInt(digits);
        setInteger(value, text[0] == '-' ? static_cast<std::int32_t>(
                                               0u - static_cast<std::uint32_t>(magnitude))
                                         : magnitude);
        return true;
    }
    if (text[0] == '$')
        return readHex(text.substr(1), value);
    if (text.starts_with("0x"))
        return readHex(text.substr(2), value);
    if (!allDecimal(text))
        return false;
    setInteger(value, textToInt(text));
    return true;
}
