// Placing aligned children along the edges of their parent.
#pragma once

#include "toolkit/control.h"

// Makes alignment live; a changed value re-aligns the control's parent.
void setAlign(TControl& control, std::uint8_t value);
// Places the control's aligned children inside its client area less its
// client margins: top and bottom first, then left and right, then client.
void alignChildren(TControl& control);
