#include "toolkit/control.h"

#include "toolkit/wide_text.h"

#include <utility>

std::int32_t TControl::lineCount() {
    if (!actions.lineCountMsg)
        return 0;
    return static_cast<std::int32_t>(send(actions.lineCountMsg, 0, 0));
}

std::int32_t TControl::lineIndex(std::int32_t line) {
    const auto position =
        static_cast<std::int32_t>(send(actions.lineToPosMsg, static_cast<WPARAM>(line), 0));
    return position < 0 ? 0 : position;
}

std::string TControl::lineText(std::int32_t line) {
    const TObjHold hold(*this);
    const std::int32_t position = lineIndex(line);
    const LRESULT lineNumber = send(actions.posToLineMsg, static_cast<WPARAM>(position), 0);
    const auto length =
        static_cast<std::int32_t>(send(actions.lineLengthMsg, static_cast<WPARAM>(position), 0));
    if (length <= 0 || freeRequested())
        return {};
    // The first word of the buffer tells the control how much room there is;
    // a longer line is cut from the whole text.
    if (length >= 0xFFFF)
        return getCaption().substr(static_cast<std::size_t>(position),
                                   static_cast<std::size_t>(length));
    std::wstring buffer(static_cast<std::size_t>(length) + 4, L'\0');
    buffer[0] = static_cast<wchar_t>(length + 1);
    const LRESULT copied = send(actions.getLineMsg, static_cast<WPARAM>(lineNumber),
                                reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<std::size_t>(copied < length ? (copied > 0 ? copied : 0) : length));
    return fromWideText(buffer);
}

void TControl::addText(const std::string& text) {
    if (actions.addTextProc) {
        actions.addTextProc(*this, text);
    } else {
        setCaption(getCaption() + text);
    }
}

void TControl::appendLater(const std::string& text) {
    if (!liveWindow() || !(style & ES_MULTILINE)) {
        setCaption(getCaption() + text);
        return;
    }
    if (text.empty())
        return;
    if (pendingText.empty()) {
        caption = getCaption();
        if (!PostMessageW(handle, wmFlushText, 0, 0)) {
            setCaption(caption + text);
            return;
        }
    }
    pendingText += text;
    caption += text;
}

namespace {

// Without ES_AUTOVSCROLL a multi-line edit refuses text below its box, and
// WM_SETTEXT is the only way in.
bool scrollsOn(HWND window) {
    return GetWindowLongPtrW(window, GWL_STYLE) & ES_AUTOVSCROLL;
}

std::size_t textLimit(HWND window) {
    return static_cast<std::uint32_t>(SendMessageW(window, EM_GETLIMITTEXT, 0, 0));
}

// The limit binds what the user types; the program's own text is not bound by
// it (WM_SETTEXT never was), so it is lifted only for the insertion and then
// put back, leaving the edit as setting the whole text would.
void replaceBeyondLimit(HWND window, std::size_t total, const std::wstring& added) {
    const std::size_t limit = textLimit(window);
    if (total > limit)
        SendMessageW(window, EM_SETLIMITTEXT, total, 0);
    SendMessageW(window, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(added.c_str()));
    if (total > limit)
        SendMessageW(window, EM_SETLIMITTEXT, limit, 0);
}

} // namespace

// The text goes in as if set whole: caret and view at the start, and no change
// notification (a multi-line edit gets none for WM_SETTEXT). Replacing the
// empty selection at the end lays out only the added lines, so appends over
// many turns stay linear however long the text grows.
void TControl::flushPendingText() {
    const std::wstring added = toWideText(std::exchange(pendingText, {}));
    if (!liveWindow() || beingDestroyed())
        return; // the caption keeps the text
    const TObjHold hold(*this);
    const auto length = static_cast<std::size_t>(GetWindowTextLengthW(handle));
    if (scrollsOn(handle)) {
        const TNotifyEvent changeHandler = std::exchange(onChange, {});
        SendMessageW(handle, EM_SETSEL, length, static_cast<LPARAM>(length));
        replaceBeyondLimit(handle, length + added.size(), added);
        SendMessageW(handle, EM_SETSEL, 0, 0);
        SendMessageW(handle, EM_SCROLLCARET, 0, 0);
        onChange = changeHandler;
    } else {
        SetWindowTextW(handle, toWideText(caption).c_str());
    }
    invalidate();
    onFontChange(this);
}

// The positions come through pointers: the result word holds only 16 bits.
std::int32_t TControl::selStart() {
    if (!actions.selStartMsg)
        return 0;
    DWORD start = 0;
    DWORD end = 0;
    send(actions.selStartMsg, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<std::int32_t>(start);
}

void TControl::setSelStart(std::int32_t position) {
    send(actions.caretMsg3, static_cast<WPARAM>(position), position);
}

void TControl::setSelLength(std::int32_t length) {
    const TObjHold hold(*this);
    const std::int32_t start = selStart();
    const std::int32_t end = length < 0 ? -1 : start + length;
    send(actions.caretMsg3, static_cast<WPARAM>(start), end);
}

// A line is replaced with its line break; the last line to the end of the
// text. A line that does not exist leaves the text as it is.
void TControl::setLineText(std::int32_t line, const std::string& text) {
    if (line < 0 || !actions.lineToPosMsg)
        return;
    const TObjHold hold(*this);
    const auto start =
        static_cast<std::int32_t>(send(actions.lineToPosMsg, static_cast<WPARAM>(line), 0));
    if (start < 0)
        return;
    const auto next =
        static_cast<std::int32_t>(send(actions.lineToPosMsg, static_cast<WPARAM>(line + 1), 0));
    send(actions.caretMsg3, static_cast<WPARAM>(start), next < 0 ? -1 : next);
    const std::wstring wide = toWideText(text);
    const auto length = static_cast<std::size_t>(GetWindowTextLengthW(handle));
    const std::size_t end = next < 0 ? length : static_cast<std::size_t>(next);
    replaceBeyondLimit(handle, length - (end - static_cast<std::size_t>(start)) + wide.size(),
                       wide);
}

void TControl::clearText() {
    if (actions.clearProc)
        actions.clearProc(*this);
}
