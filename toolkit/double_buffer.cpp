#include "toolkit/double_buffer.h"

#include "toolkit/dispatch.h"
#include "toolkit/gdi_counter.h"

namespace {

const wchar_t previousProcProperty[] = L"PREV_PROC";
constexpr WORD repaintingCommand = 1;

void invalidateWhole(HWND window) {
    InvalidateRect(window, nullptr, TRUE);
}

// ---- windows without an object of ours ----

LRESULT CALLBACK foreignChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message == WM_ERASEBKGND || message == WM_NCPAINT) && !controlOfWindow(window)) {
        TControl* parent = controlOfWindow(GetParent(window));
        TControl* owner = parent ? bufferOwner(*parent) : nullptr;
        // Outside the buffered paint the screen is not touched: the buffer
        // brings the whole picture.
        if (owner && !owner->painting)
            return message == WM_ERASEBKGND ? 1 : 0;
    }
    auto previous = reinterpret_cast<WNDPROC>(GetPropW(window, previousProcProperty));
    if (!previous)
        return DefWindowProcW(window, message, wParam, lParam);
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

BOOL CALLBACK subclassChild(HWND child, LPARAM) {
    if (GetPropW(child, previousProcProperty))
        return TRUE;
    const LONG_PTR previous =
        SetWindowLongPtrW(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(foreignChildProc));
    SetPropW(child, previousProcProperty, reinterpret_cast<HANDLE>(previous));
    return TRUE;
}

void subclassChildren(TControl& control) {
    if (control.handle)
        EnumChildWindows(control.handle, subclassChild, 0);
}

void invalidateOwner(TControl& control) {
    TControl* owner = bufferOwner(control);
    if (owner && owner->handle)
        invalidateWhole(owner->handle);
}

// ---- painting a window tree into a DC ----

// Window and client origins are placed relative to the buffer's origin on
// the screen.
void paintWindowInto(HWND window, HDC dc, POINT bufferOrigin);

void paintChainInto(HWND first, HDC dc, POINT bufferOrigin) {
    for (HWND window = first; window; window = GetWindow(window, GW_HWNDNEXT))
        paintWindowInto(window, dc, bufferOrigin);
}

void paintWindowInto(HWND window, HDC dc, POINT bufferOrigin) {
    if (!IsWindowVisible(window))
        return;
    const int saved = SaveDC(dc);
    RECT frame{};
    GetWindowRect(window, &frame);
    SetWindowOrgEx(dc, bufferOrigin.x - frame.left, bufferOrigin.y - frame.top, nullptr);
    IntersectClipRect(dc, 0, 0, frame.right - frame.left, frame.bottom - frame.top);
    SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT);

    POINT client{0, 0};
    ClientToScreen(window, &client);
    RECT clientRect{};
    GetClientRect(window, &clientRect);
    SetWindowOrgEx(dc, bufferOrigin.x - client.x, bufferOrigin.y - client.y, nullptr);
    IntersectClipRect(dc, 0, 0, clientRect.right, clientRect.bottom);
    SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    if (HWND child = GetWindow(window, GW_CHILD))
        paintChainInto(child, dc, bufferOrigin);
    RestoreDC(dc, saved);
}

// Windows that are not ours paint themselves on the screen: the copy of the
// buffer leaves them alone.
void excludeForeignChildren(HWND window, HDC dc, POINT dcOrigin) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        if (controlOfWindow(child)) {
            excludeForeignChildren(child, dc, dcOrigin);
            continue;
        }
        RECT rect{};
        GetWindowRect(child, &rect);
        ExcludeClipRect(dc, rect.left - dcOrigin.x, rect.top - dcOrigin.y, rect.right - dcOrigin.x,
                        rect.bottom - dcOrigin.y);
    }
}

void deleteBuffer(void* argument) {
    auto* control = static_cast<TControl*>(argument);
    deleteGdiObject(control->bufferBitmap);
    control->bufferBitmap = nullptr;
}

// False when no buffer can be had (the area is too large for the memory).
bool prepareBuffer(TControl& owner, HDC compatible, std::int32_t width, std::int32_t height) {
    if (owner.bufferBitmap) {
        const bool fits = owner.bufferWidth >= width && owner.bufferHeight >= height;
        const bool tooLarge =
            owner.bufferWidth > width + bufferSlack || owner.bufferHeight > height + bufferSlack;
        if (fits && !tooLarge)
            return true;
        deleteBuffer(&owner);
    }
    owner.bufferBitmap = countGdiObject(CreateCompatibleBitmap(compatible, width, height));
    owner.bufferWidth = owner.bufferBitmap ? width : 0;
    owner.bufferHeight = owner.bufferBitmap ? height : 0;
    return owner.bufferBitmap != nullptr;
}

