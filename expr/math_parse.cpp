#include "expr/math_parse.h"

#include "expr/evaluator.h"
#include "expr/lexer.h"
#include "runtime/number_text.h"
#include "runtime/platform_hooks.h"

#include <algorithm>

namespace {

constexpr long double piExtended = 3.14159265358979323846264338327950288L;

const char* const errorMessages[] = {
    "Ошибка синтаксиса в элементе MathParser\r\nОбнаружена в позиции ",
    "Ошибка вычисления в элементе MathParser\r\nОбнаружена в позиции ",
};

} // namespace

void TKNMathParse::setArgCount(std::int32_t count) {
    count = std::max(count, 0);
    std::size_t size = static_cast<std::size_t>(count);
    argLinks_.resize(size);
    argValues_.resize(size, 0.0);
    argFetched_.resize(size, 0);
    argCount_ = count;
}

void TKNMathParse::setFormula(std::string_view formula) {
    formula_.assign(formula);
    formula_ += formulaEndMarker;
}

void TKNMathParse::setDefault(double value) {
    default_ = value;
    result_ = value;
    readPosition_ = -1;
    errorCode_ = errNone;
}

void TKNMathParse::setAngleMode(bool degrees) {
    angleFactor_ = degrees ? static_cast<double>(piExtended / 180.0L) : 1.0;
}

double TKNMathParse::calculate() {
    std::fill(argFetched_.begin(), argFetched_.end(), std::uint8_t{0});
    if (readPosition_ >= 0)
        result_ = default_; // %0 never sees what a failed calculation left
    TArgumentSet arguments;
    arguments.count = argCount_;
    arguments.links = argLinks_.data();
    arguments.values = argValues_.data();
    arguments.fetched = argFetched_.data();
    arguments.eventData = &savedEventData_;
    arguments.previous = result_;
    TEvaluation evaluation = evaluateFormula(formula_, arguments, angleFactor_);
    errorCode_ = evaluation.error;
    readPosition_ = evaluation.position;
    return evaluation.value;
}

void TKNMathParse::inCalc(TData& data, std::uint16_t) {
    savedEventData_ = data;
    double r = calculate();
    // The chain behind the event belongs to the caller and ends with this call.
    savedEventData_.next = nullptr;
    result_ = r;
    if (errorCode_ == errNone) {
        readPosition_ = -1;
        if (resultType_ == resultInteger)
            setForwardInteger(data, roundToInt32(r), &outResult);
        else
            setForwardReal(data, r, &outResult);
        return;
    }
    readPosition_ -= 1;
    reportError(data);
}

void TKNMathParse::reportError(TData& data) {
    if (outError.connected()) {
        setForwardInteger(data, errorCode_, &outError);
        return;
    }
    showDebugMessage(std::string(errorMessages[errorCode_]) + intToText(readPosition_));
}

void TKNMathParse::getResult(TData& data, std::uint16_t) {
    if (errorCode_ != errNone) {
        setNull(data);
        data.intValue = errorCode_;
        data.strValue = mathParseErrorMarker;
        return;
    }
    if (resultType_ == resultInteger)
        setInteger(data, roundToInt32(result_));
    else
        setReal(data, result_);
}
