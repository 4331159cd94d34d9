// What serves a control's key and mouse events, and telling it when the
// mouse enters and leaves. The control's event setters attach these
// (control_events.cpp).
#pragma once

#include "toolkit/control.h"

// 4 Shift, 8 Ctrl, 0x20 Alt, from the keyboard state of the current message.
std::uint32_t keyShiftState();

// Key-down, key-up and character messages to the key events; a key or
// character a handler sets to 0 is swallowed.
bool keyEventHook(TControl& control, TMessage& msg, LRESULT& result);
// Button, move, double-click and wheel messages to the mouse events.
bool mouseEventHandler(TControl& control, TMessage& msg, LRESULT& result);
// Mouse messages to the enter and leave notices.
bool enterLeaveHandler(TControl& control, TMessage& msg, LRESULT& result);
