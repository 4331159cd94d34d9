#include "runtime/number_text.h"

#include <cmath>

std::string intToText(std::int32_t n) {
    char digits[12];
    char* p = digits + sizeof digits;
    // The magnitude as unsigned, so that the most negative value converts.
    std::uint32_t magnitude = n < 0 ? 0u - static_cast<std::uint32_t>(n) : n;
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (n < 0)
        *--p = '-';
    return std::string(p, digits + sizeof digits);
}

static bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::int32_t textToInt(std::string_view s) {
    std::size_t i = 0;
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        i = 1;
    }
    std::uint32_t value = 0; // unsigned: overflow wraps without undefined behaviour
    for (; i < s.size() && isDigit(s[i]); ++i)
        value = value * 10u + static_cast<std::uint32_t>(s[i] - '0');
    if (negative)
        value = 0u - value;
    return static_cast<std::int32_t>(value);
}

long double wholePower(long double x, long double n) {
    if (n < 0.0L) {
        x = 1.0L / x;
        n = -n;
    }
    // One squaring per binary digit of n; halving a whole number is exact.
    long double result = 1.0L;
    while (n != 0.0L) {
        const long double half = std::floor(n / 2.0L);
        if (n != half * 2.0L)
            result *= x;
        n = half;
        if (n != 0.0L)
            x *= x;
    }
    return result;
}

long double intPower(long double x, std::int32_t n) {
    return wholePower(x, n);
}

double textToReal(std::string_view s) {
    if (s.empty())
        return 0.0;
    std::size_t i = 0;
    bool negative = false;
    if (s[0] == '-') {
        negative = true;
        i = 1;
    }
    double value = 0.0;
    long double scale = 1.0L;
    bool inFraction = false;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (isDigit(c)) {
            int digit = c - '0';
            if (inFraction) {
                scale *= 0.1L;
                value = static_cast<double>(value + digit * scale);
            } else {
                value = static_cast<double>(static_cast<long double>(value) * 10.0L + digit);
            }
        } else if (c == '.') {
            if (inFraction)
                break;
            inFraction = true;
        } else if (c == 'E' || c == 'e') {
            // A zero mantissa is 0 however large its exponent.
            if (value != 0.0)
                value = static_cast<double>(value * intPower(10.0L, textToInt(s.substr(i + 1))));
            break;
        }
        // Every other character is skipped.
    }
    return negative ? -value : value;
}

std::int32_t hexToInt(std::string_view s) {
    std::size_t i = (!s.empty() && s[0] == '$') ? 1 : 0;
    std::uint32_t value = 0;
    for (; i < s.size(); ++i) {
        char c = s[i];
        std::uint32_t digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<std::uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        else
            break;
        value = value * 16u + digit;
    }
    return static_cast<std::int32_t>(value);
}

std::string lowerCaseAscii(std::string_view s) {
    std::string result(s);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return result;
}

namespace {

constexpr int mantissaDigits = 15;

// Scales |x| to a 15-digit integer mantissa N with |x| = N * 10^(exponent - 15).
struct DecimalMantissa {
    std::uint64_t digits;
    int exponent;
};

DecimalMantissa scaleToMantissa(long double x) {
    int exponent = mantissaDigits;
    bool multiplied = false;
    while (x < 5e12L) {
        x *= 10.0L;
        --exponent;
        multiplied = true;
    }
    if (!multiplied) {
        while (x >= 1e13L) {
            x /= 10.0L;
            ++exponent;
        }
    }
    long double rounded = std::nearbyint(x); // ties to even, the default mode
    while (rounded < 1e14L) {
        x *= 10.0L;
        --exponent;
        rounded = std::nearbyint(x);
    }
    if (rounded >= 1e15L) {
        rounded = 1e14L;
        ++exponent;
    }
    return {static_cast<std::uint64_t>(rounded), exponent};
}

} // namespace

std::string realToText(double value) {
    if (value == 0.0)
        return "0";
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";

    DecimalMantissa m = scaleToMantissa(std::fabs(static_cast<long double>(value)));
    char digits[mantissaDigits];
    std::uint64_t n = m.digits;
    for (int i = mantissaDigits - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + n % 10);
        n /= 10;
    }

    std::string text;
    text.reserve(32);
    if (value < 0)
        text += '-';
    if (m.exponent >= mantissaDigits) {
        text.append(digits, mantissaDigits);
        text.append(static_cast<std::size_t>(m.exponent - mantissaDigits), '0');
        return text;
    }
    if (m.exponent <= 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-m.exponent), '0');
        text.append(digits, mantissaDigits);
    } else {
        text.append(digits, static_cast<std::size_t>(m.exponent));
        text += '.';
        text.append(digits + m.exponent, static_cast<std::size_t>(mantissaDigits - m.exponent));
    }
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}
