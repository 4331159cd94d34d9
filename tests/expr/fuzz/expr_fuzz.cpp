// libFuzzer target: every input is evaluated as a formula by an expression
// element (with linked, unlinked, array and chained arguments) and read as a
// number text, whose value is written back as text.
#include "expr/evaluator.h"
#include "expr/math_parse.h"
#include "runtime/array.h"
#include "runtime/links.h"
#include "runtime/number_text.h"
#include "runtime/platform_hooks.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Answers a real for %1 and %2, and an array of 0, 1.5, 3 for %3.
struct Arguments : TArrayIntf {
    void getFirst(TData& data, std::uint16_t) { setReal(data, 6.0); }
    void getSecond(TData& data, std::uint16_t) { setReal(data, -2.5e300); }
    void getArray(TData& data, std::uint16_t) { setArray(data, this); }
    void arraySet(TData&, TData&) override {}
    bool arrayGet(TData& index, TData& value) override {
        const std::int32_t i = asIndex(index);
        if (i >= 0 && i < 3)
            setReal(value, i * 1.5);
        return i >= 0 && i < 3;
    }
    std::int32_t arrayCount() override { return 3; }
    void arrayAdd(TData&) override {}
};

struct Outcome {
    bool gotResult = false;
    void inResult(TData& data, std::uint16_t) { gotResult = std::isfinite(asReal(data)); }
    void inError(TData&, std::uint16_t) {}
};

void ignoreMessage(const std::string&, const std::string&) {}

void check(bool condition) {
    if (!condition)
        std::abort();
}

void fuzzFormula(std::string_view text) {
    static Arguments arguments;
    TKNMathParse parser;
    parser.setArgCount(4);
    parser.setFormula(text);
    parser.setResultType(text.size() % 2 ? resultReal : resultInteger);
    parser.setDefault(1.0);
    parser.setAngleMode(text.size() % 3 == 0);
    parser.srcArg(1) = makeLink<&Arguments::getFirst>(&arguments);
    parser.srcArg(2) = makeLink<&Arguments::getSecond>(&arguments);
    parser.srcArg(3) = makeLink<&Arguments::getArray>(&arguments);
    // %4 stays unlinked and takes the event's values.
    Outcome outcome;
    parser.outResult = makeLink<&Outcome::inResult>(&outcome);
    if (text.size() % 5 != 0)
        parser.outError = makeLink<&Outcome::inError>(&outcome);
    for (int round = 0; round < 2; ++round) {
        TData head, tail;
        setReal(head, 3.0);
        setString(tail, "4e5");
        head.next = &tail;
        outcome.gotResult = false;
        callEvent(makeLink<&TKNMathParse::inCalc>(&parser), head);
        const bool ok = parser.errorCode() == errNone;
        check(ok == outcome.gotResult && std::isfinite(parser.result()));
        check(ok || (parser.readPosition() >= 0 &&
                     parser.readPosition() <= static_cast<std::int32_t>(text.size())));
        TData read;
        parser.getResult(read, 0);
        check(ok == (read.tag != tagNull));
    }
}

void fuzzNumberText(std::string_view text) {
    double value = textToReal(text);
    std::string written = realToText(value);
    check(!written.empty());
    if (std::isfinite(value))
        check(written.find("INF") == std::string::npos && written != "NAN");
    // Fifteen digits read back within their precision (subnormals and the
    // very top of the range have less to give).
    double magnitude = std::fabs(value);
    if (magnitude > 1e-300 && magnitude < 1e300) {
        double again = textToReal(written);
        check(again == value || std::fabs(again - value) <= std::fabs(value) * 1e-14);
    }
    (void)textToInt(text);
    (void)hexToInt(text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static bool ready = [] {
        setDebugMessageSink(ignoreMessage);
        installDispatchers();
        return true;
    }();
    (void)ready;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    fuzzFormula(text);
    fuzzNumberText(text);
    return 0;
}
