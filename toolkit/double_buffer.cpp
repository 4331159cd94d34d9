#include "toolkit/double_buffer.h"

#include "toolkit/application.h"
#include "toolkit/gdi_counter.h"
#include "toolkit/window_objects.h"

#include <unordered_map>

namespace {

// The buffers of the double-buffered controls: few, and only this unit uses them.
std::unordered_map<const TControl*, TBuffer>& buffers() {
    static std::unordered_map<const TControl*, TBuffer> table;
    return table;
}

TBuffer& bufferOfOwner(const TControl& owner) {
    return buffers()[&owner];
}

bool isPainting(const TControl& owner) {
    const auto found = buffers().find(&owner);
    return found != buffers().end() && found->second.painting;
}

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
        if (owner && !isPainting(*owner))
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

void deleteBitmap(TBuffer& buffer) {
    deleteGdiObject(buffer.bitmap);
    buffer.bitmap = nullptr;
}

// Registered once, when buffering is enabled.
void forgetBuffer(void* owner) {
    deleteBitmap(bufferOfOwner(*static_cast<const TControl*>(owner)));
    buffers().erase(static_cast<const TControl*>(owner));
}

// False when no buffer can be had (the area is too large for the memory).
bool prepareBuffer(TBuffer& buffer, HDC compatible, std::int32_t width, std::int32_t height) {
    if (buffer.bitmap) {
        const bool fits = buffer.width >= width && buffer.height >= height;
        const bool tooLarge =
            buffer.width > width + bufferSlack || buffer.height > height + bufferSlack;
        if (fits && !tooLarge)
            return true;
        deleteBitmap(buffer);
    }
    buffer.bitmap = countGdiObject(CreateCompatibleBitmap(compatible, width, height));
    buffer.width = buffer.bitmap ? width : 0;
    buffer.height = buffer.bitmap ? height : 0;
    return buffer.bitmap != nullptr;
}

// Paints the owner's window tree into a DC whose origin lies at dcOrigin on
// the screen.
void paintTree(TControl& owner, HDC dc, POINT dcOrigin) {
    HWND window = owner.handle;
    if (!owner.isForm()) {
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
    TBuffer& buffer = bufferOfOwner(owner);
    buffer.painting = true;

    RECT frame{};
    GetWindowRect(window, &frame);
    const POINT frameOrigin{frame.left, frame.top};
    RECT area{};
    POINT origin = frameOrigin; // of the buffer, on the screen
    if (owner.isForm()) {
        GetClientRect(window, &area);
        origin = {0, 0};
        ClientToScreen(window, &origin);
    } else {
        area = {0, 0, frame.right - frame.left, frame.bottom - frame.top};
    }

    HDC screenDC = GetWindowDC(window);
    HDC savedPaintDC = owner.paintDC();
    if (prepareBuffer(buffer, screenDC, area.right, area.bottom)) {
        HDC memoryDC = createMemoryDC(screenDC);
        HGDIOBJ previous = SelectObject(memoryDC, buffer.bitmap);
        owner.setPaintDC(memoryDC);
        paintTree(owner, memoryDC, origin);
        excludeForeignChildren(window, screenDC, frameOrigin);
        BitBlt(screenDC, origin.x - frame.left, origin.y - frame.top, area.right, area.bottom,
               memoryDC, 0, 0, SRCCOPY);
        SelectObject(memoryDC, previous);
        deleteMemoryDC(memoryDC);
    } else {
        // Without a buffer the tree goes straight onto the window: it may
        // flicker, but it shows.
        owner.setPaintDC(screenDC);
        paintTree(owner, screenDC, frameOrigin);
    }
    ReleaseDC(window, screenDC);
    owner.setPaintDC(savedPaintDC);
    ValidateRect(window, nullptr);
    buffer.painting = false;
}

bool isStaticLabel(const TControl& control) {
    return control.subclassName() == "STATIC";
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
        if (isPainting(*owner) && owner->paintDC())
            return false;
        ValidateRect(msg.window, nullptr);
        if (!isPainting(*owner))
            invalidateWhole(owner->handle);
        result = 0;
        return true;
    case WM_ERASEBKGND:
        if (!control.parent || (!control.transparent() && isPainting(*owner)))
            return false;
        result = 1;
        return true;
    case WM_NCPAINT:
        if (control.isForm() || isPainting(*owner))
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
        if (buffers().contains(walk))
            owner = walk;
    return owner;
}

const TBuffer* bufferOf(const TControl& control) {
    const auto found = buffers().find(&control);
    return found == buffers().end() ? nullptr : &found->second;
}

void enableDoubleBuffer(TControl& control) {
    if (!buffers().contains(&control)) {
        buffers()[&control] = {};
        control.addCleanup(forgetBuffer, &control);
    }
    application.paintHook = bufferedPaintHook;
    application.invalidateHook = invalidateOwner;
    application.afterCreateHook = subclassChildren;
}
