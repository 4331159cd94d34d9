// Calculations per second of the expression element for the application's
// two formulas, against the same computations written directly in C++.
#include "expr/math_parse.h"
#include "runtime/links.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

namespace {

struct ArgumentPoint {
    double value = 0.0;
    void getValue(TData& data, std::uint16_t) { setReal(data, value); }
};

struct ResultSink {
    double last = 0.0;
    void inResult(TData& data, std::uint16_t) { last = data.realValue; }
};

// An element set up as the schematic does, with its arguments linked to
// data points; each iteration is one event at inCalc.
void runFormula(benchmark::State& state, const char* formula, int argCount) {
    ArgumentPoint first{6.0};
    ArgumentPoint second{18.0};
    ResultSink sink;
    TKNMathParse parser;
    parser.setArgCount(argCount);
    parser.setFormula(formula);
    parser.setResultType(resultReal);
    parser.setDefault(0.0);
    parser.setAngleMode(false);
    parser.srcArg(1) = makeLink<&ArgumentPoint::getValue>(&first);
    if (argCount > 1)
        parser.srcArg(2) = makeLink<&ArgumentPoint::getValue>(&second);
    parser.outResult = makeLink<&ResultSink::inResult>(&sink);
    TKN_Event calc = makeLink<&TKNMathParse::inCalc>(&parser);
    installDispatchers();
    for (auto _ : state) {
        TData data;
        callEvent(calc, data);
        benchmark::DoNotOptimize(sink.last);
        second.value += 1e-9; // keep every calculation different
    }
    stopDispatch();
    if (parser.errorCode() != -1)
        state.SkipWithError("the formula failed");
    state.SetItemsProcessed(state.iterations());
}

void BM_RatioFormula(benchmark::State& state) {
    runFormula(state, "(( %2 / %1) ^ 2 - 1.0)", 2);
}

void BM_EfficiencyFormula(benchmark::State& state) {
    runFormula(state, "20.0 * lg ( ( %1 ) )", 1);
}

// The floor: the same arithmetic in extended precision, no parsing.
void BM_RatioDirect(benchmark::State& state) {
    double f0 = 6.0;
    double f = 18.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f0);
        benchmark::DoNotOptimize(f);
        long double ratio = static_cast<long double>(f) / f0;
        double x = static_cast<double>(ratio * ratio - 1.0L);
        benchmark::DoNotOptimize(x);
        f += 1e-9;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_EfficiencyDirect(benchmark::State& state) {
    double x = 100.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(x);
        double e = static_cast<double>(20.0L * std::log10(static_cast<long double>(x)));
        benchmark::DoNotOptimize(e);
        x += 1e-9;
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(BM_RatioFormula);
BENCHMARK(BM_RatioDirect);
BENCHMARK(BM_EfficiencyFormula);
BENCHMARK(BM_EfficiencyDirect);
BENCHMARK_MAIN();
