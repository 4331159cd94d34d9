// The paint cycle of a control with a paint handler, its resize event and
// transparency (which puts the parent into double-buffered painting).
#pragma once

#include "toolkit/control.h"

using TPaintEvent = TMethod<TControl*, HDC>;

// WM_PAINT (and WM_PRINT of the client area) becomes one call of the handler
// with the DC to draw on: the DC in wParam when there is one, else the one
// BeginPaint gives. The control's canvas draws on that DC during the call.
void setOnPaint(TControl& control, TPaintEvent handler);
// Called on WM_SIZE, before the control's own processing.
void setOnResize(TControl& control, TNotifyEvent handler);
// A transparent control is painted over its parent, which therefore paints
// its whole window tree through a buffer.
void setTransparent(TControl& control, bool value);
