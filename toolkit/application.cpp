#include "toolkit/application.h"

TApplication application;

bool processOneMessage() {
    MSG msg{};
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        application.appletTerminated = true;
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
    application.appletRunning = true;
    application.applet = appletVariable;
    if (application.applet)
        application.applet->createWindow();
    while (!application.appletTerminated) {
        WaitMessage();
        processMessages();
        if (application.idleProc)
            application.idleProc();
    }
    if (appletVariable)
        terminate(appletVariable);
}

void terminate(TControl*& appletVariable) {
    const bool alreadyEnding = application.appletTerminated;
    application.appletTerminated = true;
    application.appletRunning = false;
    TControl* ending = application.applet;
    application.applet = nullptr;
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
