// The evaluator of the formula language: a recursive-descent parser that
// computes while it reads, so every grammar routine returns a value. No
// parsed form is kept; each calculation reads the text afresh, and reads it
// without touching the heap.
#pragma once

#include "runtime/links.h"

#include <cstdint>
#include <string_view>

constexpr std::int16_t errNone = -1;
constexpr std::int16_t errSyntax = 0;
constexpr std::int16_t errCalc = 1;

// What a failed expression element answers in the text of its null result,
// so that an expression element reading it takes its error over.
constexpr const char* mathParseErrorMarker = "MathParse Exception";

// What a formula reads its arguments %0 to %N from: the state of one
// expression element.
struct TArgumentSet {
    std::int32_t count = 0;           // N
    const TKN_Event* links = nullptr; // argument n reads links[n - 1]
    double* values = nullptr;         // cache, valid where fetched is 1
    std::uint8_t* fetched = nullptr;
    TData* eventData = nullptr; // unconnected arguments are taken from it
    double previous = 0.0;      // %0
};

struct TEvaluation {
    double value = 0.0;           // always finite; 0 after an error
    std::int16_t error = errNone; // errNone, errSyntax or errCalc
    // The lexer's 1-based read position when the calculation ended; after an
    // error the character before it is where the error was found.
    std::int32_t position = 1;
};

// Evaluates `text`, which ends in the end marker. `angleFactor` is 1 for
// radians, pi/180 for degrees.
TEvaluation evaluateFormula(std::string_view text, TArgumentSet& arguments, double angleFactor);
