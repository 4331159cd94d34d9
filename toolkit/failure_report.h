// A failure that escapes a handler or the program itself: nothing can be
// trusted after it, so the user is told in a box and the process ends.
// Tests put a recorder in the place of the box.
#pragma once

#include <exception>

constexpr const char* unknownFailure = "unknown exception";
constexpr int failureExitCode = 1;

using TFailureReporter = void (*)(const char* what);

// Nil puts the box and the end of the process back.
void setFailureReporter(TFailureReporter reporter);
void reportEscapedFailure(const char* what);

// Runs the body and answers its result; a failure escaping it is reported
// and answers the fallback.
template <class Body, class Result> Result runReporting(Body&& body, Result fallback) {
    try {
        return body();
    } catch (const std::exception& failure) {
        reportEscapedFailure(failure.what());
    } catch (...) {
        reportEscapedFailure(unknownFailure);
    }
    return fallback;
}

// The program's entry: failureExitCode after a failure.
int runReportingFailures(int (*body)());
