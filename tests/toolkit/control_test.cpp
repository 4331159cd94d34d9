#include "toolkit_fixture.h"

#include "runtime/platform_hooks.h"
#include "toolkit/control_factory.h"
#include "toolkit/dispatch.h"
#include "toolkit/failure_report.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
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
    void TearDown() override {
        ToolkitTest::TearDown();
        recorder = nullptr;
    }
    TControl* trackBar() {
        return keep(
            newCommonControl(form, TRACKBAR_CLASSA, WS_CHILD | WS_VISIBLE, staticActions, false));
    }
    Recorder events;
};

TEST_F(ControlTest, AChildsHandleMakesItsParentsWindowsFirstAndItsHandlersSeeItsCreation) {
    TControl* edit = keep(newEdit(form, 0));
    edit->attachHandler(recordMessage, false);
    HWND window = edit->getHandle();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), form->handle);
    // The form is owned by the applet, not its child.
    EXPECT_EQ(GetWindow(form->handle, GW_OWNER), appletControl->handle);
    EXPECT_EQ(controlOfWindow(form->handle), form);
    EXPECT_EQ(toolkitWindowCount(), 2); // the top-level ones, of classes named "obj_..."
    EXPECT_EQ(events.count(WM_NCCREATE), 1);
    EXPECT_EQ(events.count(WM_CREATE), 1);
}

TEST_F(ControlTest, NotificationsArriveAsTheControlsOwnEvents) {
    TControl* button = keep(newButton(form, "OK"));
    TControl* edit = keep(newEdit(form, 0));
    TControl* track = trackBar();
    for (TControl* control : {button, edit, track}) {
        control->onClick = bindMethod<&Recorder::click, TControl*>(&events);
        control->onChange = bindMethod<&Recorder::change, TControl*>(&events);
    }
    form->getHandle();
    const auto expectEvents = [this](const char* what, int clicks, int changes) {
        pumpMessages();
        EXPECT_EQ(events.clicks, clicks) << what;
        EXPECT_EQ(events.changes, changes) << what;
        events.clicks = events.changes = 0;
    };
    const auto command = [this](TControl* control, WORD code) {
        SendMessageW(form->handle, WM_COMMAND, MAKEWPARAM(control->controlId, code),
                     reinterpret_cast<LPARAM>(control->handle));
    };

    SendMessageW(button->handle, BM_CLICK, 0, 0);
    expectEvents("button click", 1, 0);
    SendMessageW(edit->handle, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(L"42"));
    expectEvents("edit change", 0, 1);
    command(edit, 0);
    expectEvents("code 0 from an edit is a click", 1, 0);
    NMHDR header{track->handle, track->controlId, static_cast<UINT>(NM_CLICK)};
    SendMessageW(form->handle, WM_NOTIFY, track->controlId, reinterpret_cast<LPARAM>(&header));
    expectEvents("common control's click", 1, 0);
    button->focusGuard = 1; // the toolkit itself moves the focus: not the user's click
    command(button, BN_CLICKED);
    button->focusGuard = 0;
    expectEvents("click under the focus guard", 0, 0);
}

