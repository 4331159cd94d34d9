#include "plot/plotter.h"

#include "plot/plot_painter.h"
#include "toolkit/bitmap.h"
#include "toolkit/canvas.h"
#include "toolkit/control_factory.h"
#include "toolkit/control_paint.h"
#include "toolkit/gdi_counter.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::uint8_t middleButton = 3;
constexpr std::uint8_t leftButton = 1;

TPixel positionOf(const TMouseRecord& record) {
    return {record.x, record.y};
}

// Whether the button that started the drag is still held.
bool dragButtonHeld(std::uint8_t mode, const TMouseRecord& record) {
    const std::uint32_t button = mode == dmPan ? MK_MBUTTON : MK_LBUTTON;
    return (record.shift & button) != 0;
}

} // namespace

TKNPlotter::TKNPlotter(TControl* parent) : TKNWin(parent), backBuffer_(newBitmap(0, 0)) {
    control = newPictureBox(parent);
    mouseCapture = true;
}

TKNPlotter::~TKNPlotter() {
    // The window may still send a size or paint message while it goes.
    if (control && !windowDestroyed) {
        control->setOnPaint({});
        control->setOn(TNotice::resize, {});
    }
    deleteGdiObject(fullRegion_);
    backBuffer_->free();
}

void TKNPlotter::init() {
    TKNWin::init();
    control->setOnPaint(bindMethod<&TKNPlotter::paintHandler, TControl*, HDC>(this));
    control->setOn(TNotice::resize, bindMethod<&TKNPlotter::resizeHandler, TControl*>(this));
    resizeHandler(control);
}

SIZE TKNPlotter::clientSize() const {
    RECT rect{};
    if (control && !windowDestroyed && control->handle)
        GetClientRect(control->handle, &rect);
    else if (control)
        rect = {0, 0, control->width(), control->height()};
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// A window already wholly invalid needs no second call, which costs a round
// trip to the system: a press adds two points a step.
void TKNPlotter::redraw() {
    if (repaintDue || !control || windowDestroyed || !control->handle)
        return;
    InvalidateRect(control->handle, nullptr, TRUE);
    repaintDue = true;
}

void TKNPlotter::paintPlot() {
    TCanvas* canvas = backBuffer_->getBitmapCanvas();
    if (!canvas)
        return;
    ::paintPlot(*canvas, *this, backBuffer_->width, backBuffer_->height, Color, fullRegion_);
}

void TKNPlotter::paintHandler(TControl*, HDC dc) {
    repaintDue = false;
    paintPlot();
    backBuffer_->draw(dc, 0, 0);
}

void TKNPlotter::resizeHandler(TControl*) {
    const SIZE size = clientSize();
    const std::int32_t width = std::max<std::int32_t>(1, size.cx);
    const std::int32_t height = std::max<std::int32_t>(1, size.cy);
    backBuffer_->setWidth(width);
    backBuffer_->setHeight(height);
    deleteGdiObject(fullRegion_);
    fullRegion_ = countGdiObject(CreateRectRgn(0, 0, width, height));
    paintPlot();
}

void TKNPlotter::drawBand(TPixel from, TPixel to) {
    TCanvas* canvas = getCanvas(*control);
    canvas->penTool().setPenMode(R2_XORPEN - 1);
    canvas->rectangle(from.x, from.y, to.x, to.y);
}

void TKNPlotter::mouseDown(TControl* sender, TMouseRecord& record) {
    TKNWin::mouseDown(sender, record);
    lastPos = downPos = positionOf(record);
    SetFocus(control->handle);
    mouseDownObservers.callAll(&record);
    if (!MouseControl)
        return;
    if (record.button == middleButton)
        dragMode = dmPan;
    else if (record.button == leftButton && GetKeyState(VK_CONTROL) < 0)
        dragMode = dmZoomRect;
    else
        dragMode = dmNone;
    freezeAutomaticLimits();
}

void TKNPlotter::cancelDrag() {
    if (dragMode == dmZoomRect)
        drawBand(downPos, lastPos);
    dragMode = dmNone;
}

void TKNPlotter::mouseMove(TControl* sender, TMouseRecord& record) {
    TKNWin::mouseMove(sender, record);
    const TPixel at = positionOf(record);
    if (dragMode != dmNone && !dragButtonHeld(dragMode, record))
        cancelDrag(); // its button went up where we could not see it
    if (dragMode == dmPan) {
        const SIZE size = clientSize();
        pan(at.x - lastPos.x, at.y - lastPos.y, size.cx, size.cy);
        redraw();
    } else if (dragMode == dmZoomRect) {
        drawBand(downPos, lastPos);
        drawBand(downPos, at);
    }
    lastPos = at;
    mouseMoveObservers.callAll(&record);
}

void TKNPlotter::mouseUp(TControl* sender, TMouseRecord& record) {
    // The base lets the mouse go, which must not cancel this drag.
    const std::uint8_t mode = std::exchange(dragMode, dmNone);
    TKNWin::mouseUp(sender, record);
    if (mode == dmZoomRect) {
        drawBand(downPos, lastPos);
        const SIZE size = clientSize();
        zoomToRectangle(downPos, lastPos, size.cx, size.cy);
        redraw();
    }
    mouseUpObservers.callAll(&record);
}

void TKNPlotter::mouseWheel(TControl* sender, TMouseRecord& record) {
    TKNWin::mouseWheel(sender, record);
    if (!MouseControl)
        return;
    const SIZE size = clientSize();
    wheelZoom(static_cast<std::int32_t>(record.shift), lastPos, size.cx, size.cy);
    redraw();
}

// Another window took the mouse (a box came up, the user switched away):
// no button-up will come for the drag.
bool TKNPlotter::message(TMessage& msg, LRESULT& result) {
    if (msg.message == WM_CAPTURECHANGED && control &&
        reinterpret_cast<HWND>(msg.lParam) != control->handle)
        cancelDrag();
    return TKNWin::message(msg, result);
}
