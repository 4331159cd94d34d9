// Where a press goes, counted inside the program: the whole application is
// built in this process, and a later press over the band 0 to 250 Hz is
// watched until both result lists answer. Prints the allocations and the
// window messages sent to each window class (the thread's message hook sees
// every one). Counts, not times: the hook makes every message slow. To run by
// hand under Wine.
#include "app/program.h"
#include "app/schematic.h"
#include "tools/program_window.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <string>
#include <utility>

namespace {

bool counting = false;
long allocations = 0;
std::map<std::pair<std::wstring, UINT>, long> messages;

LRESULT CALLBACK countMessage(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && counting) {
        counting = false; // the count's own allocations are not the press's
        const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
        wchar_t name[64] = {};
        GetClassNameW(sent.hwnd, name, 64);
        ++messages[{name, sent.message}];
        counting = true;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void pumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

} // namespace

// Counted, then taken from the heap as the library's own would: its delete
// gives the block back.
void* operator new(std::size_t size) {
    if (counting)
        ++allocations;
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}

int main() {
    initialiseUnits();
    auto application = std::make_unique<TClassMainForm_4C58060>();
    schematic = application.get();
    startNetwork(*application->MainForm);
    pumpMessages();
    moveSlider(application->TrackStart->getControl()->handle, 0);
    moveSlider(application->TrackEnd->getControl()->handle, 250);
    pumpMessages();
    HWND button = application->ButtonBuild->getControl()->handle;
    SendMessageW(button, BM_CLICK, 0, 0); // the first press makes what later ones reuse
    pumpMessages();

    SetWindowsHookExW(WH_CALLWNDPROC, countMessage, nullptr, GetCurrentThreadId());
    counting = true;
    SendMessageW(button, BM_CLICK, 0, 0);
    const HWND lists[] = {application->MemoFrequency->getControl()->handle,
                          application->MemoEffect->getControl()->handle};
    for (HWND list : lists)
        SendMessageW(list, WM_GETTEXTLENGTH, 0, 0); // the lists filled
    counting = false;

    const int lines = lineCount(windowText(lists[0]));
    std::printf("one press over the band 0 to 250 Hz (%d lines): %ld allocations\n", lines,
                allocations);
    std::printf("messages received    class  message\n");
    for (const auto& [key, count] : messages)
        std::printf("%17ld  %-20ls 0x%04X\n", count, key.first.c_str(), key.second);
    return 0;
}
