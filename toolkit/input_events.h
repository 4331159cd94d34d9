// Key and mouse events of a control, and telling it when the mouse enters
// and leaves. Each setter stores the event and attaches what serves it.
#pragma once

#include "toolkit/control.h"

// 4 Shift, 8 Ctrl, 0x20 Alt, from the keyboard state of the current message.
std::uint32_t keyShiftState();

void setOnKeyDown(TControl& control, TKeyEvent handler);
void setOnKeyUp(TControl& control, TKeyEvent handler);
void setOnChar(TControl& control, TCharEvent handler);

void setOnMouseDown(TControl& control, TMouseEvent handler);
void setOnMouseUp(TControl& control, TMouseEvent handler);
void setOnMouseMove(TControl& control, TMouseEvent handler);
void setOnMouseDblClk(TControl& control, TMouseEvent handler);
void setOnMouseWheel(TControl& control, TMouseEvent handler);

void setOnMouseEnter(TControl& control, TNotifyEvent handler);
void setOnMouseLeave(TControl& control, TNotifyEvent handler);
