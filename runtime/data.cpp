#include "runtime/data.h"

#include "runtime/number_text.h"

#include <cmath>
#include <utility>

static void setTag(TData& data, std::uint8_t tag) {
    data.tag = tag;
    data.forwardLink = nullptr;
    data.next = nullptr;
}

void setNull(TData& data) {
    setTag(data, tagNull);
}

void setInteger(TData& data, std::int32_t value) {
    setTag(data, tagInteger);
    data.intValue = value;
}

void setString(TData& data, std::string value) {
    setTag(data, tagString);
    data.strValue = std::move(value);
}

void setReal(TData& data, double value) {
    setTag(data, tagReal);
    data.realValue = value;
}

void setArray(TData& data, TArrayIntf* array) {
    setTag(data, tagArray);
    data.arrayValue = array;
}

void setForwardNull(TData& data, const TKN_Event* link) {
    data.tag = tagNull | tagForwardBit;
    data.forwardLink = link;
}

void setForwardInteger(TData& data, std::int32_t value, const TKN_Event* link) {
    setInteger(data, value);
    data.tag |= tagForwardBit;
    data.forwardLink = link;
}

void setForwardReal(TData& data, double value, const TKN_Event* link) {
    setReal(data, value);
    data.tag |= tagForwardBit;
    data.forwardLink = link;
}

void setForwardCopy(TData& data, const TData& source, const TKN_Event* link) {
    if (&data != &source)
        data = source;
    data.tag = static_cast<std::uint8_t>(data.tag + tagForwardBit);
    data.forwardLink = link;
}

std::int32_t roundToInt32(double value) {
    // Beyond the 64-bit range (or NaN) the processor stores its "integer
    // indefinite" value, whose low 32 bits are 0.
    constexpr double int64Limit = 9223372036854775808.0;
    if (!(std::fabs(value) < int64Limit))
        return 0;
    long long rounded = std::llrint(value);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(rounded));
}

std::int32_t asInteger(const TData& data) {
    switch (data.tag) {
    case tagInteger:
        return data.intValue;
    case tagString:
        return textToInt(data.strValue);
    case tagReal:
        return roundToInt32(data.realValue);
    default:
        return 0;
    }
}

double asReal(const TData& data) {
    switch (data.tag) {
    case tagInteger:
        return data.intValue;
    case tagString:
        return textToReal(data.strValue);
    case tagReal:
        return data.realValue;
    default:
        return 0.0;
    }
}

std::string asString(const TData& data) {
    switch (data.tag) {
    case tagInteger:
        return intToText(data.intValue);
    case tagString:
        return data.strValue;
    case tagReal:
        return realToText(data.realValue);
    default:
        return {};
    }
}

std::int32_t asIndex(const TData& data) {
    switch (data.tag) {
    case tagInteger:
        return data.intValue;
    case tagReal:
        return roundToInt32(data.realValue);
    case tagString: {
        const std::string& s = data.strValue;
        if (s.empty())
            return -1;
        std::int32_t value = textToInt(s);
        if (value != 0)
            return value;
        return s[0] == '0' ? 0 : -1;
    }
    default:
        return -1;
    }
}
