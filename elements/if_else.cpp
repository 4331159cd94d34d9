#include "elements/if_else.h"

#include <string>

namespace {

// The outcome of one comparison as the sign of a - b.
bool holds(int order, std::uint8_t kind) {
    switch (kind) {
    case compareEqual:
        return order == 0;
    case compareLess:
        return order < 0;
    case compareGreater:
        return order > 0;
    case compareLessOrEqual:
        return order <= 0;
    case compareGreaterOrEqual:
        return order >= 0;
    case compareNotEqual:
        return order != 0;
    default:
        return false;
    }
}

template <class T> int orderOf(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

unsigned char foldCase(unsigned char c) {
    return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - ('a' - 'A')) : c;
}

// Byte order with a-z folded to A-Z, up to the first zero byte of either text.
int textOrder(const std::string& a, const std::string& b) {
    std::size_t i = 0;
    for (;; ++i) {
        const unsigned char ca = i < a.size() ? static_cast<unsigned char>(a[i]) : 0;
        const unsigned char cb = i < b.size() ? static_cast<unsigned char>(b[i]) : 0;
        if (ca != cb) {
            const unsigned char fa = foldCase(ca);
            const unsigned char fb = foldCase(cb);
            if (fa != fb)
                return fa < fb ? -1 : 1;
        }
        if (ca == 0)
            return 0;
    }
}

bool compareTexts(const std::string& a, const std::string& b, std::uint8_t kind) {
    // Equality is exact, letter case included; only the ordering folds case.
    if (kind == compareEqual)
        return a == b;
    if (kind == compareNotEqual)
        return a != b;
    return holds(textOrder(a, b), kind);
}

// NaN is unordered: it equals nothing and is neither less nor greater.
bool compareReals(double a, double b, std::uint8_t kind) {
    switch (kind) {
    case compareEqual:
        return a == b;
    case compareLess:
        return a < b;
    case compareGreater:
        return a > b;
    case compareLessOrEqual:
        return a <= b;
    case compareGreaterOrEqual:
        return a >= b;
    case compareNotEqual:
        return a != b;
    default:
        return false;
    }
}

} // namespace

bool compareData(const TData& a, const TData& b, std::uint8_t kind) {
    switch (a.tag) {
    case tagNull:
        return b.tag == tagNull;
    case tagInteger:
        return holds(orderOf(a.intValue, asInteger(b)), kind);
    case tagString:
        return compareTexts(a.strValue, asString(b), kind);
    case tagReal:
        return compareReals(a.realValue, asReal(b), kind);
    default:
        return false;
    }
}

void TKNIf_else::inCompare(TData& data, std::uint16_t) {
    TData keep = data;
    const TData a = pullData(data, srcOp1, &Op1);
    const TData b = pullData(data, srcOp2, &Op2);
    setForwardCopy(data, keep, compareData(a, b, Type) ? &outTrue : &outFalse);
}
