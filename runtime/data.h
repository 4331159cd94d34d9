// TData: the tagged value that every event carries and every data link
// returns.
#pragma once

#include <cstdint>
#include <string>

class TArrayIntf;
class TMatrixIntf;
struct TKN_Event;

constexpr std::uint8_t tagNull = 0;
constexpr std::uint8_t tagInteger = 1;
constexpr std::uint8_t tagString = 2;
constexpr std::uint8_t tagReal = 7;
constexpr std::uint8_t tagArray = 13;
constexpr std::uint8_t tagMatrix = 16;
constexpr std::uint8_t tagNoLink = 21; // "this source has no value, use your fallback"
constexpr std::uint8_t tagForwardBit = 0x80;

struct TData {
    std::uint8_t tag = tagNull;
    std::int32_t intValue = 0;
    std::string strValue;
    double realValue = 0.0;
    // Array and matrix references have fields of their own: a pointer never
    // squeezes into the 32-bit integer.
    TArrayIntf* arrayValue = nullptr;
    TMatrixIntf* matrixValue = nullptr;
    const TKN_Event* forwardLink = nullptr; // where dispatch goes on when tagForwardBit is set
    TData* next = nullptr;                  // next value of a multi-value chain, not owned
};

// Setters. Each clears forwardLink and next; the other payload fields keep
// their old contents, which the conversions ignore.
void setNull(TData& data);
void setInteger(TData& data, std::int32_t value);
void setString(TData& data, std::string value);
void setReal(TData& data, double value);
void setArray(TData& data, TArrayIntf* array);

// The forward family: the dispatcher continues at the link after the
// handler that filled the record returns, so a chain of forwards does not
// grow the stack.
void setForwardNull(TData& data, const TKN_Event* link); // keeps next
void setForwardInteger(TData& data, std::int32_t value, const TKN_Event* link);
void setForwardReal(TData& data, double value, const TKN_Event* link);
void setForwardCopy(TData& data, const TData& source, const TKN_Event* link);

inline std::uint8_t tagOf(const TData& data) {
    return data.tag;
}
inline bool isNullData(const TData& data) {
    return data.tag == tagNull;
}

std::int32_t asInteger(const TData& data);
double asReal(const TData& data);
std::string asString(const TData& data);
std::int32_t asIndex(const TData& data); // -1: no valid index

// Round to nearest, ties to even, then keep the low 32 bits of the 64-bit
// result.
std::int32_t roundToInt32(double value);
