#include "toolkit/application.h"

namespace {

void doNothing() {}

} // namespace

void (*idleProc)() = doNothing;

bool processOneMessage() {
    MSG msg{};
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        appletTerminated = true;
        return true;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

void processMessages() {
    while (processOneMessage()) {
    }
}

void run(TControl*& appletVariable) {
    appletRunning = true;
    applet = appletVariable;
    if (applet)
        applet->createWindow();
    while (!appletTerminated) {
        WaitMessage();
        processMessages();
        idleProc();
    }
    if (appletVariable)
        terminate(appletVariable);
}

void terminate(TControl*& appletVariable) {
    const bool alreadyEnding = appletTerminated;
    appletTerminated = true;
    appletRunning = false;
    TControl* ending = applet;
    applet = nullptr;
    if (!ending)
        return;
    ending->addRef();
    if (!alreadyEnding) {
        processMessages();
        if (ending->liveWindow())
            SendMessageW(ending->handle, WM_CLOSE, 0, 0);
    }
    appletVariable = nullptr;
    ending->free();
    ending->release();
}
