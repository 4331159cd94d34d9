#include "toolkit_fixture.h"

#include "toolkit/control_factory.h"
#include "toolkit/dispatch.h"
#include "toolkit/edit_text.h"
#include "toolkit/failure_report.h"

#include "poisoned_heap.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct Recorder {
    std::vector<UINT> messages;
    int clicks = 0, changes = 0, destroyed = 0, lateCalls = 0;

    void click(TControl*) { ++clicks; }
    void change(TControl*) { ++changes; }
    void gone(TObj*) { ++destroyed; }
    // A callback that comes after the destruction ran on a freed control.
    void lateCall(TControl*) { lateCalls += destroyed; }
    long count(UINT message) const { return std::count(messages.begin(), messages.end(), message); }
    void watch(TControl* c) { c->destroyHandler = bindMethod<&Recorder::gone, TObj*>(this); }
};

Recorder* recorder = nullptr;

bool recordMessage(TControl&, TMessage& msg, LRESULT&) {
    recorder->messages.push_back(msg.message);
    return false;
}

class ControlTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        recorder = &events;
        makeAppletAndForm();
    }
    TControl* memo() { return keep(newEdit(form, eoMultiline)); }
    static HFONT windowFont(TControl* c) { return (HFONT)c->send(WM_GETFONT, 0, 0); }
    Recorder events;
};

// New bounds reach the window wherever it was moved meanwhile; a deferred
// release that another program posts to any of our windows is ignored.
TEST_F(ControlTest, AChildsHandleMakesItsParentsWindowsFirstAndFollowsOnlyItsControl) {
    TControl* edit = keep(newEdit(form, 0));
    edit->attachHandler(recordMessage, false);
    events.watch(edit);
    const RECT place{10, 20, 110, 40};
    edit->setBounds(place);
    HWND window = edit->getHandle();
    EXPECT_EQ(GetWindow(form->handle, GW_OWNER), appletControl->handle); // not a child
    EXPECT_EQ(events.messages[0], static_cast<UINT>(WM_NCCREATE));
    EXPECT_EQ(events.count(WM_CREATE), 1);

    SetWindowPos(window, nullptr, 50, 60, 10, 10, SWP_NOZORDER | SWP_NOACTIVATE);
    edit->setBounds(place);
    const RECT now = edit->getBounds();
    EXPECT_TRUE(EqualRect(&now, &place));

    PostMessageW(window, wmDeferredRelease, 0, 0);
    PostMessageW(form->handle, wmDeferredRelease, 0, 0);
    pumpMessages();
    EXPECT_EQ(events.destroyed, 0);
    EXPECT_EQ(controlOfWindow(window), edit);
    EXPECT_EQ(controlOfWindow(form->handle), form);
    DestroyWindow(window); // the system may give the handle to another window
    EXPECT_EQ(controlOfWindow(window), nullptr);
}

TEST_F(ControlTest, AButtonsClickIsItsEventUnlessTheToolkitItselfMovedTheFocus) {
    TControl* button = keep(newButton(form, "OK"));
    button->setOn(TNotice::click, bindMethod<&Recorder::click, TControl*>(&events));
    form->getHandle();
    for (int guard : {1, 0}) {
        button->navigation.focusGuard = guard;
        SendMessageW(form->handle, WM_COMMAND, MAKEWPARAM(button->controlId(), BN_CLICKED),
                     reinterpret_cast<LPARAM>(button->handle));
    }
    EXPECT_EQ(events.clicks, 1);
}

// The parent hands each notification, scroll and colour request back to the
// child of ours that sent it, under the reflected number; a foreign window's
// stay with the parent.
TEST_F(ControlTest, NotificationsGoBackToTheChildThatSentThem) {
    TControl* slider = keep(newCommonControl(form, "msctls_trackbar32", WS_CHILD, {}, false));
    slider->setOn(TNotice::click, bindMethod<&Recorder::click, TControl*>(&events));
    slider->attachHandler(recordMessage, false);
    form->getHandle();
    HWND foreign = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 1, 1, form->handle, nullptr,
                                   nullptr, nullptr);
    // What the slider got of a message its parent was sent.
    const auto sent = [&](UINT message, WPARAM wParam, LPARAM lParam) {
        events.messages.clear();
        SendMessageW(form->handle, message, wParam, lParam);
        return events.messages;
    };
    NMHDR click{slider->handle, 0, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(sent(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click)),
              std::vector<UINT>{wmReflectedNotify});
    EXPECT_EQ(events.clicks, 1);
    EXPECT_EQ(sent(WM_HSCROLL, TB_ENDTRACK, (LPARAM)slider->handle),
              std::vector<UINT>{wmReflectedHScroll});
    EXPECT_EQ(sent(WM_VSCROLL, TB_ENDTRACK, (LPARAM)slider->handle),
              std::vector<UINT>{wmReflectedVScroll});
    NMHDR other{foreign, 0, static_cast<UINT>(NM_CLICK)};
    EXPECT_TRUE(sent(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&other)).empty());
    EXPECT_TRUE(sent(WM_HSCROLL, TB_ENDTRACK, (LPARAM)foreign).empty());
    EXPECT_EQ(events.clicks, 1);
    DestroyWindow(foreign);
}

