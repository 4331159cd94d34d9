// Double-buffered painting: a control with a transparent child paints its
// whole window tree into one memory bitmap and puts it on the screen with one
// copy, so nothing flickers. Once entered, the mode stays for the run.
#pragma once

#include "toolkit/control.h"

// A double-buffered control's buffer.
struct TBuffer {
    HBITMAP bitmap = nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool painting = false; // the window tree is being painted into it
};

// Gives the control a buffer and installs the toolkit-wide hooks.
void enableDoubleBuffer(TControl& control);
// The outermost double-buffered control among the control and its parents.
TControl* bufferOwner(TControl& control);
// The control's buffer, or nil when it has none.
const TBuffer* bufferOf(const TControl& control);

// The buffer is kept while the painted area fits in it and it is no more
// than this many pixels larger in either direction.
constexpr std::int32_t bufferSlack = 32;
