// The toolkit's process-wide state in one object, the message loop that runs
// the applet, and the application's end.
#pragma once

#include "toolkit/control.h"

struct TApplication {
    TControl* applet = nullptr;          // the running applet
    bool appletRunning = false;          // while run is active
    bool appletTerminated = false;       // once the program is ending; never cleared
    bool appletCreated = false;          // an applet was ever made
    TControl* creatingControl = nullptr; // whose window is being made
    std::uint16_t lastControlId = 0;     // handed out to child controls
    // Set by the first brush tool made: from then on a control's background
    // brush is its brush tool rather than a cached solid brush.
    bool brushToolsMade = false;
    void (*idleProc)() = nullptr; // after each round of messages
    // The optional parts of the toolkit install these once used: buffered
    // painting is offered every message first and hears of invalidations and
    // of windows made; alignment aligns a control's children.
    TMessageHandler paintHook = nullptr;
    void (*invalidateHook)(TControl& control) = nullptr;
    void (*afterCreateHook)(TControl& control) = nullptr;
    void (*alignProc)(TControl& control) = nullptr;
};

extern TApplication application;

// Runs until the application is told to end (WM_QUIT), then terminates the
// applet held in the variable.
void run(TControl*& appletVariable);
// Dispatches every waiting message.
void processMessages();
// Dispatches one waiting message; false when the queue was empty. WM_QUIT
// marks the application terminated instead of being dispatched.
bool processOneMessage();
// Ends the application: a first call lets the queue drain once and closes the
// applet window; the applet is freed and the variable cleared.
void terminate(TControl*& appletVariable);