// Paints the owner's window tree into a DC whose origin lies at dcOrigin on
// the screen.
void paintTree(TControl& owner, HDC dc, POINT dcOrigin) {
    HWND window = owner.handle;
    if (!owner.isForm) {
        paintWindowInto(window, dc, dcOrigin);
        return;
    }
    POINT client{0, 0};
    ClientToScreen(window, &client);
    const int saved = SaveDC(dc);
    SetWindowOrgEx(dc, dcOrigin.x - client.x, dcOrigin.y - client.y, nullptr);
    SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
    if (HWND child = GetWindow(window, GW_CHILD))
        paintChainInto(child, dc, dcOrigin);
}

void bufferedPaint(TControl& owner) {
    HWND window = owner.handle;
    RECT update{};
    if (!GetUpdateRect(window, &update, FALSE))
        return;
    owner.painting = true;

    RECT frame{};
    GetWindowRect(window, &frame);
    const POINT frameOrigin{frame.left, frame.top};
    RECT area{};
    POINT origin = frameOrigin; // of the buffer, on the screen
    if (owner.isForm) {
        GetClientRect(window, &area);
        origin = {0, 0};
        ClientToScreen(window, &origin);
    } else {
        area = {0, 0, frame.right - frame.left, frame.bottom - frame.top};
    }

    HDC screenDC = GetWindowDC(window);
    HDC savedPaintDC = owner.paintDC;
    if (prepareBuffer(owner, screenDC, area.right, area.bottom)) {
        HDC memoryDC = createMemoryDC(screenDC);
        HGDIOBJ previous = SelectObject(memoryDC, owner.bufferBitmap);
        owner.paintDC = memoryDC;
        paintTree(owner, memoryDC, origin);
        excludeForeignChildren(window, screenDC, frameOrigin);
        BitBlt(screenDC, origin.x - frame.left, origin.y - frame.top, area.right, area.bottom,
               memoryDC, 0, 0, SRCCOPY);
        SelectObject(memoryDC, previous);
        deleteMemoryDC(memoryDC);
    } else {
        // Without a buffer the tree goes straight onto the window: it may
        // flicker, but it shows.
        owner.paintDC = screenDC;
        paintTree(owner, screenDC, frameOrigin);
    }
    ReleaseDC(window, screenDC);
    owner.paintDC = savedPaintDC;
    ValidateRect(window, nullptr);
    owner.painting = false;
}

bool isStaticLabel(const TControl& control) {
    return control.subclassName == "STATIC";
}

bool bufferedPaintHook(TControl& control, TMessage& msg, LRESULT& result) {
    const UINT message = msg.message;
    const bool interesting = message == WM_SETTEXT || message == WM_PAINT ||
                             message == WM_ERASEBKGND || message == WM_NCPAINT ||
                             message == WM_WINDOWPOSCHANGED || message == WM_HSCROLL ||
                             message == WM_VSCROLL || message == WM_COMMAND;
    if (!interesting || msg.window != control.handle)
        return false;
    TControl* owner = bufferOwner(control);
    if (!owner)
        return false;
    switch (message) {
    case WM_SETTEXT:
        if (!isStaticLabel(control))
            return false;
        // The label's own handling would paint the new text straight onto
        // the screen: the text is stored without it and the buffer brings
        // the new picture. A hidden label stays hidden.
        result = DefWindowProcW(msg.window, message, msg.wParam, msg.lParam);
        if (IsWindowVisible(msg.window))
            control.invalidate();
        return true;
    case WM_PAINT:
        if (owner == &control) {
            if (msg.wParam)
                return false;
            bufferedPaint(control);
            result = 0;
            return true;
        }
        if (owner->painting && owner->paintDC)
            return false;
        ValidateRect(msg.window, nullptr);
        if (!owner->painting)
            invalidateWhole(owner->handle);
        result = 0;
        return true;
    case WM_ERASEBKGND:
        if (!control.parent || (!control.transparent && owner->painting))
            return false;
        result = 1;
        return true;
    case WM_NCPAINT:
        if (control.isForm || owner->painting)
            return false;
        result = 0;
        return true;
    case WM_COMMAND:
        if (HIWORD(msg.wParam) != repaintingCommand)
            return false;
        control.invalidate();
        return false;
    default: // moved, resized or scrolled
        control.invalidate();
        return false;
    }
}

} // namespace

TControl* bufferOwner(TControl& control) {
    TControl* owner = nullptr;
    for (TControl* walk = &control; walk; walk = walk->parent)
        if (walk->doubleBuffered)
            owner = walk;
    return owner;
}

void enableDoubleBuffer(TControl& control) {
    if (!control.doubleBuffered)
        control.addCleanup(deleteBuffer, &control);
    control.doubleBuffered = true;
    paintHook = bufferedPaintHook;
    invalidateHook = invalidateOwner;
    afterCreateHook = subclassChildren;
}
