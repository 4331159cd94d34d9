// The message loop that runs the applet, and the application's end.
#pragma once

#include "toolkit/control.h"

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

// Called after each round of messages; does nothing unless replaced.
extern void (*idleProc)();
