// mathparse FORMULA [ARG1 ARG2 ...]: evaluates a formula the way the
// expression element does, with %1, %2, ... answering the given numbers.
#include "expr/evaluator.h"
#include "expr/math_parse.h"
#include "runtime/links.h"
#include "runtime/number_text.h"

#include <cstdio>
#include <vector>

namespace {

struct ArgumentPoint {
    double value = 0.0;
    void getValue(TData& data, std::uint16_t) { setReal(data, value); }
};

struct Outcome {
    bool finished = false;
    bool failed = false;
    double value = 0.0;
    void inResult(TData& data, std::uint16_t) {
        finished = true;
        value = asReal(data);
    }
    void inError(TData&, std::uint16_t) {
        finished = true;
        failed = true;
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: mathparse FORMULA [ARG1 ARG2 ...]\n");
        return 2;
    }
    std::vector<ArgumentPoint> points(static_cast<std::size_t>(argc - 2));
    for (std::size_t i = 0; i < points.size(); ++i)
        points[i].value = textToReal(argv[i + 2]);

    TKNMathParse parser;
    parser.setArgCount(static_cast<std::int32_t>(points.size()));
    parser.setFormula(argv[1]);
    parser.setResultType(resultReal);
    parser.setDefault(0.0);
    parser.setAngleMode(false);
    for (std::size_t i = 0; i < points.size(); ++i)
        parser.srcArg(static_cast<std::int32_t>(i + 1)) =
            makeLink<&ArgumentPoint::getValue>(&points[i]);
    Outcome outcome;
    parser.outResult = makeLink<&Outcome::inResult>(&outcome);
    parser.outError = makeLink<&Outcome::inError>(&outcome);

    installDispatchers();
    raiseEvent(makeLink<&TKNMathParse::inCalc>(&parser));
    stopDispatch();

    if (!outcome.finished || outcome.failed) {
        const char* kind = parser.errorCode() == errSyntax ? "syntax" : "calculation";
        std::printf("%s error at %d\n", kind, static_cast<int>(parser.readPosition()));
        return 1;
    }
    std::printf("%s\n", realToText(outcome.value).c_str());
    return 0;
}
