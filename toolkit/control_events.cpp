// A control's events: each setter attaches whatever serves the event, so
// that a handler set is a handler that runs.
#include "toolkit/control.h"

#include "toolkit/control_factory.h"
#include "toolkit/control_paint.h"
#include "toolkit/dispatch.h"
#include "toolkit/input_events.h"

#include <cassert>

namespace {

int index(auto kind) {
    return static_cast<int>(kind);
}

} // namespace

void TControl::setOn(TNotice notice, TNotifyEvent handler) {
    notices_[index(notice)] = handler;
    switch (notice) {
    case TNotice::click:
    case TNotice::change:
        // The child notification handler, attached to every child control.
        assert(isControl() && "only a child control reports clicks and changes");
        break;
    case TNotice::show:
    case TNotice::hide:
        attachHandler(visibilityHandler, false);
        break;
    case TNotice::mouseEnter:
    case TNotice::mouseLeave:
        initCommonControls(); // to ask to hear when the mouse leaves
        attachHandler(enterLeaveHandler, false);
        invalidate();
        break;
    case TNotice::resize:
        attachHandler(resizeHandler, false);
        break;
    default: // fontChange and createWindow: the control tells them itself
        break;
    }
}

void TControl::setOn(TMouseAction action, TMouseEvent handler) {
    mouseEvents_[index(action)] = handler;
    attachHandler(mouseEventHandler, false);
}

void TControl::setOn(TKeyAction action, TKeyEvent handler) {
    keyEvents_[index(action)] = handler;
    keyHook_ = keyEventHook;
}

void TControl::setOnChar(TCharEvent handler) {
    onChar_ = handler;
    keyHook_ = keyEventHook;
}

void TControl::setOnPaint(TPaintEvent handler) {
    onPaint_ = handler;
    attachHandler(paintHandler, false);
}

void TControl::clearEvents() {
    for (auto& event : notices_)
        event = {};
    for (auto& event : mouseEvents_)
        event = {};
    for (auto& event : keyEvents_)
        event = {};
    onChar_ = {};
    onPaint_ = {};
}

const TNotifyEvent& TControl::handler(TNotice notice) const {
    return notices_[index(notice)];
}

const TKeyEvent& TControl::handler(TKeyAction action) const {
    return keyEvents_[index(action)];
}

void TControl::notify(TNotice notice) {
    notices_[index(notice)](this);
}

void TControl::raise(TMouseAction action, TMouseRecord& record) {
    mouseEvents_[index(action)](this, record);
}

void TControl::raise(TKeyAction action, std::int32_t& key, std::uint32_t shift) {
    keyEvents_[index(action)](this, key, shift);
}

void TControl::raiseChar(char& character, std::uint32_t shift) {
    onChar_(this, character, shift);
}

void TControl::paint(HDC dc) {
    onPaint_(this, dc);
}
