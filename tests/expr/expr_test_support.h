// Data points and helpers the expression tests link formulas to.
#pragma once

#include "expr/evaluator.h"
#include "runtime/links.h"

#include <cstdint>
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

// Evaluates a formula with %1..%N answering the given values through linked
// data points, live from here on. The error position is the reported one:
// read position - 1.
inline TEvaluation evaluate(const std::string& formula, const std::vector<double>& values = {},
                            double angleFactor = 1.0) {
    installDispatchers();
    std::vector<ValuePoint> points(values.begin(), values.end());
    std::vector<TKN_Event> links;
    for (ValuePoint& p : points)
        links.push_back(p.link());
    std::vector<double> cache(values.size());
    std::vector<std::uint8_t> fetched(values.size());
    TData eventData;
    TArgumentSet args{static_cast<std::int32_t>(values.size()), links.data(), cache.data(),
                      fetched.data(), &eventData};
    TEvaluation e = evaluateFormula(formula + '\x01', args, angleFactor);
    e.position -= 1;
    return e;
}
