#include "toolkit/failure_report.h"

#include "toolkit/wide_text.h"

#include <windows.h>

#include <string>

namespace {

void showAndEnd(const char* what) {
    // The box runs a message loop: a second failure inside it ends at once.
    static bool reporting = false;
    if (!reporting) {
        reporting = true;
        MessageBoxW(nullptr, toWideText(std::string(what)).c_str(),
                    toWideText("Ошибка выполнения").c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
    }
    ExitProcess(failureExitCode);
}

TFailureReporter reporter = showAndEnd;

} // namespace

void setFailureReporter(TFailureReporter value) {
    reporter = value ? value : showAndEnd;
}

void reportEscapedFailure(const char* what) {
    reporter(what);
}

int runReportingFailures(int (*body)()) {
    return runReporting(body, failureExitCode);
}
