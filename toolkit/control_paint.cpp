#include "toolkit/control_paint.h"

#include "toolkit/canvas.h"
#include "toolkit/double_buffer.h"
#include "toolkit/gdi_counter.h"

namespace {

bool paintHandler(TControl& control, TMessage& msg, LRESULT& result) {
    // WM_PRINT asks for the client area only with PRF_CLIENT; the frame alone
    // is the system's to draw.
    const bool printClient = msg.message == WM_PRINT && (msg.lParam & PRF_CLIENT);
    if ((msg.message != WM_PAINT && !printClient) || !control.onPaint)
        return false;
    HWND window = msg.window;
    HDC dc = reinterpret_cast<HDC>(msg.wParam);
    HDC savedPaintDC = control.paintDC;
    PAINTSTRUCT paint{};
    const bool begun = dc == nullptr;
    if (begun)
        dc = BeginPaint(window, &paint);
    control.paintDC = dc;

    control.onPaint(&control, dc);

    if (control.canvas)
        control.canvas->setDC(nullptr);
    if (begun)
        EndPaint(window, &paint);
    control.paintDC = savedPaintDC;
    result = 0;
    return true;
}

bool resizeHandler(TControl& control, TMessage& msg, LRESULT&) {
    if (msg.message == WM_SIZE)
        control.onResize(&control);
    return false;
}

} // namespace

void setOnPaint(TControl& control, TPaintEvent handler) {
    control.onPaint = handler;
    control.attachHandler(paintHandler, false);
}

void setOnResize(TControl& control, TNotifyEvent handler) {
    control.onResize = handler;
    control.attachHandler(resizeHandler, false);
}

void setTransparent(TControl& control, bool value) {
    control.transparent = value;
    if (value && control.parent)
        enableDoubleBuffer(*control.parent);
}
