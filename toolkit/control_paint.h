// The paint cycle of a control that paints itself, its resize notice, and
// transparency (which puts the parent into double-buffered painting). The
// control's setters attach the handlers (control_events.cpp).
#pragma once

#include "toolkit/control.h"

// WM_PAINT (and WM_PRINT of the client area) becomes one call of the paint
// event with the DC to draw on: the DC in wParam when there is one, else the
// one BeginPaint gives. The control's canvas draws on that DC during the call.
bool paintHandler(TControl& control, TMessage& msg, LRESULT& result);
// WM_SIZE becomes the resize notice, before the control's own processing.
bool resizeHandler(TControl& control, TMessage& msg, LRESULT& result);
// A transparent control is painted over its parent, which therefore paints
// its whole window tree through a buffer.
void setTransparent(TControl& control, bool value);
