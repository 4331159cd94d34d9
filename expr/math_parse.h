// TKNMathParse: the expression element. An event at inCalc evaluates the
// formula with the arguments %1 to %N read through the element's data
// links, or from the event's own values where a link is unconnected; the
// result goes on through outResult, a failure through outError or, when
// that is unconnected, as a debug message box.
#pragma once

#include "elements/element.h"
#include "runtime/links.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr std::uint8_t resultInteger = 0;
constexpr std::uint8_t resultReal = 1;

class TKNMathParse : public TKNElement {
public:
    TKNMathParse() = default;
    TKNMathParse(const TKNMathParse&) = delete;
    TKNMathParse& operator=(const TKNMathParse&) = delete;

    // Properties, in the order the schematic sets them.
    void setArgCount(std::int32_t count);
    void setFormula(std::string_view formula);
    void setResultType(std::uint8_t type) { resultType_ = type; }
    void setDefault(double value);
    void setAngleMode(bool degrees);

    void inCalc(TData& data, std::uint16_t index);
    void getResult(TData& data, std::uint16_t index);

    // srcArg1 ... srcArgN; n is 1-based and must be within ArgCount.
    TKN_Event& srcArg(std::int32_t n) { return argLinks_[static_cast<std::size_t>(n - 1)]; }
    TKN_Event outError;
    TKN_Event outResult;

    std::int32_t argCount() const { return argCount_; }
    double result() const { return result_; }
    std::int16_t errorCode() const { return errorCode_; }
    // -1 after a successful calculation, otherwise where the error was found.
    std::int32_t readPosition() const { return readPosition_; }

private:
    double calculate();
    void reportError(TData& data);

    std::int32_t argCount_ = 0;
    std::string formula_ = "\x01"; // the formula and the end marker
    // Kept wide: a 16-bit position would wrap on a long formula.
    std::int32_t readPosition_ = -1;
    double result_ = 0.0;
    double default_ = 0.0;
    double angleFactor_ = 1.0;
    std::int16_t errorCode_ = -1;
    TData savedEventData_;
    std::vector<double> argValues_;
    std::vector<std::uint8_t> argFetched_;
    std::vector<TKN_Event> argLinks_;
    std::uint8_t resultType_ = resultReal;
};