TEST_F(ControlTest, ColourRequestsAreAnsweredWithTheControlsColoursAndBrush) {
    TControl* edit = keep(newEdit(form, 0));
    edit->setColor(RGB(10, 20, 30)), edit->setTextColor(RGB(200, 0, 0));
    TControl* glass = keep(newLabel(form, ""));
    glass->setTransparentFlag(true);
    TControl* plain = keep(newLabel(form, "")); // system colours, the parent's brush
    form->getHandle();
    const COLORREF none = RGB(1, 2, 3), text = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // Control, request, brush, background mode and colour, text colour.
    const std::tuple<TControl*, UINT, HGDIOBJ, int, COLORREF, COLORREF> cases[] = {
        {edit, WM_CTLCOLOREDIT, edit->backgroundBrush(), OPAQUE, RGB(10, 20, 30), RGB(200, 0, 0)},
        {glass, WM_CTLCOLORSTATIC, GetStockObject(NULL_BRUSH), TRANSPARENT, none, text},
        {plain, WM_CTLCOLORSTATIC, form->backgroundBrush(), OPAQUE, face, text}};
    const MemoryImage image(1, 1);
    const HDC dc = image.dc;
    for (const auto& [control, message, brush, mode, back, fore] : cases) {
        SetBkColor(dc, none);
        EXPECT_EQ(SendMessageW(form->handle, message, (WPARAM)dc, (LPARAM)control->handle),
                  reinterpret_cast<LRESULT>(brush));
        EXPECT_EQ(std::make_tuple(GetBkMode(dc), GetBkColor(dc), GetTextColor(dc)),
                  std::make_tuple(mode, back, fore));
    }
}

std::vector<std::string> failures;

TEST_F(ControlTest, AFailureEscapingAHandlerOrTheProgramIsReportedNotUnwound) {
    failures.clear();
    setFailureReporter([](const char* what) { failures.push_back(what); });
    TControl* button = keep(newButton(form, "OK"));
    button->attachHandler(
        [](TControl&, TMessage& msg, LRESULT&) -> bool {
            if (msg.message == WM_APP)
                throw std::runtime_error("broken handler");
            return false;
        },
        false);
    EXPECT_EQ(SendMessageW(button->getHandle(), WM_APP, 0, 0), 0);
    EXPECT_EQ(runReportingFailures([]() -> int { throw 42; }), failureExitCode);
    EXPECT_EQ(runReportingFailures([] { return 7; }), 7);
    setFailureReporter(nullptr);
    EXPECT_EQ(failures, (std::vector<std::string>{"broken handler", unknownFailure}));
}

UINT freeingMessage;
bool olderHandlerRan, destroyedInsideHandler;

bool freeOnMessage(TControl& control, TMessage& msg, LRESULT&) {
    if (msg.message == freeingMessage) {
        control.free(); // the reference bracket defers the destruction
        destroyedInsideHandler = recorder->destroyed != 0 || !IsWindow(control.handle);
    }
    return false;
}

