// Double-buffered painting: a control with a transparent child paints its
// whole window tree into one memory bitmap and puts it on the screen with one
// copy, so nothing flickers. Once entered, the mode stays for the run.
#pragma once

#include "toolkit/control.h"

// Sets the control's flag and installs the toolkit-wide hooks.
void enableDoubleBuffer(TControl& control);
// The outermost double-buffered control among the control and its parents.
TControl* bufferOwner(TControl& control);

// The buffer is kept while the painted area fits in it and it is no more
// than this many pixels larger in either direction.
constexpr std::int32_t bufferSlack = 32;
