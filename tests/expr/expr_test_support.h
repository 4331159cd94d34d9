// Data points and helpers the expression tests link formulas to.
#pragma once

#include "expr/evaluator.h"
#include "runtime/array.h"
#include "runtime/links.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// A data point that answers a fixed value and counts how often it is read.
struct ValuePoint {
    TData reply;
    int reads = 0;
    double seen = 0.0; // the incoming value of the last read

    explicit ValuePoint(double value = 0.0) { setReal(reply, value); }
    void getValue(TData& data, std::uint16_t) {
        ++reads;
        seen = asReal(data);
        data = reply;
    }
    TKN_Event link() { return makeLink<&ValuePoint::getValue>(this); }
};

struct Outcome {
    double value;
    std::int16_t error;
    std::int32_t errorPosition; // the reported position: read position - 1
};

// Evaluates a formula with %1..%N answering the given values through
// linked data points.
inline Outcome evaluate(const std::string& formula, std::initializer_list<double> values = {},
                        double angleFactor = 1.0) {
    std::vector<ValuePoint> points;
    points.reserve(values.size());
    std::vector<TKN_Event> links;
    for (double v : values) {
        points.emplace_back(v);
        links.push_back(points.back().link());
    }
    std::vector<double> cache(values.size());
    std::vector<std::uint8_t> fetched(values.size());
    TData eventData;
    TArgumentSet args;
    args.count = static_cast<std::int32_t>(values.size());
    args.links = links.data();
    args.values = cache.data();
    args.fetched = fetched.data();
    args.eventData = &eventData;
    TEvaluation e = evaluateFormula(formula + '\x01', args, angleFactor);
    return {e.value, e.error, e.position - 1};
}