// A handler frees the control on a message that a method of the control, or
// the user, sends: the control goes once the method and the handler are done
// with it, no older handler sees the message, and no callback reaches it after.
// The control lives in guarded memory: any use after it went faults.
TEST_F(ControlTest, AControlFreedByAMessageItsMethodSendsGoesAfterTheMethod) {
    // The message, whether the call makes the window, the call.
    const std::tuple<UINT, bool, void (*)(TControl&)> cases[] = {
        {WM_APP, false, [](TControl& c) { EXPECT_EQ(SendMessageW(c.handle, WM_APP, 0, 0), 0); }},
        {WM_SETTEXT, false, [](TControl& c) { c.setCaption("new"); }},
        {WM_SETTEXT, false, [](TControl& c) { clearText(c); }},
        {WM_SETTEXT, false, [](TControl& c) { addText(c, "4"); }},
        {WM_SETFONT, false, [](TControl& c) { c.fontTool().setFontHeight(-20); }},
        {WM_SHOWWINDOW, false, [](TControl& c) { c.setVisible(true); }},
        {WM_STYLECHANGED, false, [](TControl& c) { c.setStyle(c.style() | ES_UPPERCASE); }},
        {WM_CREATE, true, [](TControl& c) { EXPECT_EQ(c.getHandle(), nullptr); }},
        {WM_CREATE, true, [](TControl& c) { EXPECT_FALSE(c.createWindow()); }},
    };
    for (int i = 0; const auto& [message, makesWindow, call] : cases) {
        SCOPED_TRACE(i++);
        events = {};
        const ScopedGuardedHeap guarded;
        TControl* edit = newEdit(form, 0);
        events.watch(edit);
        edit->setOn(TNotice::fontChange, bindMethod<&Recorder::lateCall, TControl*>(&events));
        HWND window = makesWindow ? nullptr : edit->getHandle();
        freeingMessage = message;
        olderHandlerRan = false, destroyedInsideHandler = true;
        edit->attachHandler(
            [](TControl&, TMessage& msg, LRESULT&) {
                return olderHandlerRan |= msg.message == freeingMessage;
            },
            false);
        edit->attachHandler(freeOnMessage, false);
        call(*edit);
        EXPECT_FALSE(destroyedInsideHandler);
        EXPECT_FALSE(olderHandlerRan);
        EXPECT_EQ(events.destroyed, 1);
        EXPECT_EQ(events.lateCalls, 0);
        EXPECT_FALSE(window && IsWindow(window));
        pumpMessages();
    }
    EXPECT_EQ(form->childCount(), 0);
    EXPECT_EQ(form->formState()->lastFocused, nullptr);
}

// A line is replaced with its line break, the last one to the end of the
// text; a line that does not exist leaves the text alone. Positions go
// beyond what 16 bits can count.
TEST_F(ControlTest, LinesAreFoundAtAnyPositionAndOnlyExistingLinesAreReplaced) {
    TControl* edit = memo();
    edit->getHandle();
    const std::string longLine(70000, 'x');
    edit->setCaption(longLine + "\r\nb");
    EXPECT_EQ(lineText(*edit, 0), longLine);
    EXPECT_EQ(lineText(*edit, 1), "b");
    setSelStart(*edit, 70001);
    EXPECT_EQ(selStart(*edit), 70001);

    // Text, line, replacement, result; | stands for a line break, # for the long line.
    const std::tuple<const char*, std::int32_t, const char*, const char*> cases[] = {
        {"ж|b|c", 1, "2|", "ж|2|c"}, {"a", 0, "x", "x"},         {"a|b", 1, "три", "a|три"},
        {"a|b", 2, "-", "a|b"},      {"", 1, "-", ""},           {"a|b", -1, "-", "a|b"},
        {"#|b", 1, "2", "#|2"},      {"#|b|c", 1, "2|", "#|2|c"}};
    const auto expand = [&longLine](std::string s) {
        for (std::size_t at; (at = s.find_first_of("|#")) != s.npos;)
            s.replace(at, 1, s[at] == '|' ? "\r\n" : longLine);
        return s;
    };
    for (const auto& [text, line, replacement, expected] : cases) {
        edit->setCaption(expand(text));
        setLineText(*edit, line, expand(replacement));
        const std::string result = edit->getCaption();
        EXPECT_TRUE(result == expand(expected))
            << line << ": ..." << result.substr(result.size() / 2);
    }
}

// Appends go in together at the next pump, leaving the edit as WM_SETTEXT would
// (no change notification, the caret and the view at the start). Neither a limit
// nor a box without vertical scrolling may make the edit refuse them, nor may the
// toolkit then reset the whole text.
TEST_F(ControlTest, AppendsPastTheEditLimitNeverResetTheWholeText) {
    // The default limit (about 30,000 characters), one set lower, no scrolling.
    const std::tuple<WPARAM, std::uint32_t> cases[] = {
        {0, eoMultiline}, {20, eoMultiline}, {0, eoMultiline | eoNoVScroll}};
    for (const auto& [setLimit, options] : cases) {
        SCOPED_TRACE(setLimit + options);
        TControl* edit = keep(newEdit(form, options));
        edit->attachHandler(recordMessage, false);
        events = {};
        edit->setOn(TNotice::change, bindMethod<&Recorder::change, TControl*>(&events));
        edit->getHandle();
        if (setLimit)
            edit->send(EM_SETLIMITTEXT, setLimit, 0);
        const LRESULT limit = edit->send(EM_GETLIMITTEXT, 0, 0);
        std::string expected;
        for (int turn = 0; turn < 10; ++turn, pumpMessages()) {
            for (int i = 0; i < 200; ++i) {
                const std::string line =
                    "\r\nстрока " + std::to_string(turn * 200 + i) + " из 2000";
                addText(*edit, line);
                expected += line;
            }
            EXPECT_TRUE(edit->getCaption() == expected) << turn; // before the window has it
        }
        EXPECT_TRUE(edit->getCaption() == expected);
        // Without scrolling lines below the box would be refused: it is set whole.
        if (!(options & eoNoVScroll)) {
            EXPECT_EQ(events.count(WM_SETTEXT), 0);
            EXPECT_EQ(events.count(EM_REPLACESEL), 10);
        }
        EXPECT_EQ(events.changes, 0);
        EXPECT_EQ(selStart(*edit), 0);
        EXPECT_EQ(edit->send(EM_GETFIRSTVISIBLELINE, 0, 0), 0);
        EXPECT_EQ(edit->send(EM_GETLIMITTEXT, 0, 0), limit); // what the user may type
    }
}

