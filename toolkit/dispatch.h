// How a window message reaches a control: the one window procedure finds the
// object of the window, which offers the message to the applet's handler,
// its own handler and its handler chain before its built-in processing
// (TControl::windowMethod). The built-in handlers that the factories attach
// to each kind of control live here too, so that what happens to a message
// can be read in one place.
#pragma once

#include "toolkit/control.h"
#include "toolkit/window_objects.h"

// The window procedure of every class the toolkit registers.
LRESULT CALLBACK toolkitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A notification, scroll or colour request that a child window of ours sent
// its parent goes back to that child, which decodes its own codes: the one
// place where that happens. False when the message is none of those or comes
// from no window of ours.
bool reflectToChild(const TMessage& msg, LRESULT& result);
// Every child control: focus remembered by the form, reflected commands and
// colour requests answered.
bool childNotificationHandler(TControl& control, TMessage& msg, LRESULT& result);
// A common control's clicks, reflected to it by its parent.
bool commonNotificationHandler(TControl& control, TMessage& msg, LRESULT& result);
// The applet passes the focus on and closes the main form for its close box.
bool appletHandler(TControl& control, TMessage& msg, LRESULT& result);
// A form gives the focus to its last focused control and ends the program
// with the session.
bool formFocusHandler(TControl& form, TMessage& msg, LRESULT& result);
// A form paints its background and makes missing child windows first.
bool formBackgroundHandler(TControl& form, TMessage& msg, LRESULT& result);
// The show and hide notices follow the window's WM_SHOWWINDOW.
bool visibilityHandler(TControl& control, TMessage& msg, LRESULT& result);
