#include "toolkit/edit_text.h"

#include "toolkit/wide_text.h"

#include <utility>

std::int32_t lineCount(TControl& edit) {
    if (!edit.actions.lineCountMsg)
        return 0;
    return static_cast<std::int32_t>(edit.send(edit.actions.lineCountMsg, 0, 0));
}

std::int32_t lineIndex(TControl& edit, std::int32_t line) {
    const auto position = static_cast<std::int32_t>(
        edit.send(edit.actions.lineToPosMsg, static_cast<WPARAM>(line), 0));
    return position < 0 ? 0 : position;
}

std::string lineText(TControl& edit, std::int32_t line) {
    const TObjHold hold(edit);
    const std::int32_t position = lineIndex(edit, line);
    const LRESULT lineNumber =
        edit.send(edit.actions.posToLineMsg, static_cast<WPARAM>(position), 0);
    const auto length = static_cast<std::int32_t>(
        edit.send(edit.actions.lineLengthMsg, static_cast<WPARAM>(position), 0));
    if (length <= 0 || edit.freeRequested())
        return {};
    // The first word of the buffer tells the control how much room there is;
    // a longer line is cut from the whole text.
    if (length >= 0xFFFF)
        return edit.getCaption().substr(static_cast<std::size_t>(position),
                                        static_cast<std::size_t>(length));
    std::wstring buffer(static_cast<std::size_t>(length) + 4, L'\0');
    buffer[0] = static_cast<wchar_t>(length + 1);
    const LRESULT copied = edit.send(edit.actions.getLineMsg, static_cast<WPARAM>(lineNumber),
                                     reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<std::size_t>(copied < length ? (copied > 0 ? copied : 0) : length));
    return fromWideText(buffer);
}

void addText(TControl& edit, const std::string& text) {
    if (edit.actions.addTextProc) {
        edit.actions.addTextProc(edit, text);
    } else {
        edit.setCaption(edit.getCaption() + text);
    }
}

void appendLater(TControl& edit, const std::string& text) {
    TEditText::appendLater(edit, text);
}

void TEditText::appendLater(TControl& edit, const std::string& text) {
    if (!edit.liveWindow() || !(edit.style() & ES_MULTILINE)) {
        edit.setCaption(edit.getCaption() + text);
        return;
    }
    if (text.empty())
        return;
    if (edit.pendingText_.empty()) {
        edit.caption_ = edit.getCaption();
        if (!PostMessageW(edit.handle, wmFlushText, 0, 0)) {
            edit.setCaption(edit.caption_ + text);
            return;
        }
    }
    edit.pendingText_ += text;
    edit.caption_ += text;
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
void TEditText::flush(TControl& edit) {
    const std::wstring added = toWideText(std::exchange(edit.pendingText_, {}));
    if (!edit.liveWindow() || edit.beingDestroyed())
        return; // the caption keeps the text
    const TObjHold hold(edit);
    const auto length = static_cast<std::size_t>(GetWindowTextLengthW(edit.handle));
    if (scrollsOn(edit.handle)) {
        TNotifyEvent& change = edit.notices_[static_cast<int>(TNotice::change)];
        const TNotifyEvent changeHandler = std::exchange(change, {});
        SendMessageW(edit.handle, EM_SETSEL, length, static_cast<LPARAM>(length));
        replaceBeyondLimit(edit.handle, length + added.size(), added);
        SendMessageW(edit.handle, EM_SETSEL, 0, 0);
        SendMessageW(edit.handle, EM_SCROLLCARET, 0, 0);
        change = changeHandler;
    } else {
        SetWindowTextW(edit.handle, toWideText(edit.caption_).c_str());
    }
    edit.invalidate();
    edit.notify(TNotice::fontChange);
}

// The positions come through pointers: the result word holds only 16 bits.
std::int32_t selStart(TControl& edit) {
    if (!edit.actions.selStartMsg)
        return 0;
    DWORD start = 0;
    DWORD end = 0;
    edit.send(edit.actions.selStartMsg, reinterpret_cast<WPARAM>(&start),
              reinterpret_cast<LPARAM>(&end));
    return static_cast<std::int32_t>(start);
}

void setSelStart(TControl& edit, std::int32_t position) {
    edit.send(edit.actions.caretMsg3, static_cast<WPARAM>(position), position);
}

void setSelLength(TControl& edit, std::int32_t length) {
    const TObjHold hold(edit);
    const std::int32_t start = selStart(edit);
    const std::int32_t end = length < 0 ? -1 : start + length;
    edit.send(edit.actions.caretMsg3, static_cast<WPARAM>(start), end);
}

// A line is replaced with its line break; the last line to the end of the
// text. A line that does not exist leaves the text as it is.
void setLineText(TControl& edit, std::int32_t line, const std::string& text) {
    if (line < 0 || !edit.actions.lineToPosMsg)
        return;
    const TObjHold hold(edit);
    const auto start = static_cast<std::int32_t>(
        edit.send(edit.actions.lineToPosMsg, static_cast<WPARAM>(line), 0));
    if (start < 0)
        return;
    const auto next = static_cast<std::int32_t>(
        edit.send(edit.actions.lineToPosMsg, static_cast<WPARAM>(line + 1), 0));
    edit.send(edit.actions.caretMsg3, static_cast<WPARAM>(start), next < 0 ? -1 : next);
    const std::wstring wide = toWideText(text);
    const auto length = static_cast<std::size_t>(GetWindowTextLengthW(edit.handle));
    const std::size_t end = next < 0 ? length : static_cast<std::size_t>(next);
    replaceBeyondLimit(edit.handle, length - (end - static_cast<std::size_t>(start)) + wide.size(),
                       wide);
}

void clearText(TControl& edit) {
    if (edit.actions.clearProc)
        edit.actions.clearProc(edit);
}