TEST_F(ControlTest, AppendsStillToComeServeAnyMessageAndGoWithANewTextOrTheControl) {
    TControl* edit = memo();
    edit->getHandle();
    edit->setCaption("first");
    addText(*edit, "\r\nlast");
    EXPECT_EQ(GetWindowTextLengthW(edit->handle), 11); // the window has it, pumped or not
    addText(*edit, "\r\nlost");
    edit->setCaption("new");
    pumpMessages();
    EXPECT_EQ(edit->getCaption(), "new");
    // A control freed with text still to come leaves nothing behind.
    TControl* freed = newEdit(form, eoMultiline);
    freed->getHandle();
    addText(*freed, "never shown");
    freed->free();
    pumpMessages();
}

TEST_F(ControlTest, ChildrenShareTheParentsFontUntilTheirOwnChanges) {
    const ScopedGuardedHeap guarded; // any use of the form once freed faults
    TControl* second = newForm(appletControl, "Second");
    second->fontTool().setFontHeight(-20);
    TControl* label = keep(newLabel(second, "Text"));
    second->getHandle();
    EXPECT_EQ(windowFont(label), second->font()->getToolHandle()); // one handle for equal settings
    // The font asks for Cyrillic letters whatever the system's code page, and
    // the face that has them is the one shown.
    LOGFONTW record{};
    GetObjectW(windowFont(label), sizeof record, &record);
    EXPECT_EQ(record.lfCharSet, RUSSIAN_CHARSET);
    const MemoryImage image(1, 1);
    SelectObject(image.dc, windowFont(label));
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(image.dc, LF_FACESIZE, face);
    EXPECT_EQ(GetTextCharset(image.dc), RUSSIAN_CHARSET);
    EXPECT_STREQ(face, L"MS Sans Serif");

    // A change of the child's font makes its own handle and applies it; the
    // parent's changes leave a font with a handle of its own alone.
    label->font()->setColor(RGB(0, 0, 255));
    EXPECT_EQ(label->textColor(), RGB(0, 0, 255));
    const HFONT own = windowFont(label);
    EXPECT_NE(own, second->font()->getToolHandle());
    second->font()->setFontHeight(-21);
    EXPECT_EQ(windowFont(label), own);
    second->font()->setFontHeight(-20);
    label->font()->setColor(second->font()->color);
    // A change of the parent's font reaches the child that showed its handle.
    second->font()->setFontHeight(-24);
    EXPECT_EQ(GetObjectType(windowFont(label)), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(windowFont(label), label->font()->getToolHandle());

    // The parent may go first: its font lives on for the child, which is
    // still told of its changes, and the freed parent unbound its tools.
    label->font()->setFontHeight(-24); // equal again: it lets its own go and borrows
    EXPECT_EQ(label->font()->getToolHandle(), second->font()->getToolHandle());
    second->free();
    ASSERT_NE(label->font()->parentTool, nullptr);
    label->setOn(TNotice::fontChange, bindMethod<&Recorder::change, TControl*>(&events));
    label->font()->parentTool->setFontHeight(-26);
    EXPECT_EQ(GetObjectType(label->font()->getToolHandle()), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(events.changes, 1);
}

// Applet, form and label share one font: a change at the top reaches the
// label, two borrowers down, which shows a live font again (the form's,
// whose settings stayed).
TEST_F(ControlTest, AChangeOfASharedFontReachesEveryBorrowerBelow) {
    appletControl->fontTool().setFontHeight(-18);
    TControl* third = keep(newForm(appletControl, "Third"));
    TControl* label = keep(newLabel(third, "Text"));
    third->getHandle();
    EXPECT_EQ(windowFont(label), appletControl->font()->getToolHandle());
    appletControl->font()->setFontHeight(-22);
    EXPECT_EQ(GetObjectType(windowFont(label)), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(windowFont(label), third->font()->getToolHandle());
}

} // namespace