TEST_F(ControlTest, ColourRequestsAreAnsweredWithTheControlsColoursAndBrush) {
    TControl* edit = keep(newEdit(form, 0));
    edit->color = RGB(10, 20, 30);
    edit->textColor = RGB(200, 0, 0);
    TControl* glass = keep(newLabel(form, ""));
    glass->transparent = true;
    TControl* plain = keep(newLabel(form, ""));
    form->getHandle();
    constexpr COLORREF untouched = RGB(1, 2, 3);
    // Control, request, brush, background mode and colour, text colour.
    const std::tuple<TControl*, UINT, HGDIOBJ, int, COLORREF, COLORREF> cases[] = {
        {edit, WM_CTLCOLOREDIT, edit->backgroundBrush(), OPAQUE, RGB(10, 20, 30), RGB(200, 0, 0)},
        {glass, WM_CTLCOLORSTATIC, GetStockObject(NULL_BRUSH), TRANSPARENT, untouched,
         GetSysColor(COLOR_WINDOWTEXT)},
        // System colours by default, resolved when asked; the parent's brush serves.
        {plain, WM_CTLCOLORSTATIC, form->backgroundBrush(), OPAQUE, GetSysColor(COLOR_BTNFACE),
         GetSysColor(COLOR_WINDOWTEXT)},
    };
    HDC dc = CreateCompatibleDC(nullptr);
    for (const auto& [control, message, brush, mode, back, text] : cases) {
        SetBkColor(dc, untouched);
        EXPECT_EQ(SendMessageW(form->handle, message, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(control->handle)),
                  reinterpret_cast<LRESULT>(brush));
        EXPECT_EQ(GetBkMode(dc), mode);
        EXPECT_EQ(GetBkColor(dc), back);
        EXPECT_EQ(GetTextColor(dc), text);
    }
    DeleteDC(dc);
    LOGBRUSH record{};
    GetObjectW(edit->backgroundBrush(), sizeof record, &record);
    EXPECT_EQ(record.lbColor, RGB(10, 20, 30));
}

