#include "app/program.h"
#include "toolkit/failure_report.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return runReportingFailures(runProgram);
}
