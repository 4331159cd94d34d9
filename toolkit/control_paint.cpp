#include "toolkit/control_paint.h"

#include "toolkit/canvas.h"
#include "toolkit/double_buffer.h"

bool paintHandler(TControl& control, TMessage& msg, LRESULT& result) {
    // WM_PRINT asks for the client area only with PRF_CLIENT; the frame alone
    // is the system's to draw.
    const bool printClient = msg.message == WM_PRINT && (msg.lParam & PRF_CLIENT);
    if ((msg.message != WM_PAINT && !printClient) || !control.paints())
        return false;
    HWND window = msg.window;
    HDC dc = reinterpret_cast<HDC>(msg.wParam);
    HDC savedPaintDC = control.paintDC();
    PAINTSTRUCT paint{};
    const bool begun = dc == nullptr;
    if (begun)
        dc = BeginPaint(window, &paint);
    control.setPaintDC(dc);

    control.paint(dc);

    if (control.canvas())
        control.canvas()->setDC(nullptr);
    if (begun)
        EndPaint(window, &paint);
    control.setPaintDC(savedPaintDC);
    result = 0;
    return true;
}

bool resizeHandler(TControl& control, TMessage& msg, LRESULT&) {
    if (msg.message == WM_SIZE)
        control.notify(TNotice::resize);
    return false;
}

void setTransparent(TControl& control, bool value) {
    control.setTransparentFlag(value);
    if (value && control.parent)
        enableDoubleBuffer(*control.parent);
}
