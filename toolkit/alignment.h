// Placing aligned children along the edges of their parent.
#pragma once

#include "toolkit/control.h"

enum TAlign : std::uint8_t {
    alNone = 0,
    alLeft = 1,
    alTop = 2,
    alRight = 3,
    alBottom = 4,
    alClient = 5
};

// Makes alignment live; a changed value re-aligns the control's parent.
void setAlign(TControl& control, std::uint8_t value);
// Places the control's aligned children inside its client area: top and
// bottom first, then left and right, then client.
void alignChildren(TControl& control);