TEST_F(ControlTest, AHandlerThatFreesItsControlEndsTheChainAndTheReleaseDestroysIt) {
    TControl* button = newButton(form, "OK");
    button->destroyHandler = bindMethod<&Recorder::gone, TObj*>(&events);
    static bool olderHandlerRan, destroyedInsideHandler;
    olderHandlerRan = false;
    destroyedInsideHandler = true;
    button->attachHandler(
        [](TControl&, TMessage& msg, LRESULT&) { return olderHandlerRan = msg.message == WM_APP; },
        false);
    button->attachHandler(
        [](TControl& control, TMessage& msg, LRESULT&) {
            if (msg.message == WM_APP) {
                control.free();
                // Still whole: the reference bracket defers the destruction.
                destroyedInsideHandler = recorder->destroyed != 0 || !IsWindow(control.handle);
            }
            return false;
        },
        false);
    HWND window = button->getHandle();

    EXPECT_EQ(SendMessageW(window, WM_APP, 0, 0), 0);
    EXPECT_FALSE(destroyedInsideHandler);
    EXPECT_FALSE(olderHandlerRan);
    EXPECT_EQ(events.destroyed, 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(form->childCount(), 0);
    EXPECT_EQ(form->lastFocused, nullptr);
}

TEST_F(ControlTest, DestructionForgetsTheControlEverywhereAndChildrenOutliveTheirParent) {
    TControl* second = newForm(appletControl, "Second");
    TControl* edit = keep(newEdit(second, 0));
    edit->destroyHandler = bindMethod<&Recorder::gone, TObj*>(&events);
    HWND editWindow = edit->getHandle();
    second->free();
    EXPECT_EQ(edit->parent, nullptr);
    EXPECT_FALSE(IsWindow(editWindow));
    EXPECT_EQ(events.destroyed, 0); // the element that owns it frees it later
    EXPECT_EQ(appletControl->childCount(), 1);
}

TEST_F(ControlTest, ADeferredReleaseFromAnyOtherSenderIsIgnored) {
    // Another program may post the number to any of our windows.
    TControl* memo = keep(newEdit(form, eoMultiline));
    memo->destroyHandler = bindMethod<&Recorder::gone, TObj*>(&events);
    HWND window = memo->getHandle();
    PostMessageW(window, wmDeferredRelease, 0, 0);
    PostMessageW(form->handle, wmDeferredRelease, 0, 0);
    pumpMessages();
    EXPECT_EQ(events.destroyed, 0);
    EXPECT_EQ(controlOfWindow(window), memo);
    EXPECT_EQ(controlOfWindow(form->handle), form);
    memo->addText("still served");
    pumpMessages();
    EXPECT_EQ(memo->getCaption(), "still served");
}

std::vector<std::string> failures;

void recordFailure(const char* what) {
    failures.push_back(what);
}

TEST_F(ControlTest, AFailureEscapingAHandlerOrTheProgramIsReportedNotUnwound) {
    failures.clear();
    setFailureReporter(recordFailure);
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

// Each method sends a message whose handler frees the control: the control
// goes once the method is done with it, and no callback reaches it after.
TEST_F(ControlTest, AControlFreedByAMessageItsMethodSendsGoesAfterTheMethod) {
    static UINT freeingMessage;
    const std::tuple<const char*, UINT, void (*)(TControl&)> cases[] = {
        {"setCaption", WM_SETTEXT, [](TControl& c) { c.setCaption("new"); }},
        {"clearText", WM_SETTEXT, [](TControl& c) { c.clearText(); }},
        {"addText", WM_SETTEXT, [](TControl& c) { c.addText("4"); }},
        {"applyFont", WM_SETFONT, [](TControl& c) { c.fontTool().setFontHeight(-20); }},
        {"setVisible", WM_SHOWWINDOW, [](TControl& c) { c.setVisible(true); }},
        {"setStyle", WM_STYLECHANGED, [](TControl& c) { c.setStyle(c.style | ES_UPPERCASE); }},
    };
    for (const auto& [method, message, call] : cases) {
        Recorder seen;
        TControl* edit = newEdit(form, 0);
        edit->destroyHandler = bindMethod<&Recorder::gone, TObj*>(&seen);
        edit->onFontChange = bindMethod<&Recorder::lateCall, TControl*>(&seen);
        edit->getHandle();
        freeingMessage = message;
        edit->attachHandler(
            [](TControl& control, TMessage& msg, LRESULT&) {
                if (msg.message == freeingMessage)
                    control.free();
                return false;
            },
            false);
        call(*edit);
        EXPECT_EQ(seen.destroyed, 1) << method;
        EXPECT_EQ(seen.lateCalls, 0) << method;
        pumpMessages();
    }
}

// A line is replaced with its line break, the last one to the end of the
// text; a line that does not exist leaves the text alone. Positions go
// beyond what 16 bits can count.
TEST_F(ControlTest, LinesAreFoundAtAnyPositionAndOnlyExistingLinesAreReplaced) {
    TControl* memo = keep(newEdit(form, eoMultiline));
    memo->getHandle();
    memo->setCaption("один\r\ntwo\r\nthree");
    EXPECT_EQ(memo->lineCount(), 3);
    EXPECT_EQ(memo->lineIndex(1), 6);
    EXPECT_EQ(memo->lineText(0), "один");
    const std::string longLine(70000, 'x');
    memo->setCaption(longLine + "\r\nb");
    EXPECT_EQ(memo->lineText(0), longLine);
    EXPECT_EQ(memo->lineText(1), "b");
    memo->setSelStart(70001);
    EXPECT_EQ(memo->selStart(), 70001);

    // Text, line, replacement, result.
    const std::tuple<std::string, std::int32_t, std::string, std::string> cases[] = {
        {"один\r\ntwo\r\nthree", 1, "2\r\n", "один\r\n2\r\nthree"},
        {"a\r\nb", 1, "три", "a\r\nтри"},
        {"only", 0, "x", "x"},
        {"a\r\nb", 2, "lost", "a\r\nb"},
        {"a\r\nb", -1, "lost", "a\r\nb"},
        {"", 1, "lost", ""},
        {longLine + "\r\nb\r\nc", 1, "2\r\n", longLine + "\r\n2\r\nc"},
        {longLine + "\r\nb", 1, "2", longLine + "\r\n2"},
    };
    // The long texts are told apart by their ends.
    const auto end = [](const std::string& text) {
        return text.substr(text.size() - std::min<std::size_t>(text.size(), 12));
    };
    for (const auto& [text, line, replacement, expected] : cases) {
        memo->setCaption(text);
        memo->setLineText(line, replacement);
        const std::string result = memo->getCaption();
        EXPECT_TRUE(result == expected)
            << line << ": ..." << end(result) << " instead of ..." << end(expected);
    }
}

// Appends go in together at the next pump, leaving the edit as WM_SETTEXT
// would: no change notification, the caret and the view at the start.
TEST_F(ControlTest, AppendsReachAMultiLineEditTogetherAsIfSetWhole) {
    TControl* memo = keep(newEdit(form, eoMultiline)); // scrolls on vertically
    memo->onChange = bindMethod<&Recorder::change, TControl*>(&events);
    memo->attachHandler(recordMessage, false);
    form->getHandle();
    memo->setCaption("first");
    std::string expected = "first";
    for (int i = 0; i < 300; ++i) {
        const std::string line = "\r\nстрока " + std::to_string(i);
        memo->addText(line);
        expected += line;
    }
    EXPECT_EQ(memo->getCaption(), expected); // before the window has it
    EXPECT_EQ(events.count(EM_REPLACESEL), 0);
    pumpMessages();
    EXPECT_EQ(events.count(EM_REPLACESEL), 1);
    EXPECT_EQ(memo->lineCount(), 301);
    EXPECT_EQ(events.changes, 0);
    EXPECT_EQ(memo->selStart(), 0);
    EXPECT_EQ(memo->send(EM_GETFIRSTVISIBLELINE, 0, 0), 0);

    // Any message to the window finds the whole text there, pumped or not.
    memo->addText("\r\nlast");
    EXPECT_EQ(GetWindowTextLengthW(memo->handle), static_cast<int>(expected.size()) + 6);
    // Setting the text drops what was still to come.
    memo->addText("\r\nlost");
    memo->setCaption("new");
    pumpMessages();
    EXPECT_EQ(memo->getCaption(), "new");
}

TEST_F(ControlTest, AppendsTheEditWouldRefuseAreSetWhole) {
    // No vertical scrolling: text below the box would be refused.
    TControl* fixed = keep(newEdit(form, eoMultiline | eoNoVScroll));
    TControl* single = keep(newEdit(form, 0));
    single->onChange = bindMethod<&Recorder::change, TControl*>(&events);
    form->getHandle();
    std::string expected;
    for (int i = 0; i < 40; ++i) {
        fixed->addText("line " + std::to_string(i) + "\r\n");
        expected += "line " + std::to_string(i) + "\r\n";
    }
    pumpMessages();
    EXPECT_EQ(fixed->getCaption(), expected);

    // A single-line edit takes each append at once and notifies it.
    single->addText("4");
    single->addText("2");
    EXPECT_EQ(events.changes, 2);
    EXPECT_EQ(single->getCaption(), "42");

    // A control freed with text still to come leaves nothing behind.
    TControl* memo = newEdit(form, eoMultiline);
    memo->getHandle();
    memo->addText("never shown");
    memo->free();
    pumpMessages();
}

TEST_F(ControlTest, AppendsPastTheEditLimitNeverResetTheWholeText) {
    // The default limit of a multi-line edit (about 30,000 characters) and
    // one set lower; the text grows to about 48,000 over ten turns.
    for (const WPARAM setLimit : {WPARAM{0}, WPARAM{20}}) {
        SCOPED_TRACE(setLimit);
        TControl* memo = keep(newEdit(form, eoMultiline));
        memo->attachHandler(recordMessage, false);
        memo->getHandle();
        if (setLimit)
            memo->send(EM_SETLIMITTEXT, setLimit, 0);
        const LRESULT limit = memo->send(EM_GETLIMITTEXT, 0, 0);
        events.messages.clear();
        std::string expected;
        for (int turn = 0; turn < 10; ++turn) {
            for (int i = 0; i < 200; ++i) {
                const std::string line =
                    "\r\nстрока " + std::to_string(turn * 200 + i) + " из 2000";
                memo->addText(line);
                expected += line;
            }
            pumpMessages();
        }
        EXPECT_EQ(events.count(WM_SETTEXT), 0);
        EXPECT_EQ(memo->getCaption(), expected);
        EXPECT_GT(expected.size(), 30000u);
        // What the user may type stays as it was.
        EXPECT_EQ(memo->send(EM_GETLIMITTEXT, 0, 0), limit);
    }
}

TEST_F(ControlTest, WindowsMadeEarlyStayHiddenUntilTheirParentIsComplete) {
    form->bounds = {0, 0, 0, 0}; // no size: the system picks one
    form->leftChanged = form->topChanged = false;
    HWND window = form->getHandle();
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_GT(form->width(), 0);
    appletControl->createWindow();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(form->showAfterCreate);
}

TEST_F(ControlTest, ClosingAFormThatIsNotTheMainWindowDestroysIt) {
    TControl* second = newForm(appletControl, "Second");
    second->destroyHandler = bindMethod<&Recorder::gone, TObj*>(&events);
    HWND window = second->getHandle();
    // The system destroys the window and the toolkit frees the object.
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(events.destroyed, 1);
    EXPECT_EQ(pumpMessages(), 0);

    // The main form's close ends the loop instead.
    SendMessageW(form->getHandle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(form->handle));
    EXPECT_GE(pumpMessages(), 1);
}

TEST_F(ControlTest, ChildrenShareTheParentsFontUntilTheirOwnChanges) {
    TControl* second = newForm(appletControl, "Second");
    second->fontTool().setFontHeight(-20);
    TControl* label = keep(newLabel(second, "Text"));
    second->getHandle();
    const auto windowFont = [label] {
        return reinterpret_cast<HFONT>(SendMessageW(label->handle, WM_GETFONT, 0, 0));
    };
    EXPECT_EQ(windowFont(), second->font->getToolHandle()); // one handle for equal settings
    // The font asks for Cyrillic letters whatever the system's code page, and
    // the face that has them is the one shown.
    LOGFONTW record{};
    GetObjectW(windowFont(), sizeof record, &record);
    EXPECT_EQ(record.lfHeight, -20);
    EXPECT_EQ(record.lfCharSet, RUSSIAN_CHARSET);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, windowFont());
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    EXPECT_EQ(GetTextCharset(dc), RUSSIAN_CHARSET);
    EXPECT_STREQ(face, L"MS Sans Serif");
    SelectObject(dc, previous);
    DeleteDC(dc);

    // A change of the child's font makes its own handle and applies it.
    label->font->setColor(RGB(0, 0, 255));
    EXPECT_EQ(label->textColor, RGB(0, 0, 255));
    EXPECT_NE(windowFont(), second->font->getToolHandle());
    label->font->setColor(second->font->color);

    // A change of the parent's font reaches the child that showed its handle.
    second->font->setFontHeight(-24);
    EXPECT_EQ(GetObjectType(windowFont()), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(windowFont(), label->font->getToolHandle());

    // The parent may go first (its window takes the child's along): its font
    // lives on for the child, which is still told of its changes, and nothing
    // calls the freed parent.
    label->font->setFontHeight(-24); // equal again: it lets its own go and borrows
    EXPECT_EQ(label->font->getToolHandle(), second->font->getToolHandle());
    second->free();
    TGraphicTool* orphan = label->font->parentTool;
    ASSERT_NE(orphan, nullptr);
    label->onFontChange = bindMethod<&Recorder::change, TControl*>(&events);
    orphan->setColor(RGB(0, 128, 0)); // as a changed system colour drops it
    EXPECT_EQ(events.changes, 1);
}

// Any screen: a resolution other than the usual 96 dpi must reach the runtime.
TEST_F(ToolkitTest, MakingTheAppletGivesTheRuntimeTheScreensResolution) {
    setScreenDpiSource([]() -> std::int32_t { return 1; });
    makeAppletAndForm();
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(screenDpi(), GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
}

} // namespace
