#include "toolkit_fixture.h"

#include "runtime/font.h"
#include "toolkit/control_factory.h"
#include "toolkit/dispatch.h"
#include "toolkit/failure_report.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Recorder {
    std::vector<UINT> messages;
    int clicks = 0;
    int changes = 0;
    int shows = 0;
    int hides = 0;
    int destroyed = 0;

    void click(TControl*) { ++clicks; }
    void change(TControl*) { ++changes; }
    void show(TControl*) { ++shows; }
    void hide(TControl*) { ++hides; }
    void gone(TObj*) { ++destroyed; }
    // A callback that comes after the destruction ran on a freed control.
    void lateCall(TControl*) { lateCalls += destroyed; }
    int lateCalls = 0;
};

Recorder* recorder = nullptr;

bool recordMessage(TControl&, TMessage& msg, LRESULT&) {
    recorder->messages.push_back(msg.message);
    return false;
}

std::wstring windowClass(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

bool contains(const std::vector<UINT>& list, UINT value) {
    return std::find(list.begin(), list.end(), value) != list.end();
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
    Recorder events;
};

TEST_F(ControlTest, WindowsOfEveryClassAreMadeWithTheirParentsAndReachTheirObjects) {
    TControl* edit = keep(newEdit(form, 0));
    edit->attachHandler(recordMessage, false);
    TControl* memo = keep(newEdit(form, eoMultiline));
    TControl* button = keep(newButton(form, "OK"));
    TControl* label = keep(newLabel(form, "Text"));
    TControl* picture = keep(newPictureBox(form));
    TControl* track = keep(newCommonControl(
        form, TRACKBAR_CLASSA, WS_CHILD | WS_VISIBLE | WS_TABSTOP, staticActions, false));

    // Asking a child for its window makes the applet's and the form's first.
    HWND editWindow = edit->getHandle();
    ASSERT_NE(editWindow, nullptr);
    EXPECT_NE(appletControl->handle, nullptr);
    EXPECT_NE(form->handle, nullptr);
    EXPECT_TRUE(contains(events.messages, WM_NCCREATE));
    EXPECT_TRUE(contains(events.messages, WM_CREATE));
    EXPECT_EQ(controlOfWindow(editWindow), edit);

    for (TControl* control : {edit, memo, button, label, picture, track}) {
        ASSERT_NE(control->handle, nullptr);
        EXPECT_EQ(GetParent(control->handle), form->handle);
        EXPECT_EQ(controlOfWindow(control->handle), control);
    }
    EXPECT_EQ(windowClass(appletControl->handle), L"obj_App");
    EXPECT_EQ(windowClass(form->handle), L"obj_Form");
    EXPECT_EQ(windowClass(editWindow), L"obj_EDIT");
    EXPECT_EQ(windowClass(button->handle), L"obj_BUTTON");
    EXPECT_EQ(windowClass(label->handle), L"obj_STATIC");
    EXPECT_EQ(windowClass(track->handle), L"obj_msctls_trackbar32");
    // The form is owned by the applet, not its child.
    EXPECT_EQ(GetWindow(form->handle, GW_OWNER), appletControl->handle);

    // A sunken edge instead of a border; tab orders in the order of making;
    // the first tab stop is the form's focused control.
    const LONG_PTR editStyle = GetWindowLongPtrW(editWindow, GWL_STYLE);
    EXPECT_FALSE(editStyle & WS_BORDER);
    EXPECT_TRUE(GetWindowLongPtrW(editWindow, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(memo->style & (ES_MULTILINE | WS_VSCROLL | ES_AUTOVSCROLL));
    EXPECT_FALSE(edit->style & (WS_VSCROLL | WS_HSCROLL));
    EXPECT_TRUE(edit->style & ES_AUTOHSCROLL);
    EXPECT_LT(edit->tabOrder, memo->tabOrder);
    EXPECT_LT(memo->tabOrder, button->tabOrder);
    EXPECT_EQ(form->lastFocused, edit);
    EXPECT_FALSE(label->tabStop);
    EXPECT_EQ(edit->navigationKeys, 13);
    EXPECT_EQ(memo->navigationKeys, 1);
    EXPECT_EQ(picture->width(), 40);
    EXPECT_EQ(edit->width(), 100);
    EXPECT_NE(edit->controlId, memo->controlId);

    // A common control's notification comes back to it through its parent.
    track->onClick = bindMethod<&Recorder::click, TControl*>(&events);
    NMHDR header{track->handle, track->controlId, static_cast<UINT>(NM_CLICK)};
    SendMessageW(form->handle, WM_NOTIFY, track->controlId, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(events.clicks, 1);
    EXPECT_FALSE(track->rightClick);
}

TEST_F(ControlTest, NotificationsArriveAsTheControlsOwnEvents) {
    TControl* button = keep(newButton(form, "OK"));
    TControl* edit = keep(newEdit(form, 0));
    button->onClick = bindMethod<&Recorder::click, TControl*>(&events);
    edit->onChange = bindMethod<&Recorder::change, TControl*>(&events);
    form->getHandle();

    SendMessageW(button->handle, BM_CLICK, 0, 0);
    pumpMessages();
    EXPECT_EQ(events.clicks, 1);

    SendMessageW(edit->handle, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(L"42"));
    pumpMessages();
    EXPECT_EQ(events.changes, 1);
    EXPECT_EQ(edit->getCaption(), "42");

    // Notification code 0 from an edit is a click, not a change.
    edit->onClick = bindMethod<&Recorder::click, TControl*>(&events);
    SendMessageW(form->handle, WM_COMMAND, MAKEWPARAM(edit->controlId, 0),
                 reinterpret_cast<LPARAM>(edit->handle));
    EXPECT_EQ(events.clicks, 2);
    EXPECT_EQ(events.changes, 1);

    // A click while the toolkit itself moves the focus is not the user's.
    button->focusGuard = 1;
    SendMessageW(form->handle, WM_COMMAND, MAKEWPARAM(button->controlId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button->handle));
    button->focusGuard = 0;
    EXPECT_EQ(events.clicks, 2);
}

TEST_F(ControlTest, ColourRequestsAreAnsweredWithTheControlsColoursAndBrush) {
    TControl* edit = keep(newEdit(form, 0));
    edit->color = RGB(10, 20, 30);
    edit->textColor = RGB(200, 0, 0);
    TControl* label = keep(newLabel(form, "Text"));
    label->transparent = true;
    TControl* plain = keep(newLabel(form, "Plain"));
    form->getHandle();
    HDC dc = CreateCompatibleDC(nullptr);

    LRESULT brush = SendMessageW(form->handle, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                 reinterpret_cast<LPARAM>(edit->handle));
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(edit->backgroundBrush()));
    LOGBRUSH record{};
    GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof record, &record);
    EXPECT_EQ(record.lbColor, RGB(10, 20, 30));
    EXPECT_EQ(GetTextColor(dc), RGB(200, 0, 0));
    EXPECT_EQ(GetBkColor(dc), RGB(10, 20, 30));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);

    brush = SendMessageW(form->handle, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(label->handle));
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);

    // Default colours are system colours, resolved when asked; a child of the
    // parent's colour paints with the parent's brush.
    SendMessageW(form->handle, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(plain->handle));
    EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(plain->backgroundBrush(), form->backgroundBrush());
    DeleteDC(dc);
}

TEST_F(ControlTest, AHandlerThatFreesItsControlEndsTheChainAndTheReleaseDestroysIt) {
    TControl* button = newButton(form, "OK");
    button->destroyHandler = bindMethod<&Recorder::gone, TObj*>(&events);
    static bool olderHandlerRan;
    static bool destroyedInsideHandler;
    olderHandlerRan = false;
    destroyedInsideHandler = true;
    button->attachHandler(
        [](TControl&, TMessage& msg, LRESULT&) { return olderHandlerRan = msg.message == WM_APP; },
        false);
    button->attachHandler(
        [](TControl& control, TMessage& msg, LRESULT&) {
            if (msg.message != WM_APP)
                return false;
            control.free();
            // Still whole: the reference bracket defers the destruction.
            destroyedInsideHandler = recorder->destroyed != 0 || !IsWindow(control.handle);
            return false;
        },
        false);
    HWND window = button->getHandle();
    ASSERT_NE(window, nullptr);

    EXPECT_EQ(SendMessageW(window, WM_APP, 0, 0), 0);
    EXPECT_FALSE(destroyedInsideHandler);
    EXPECT_FALSE(olderHandlerRan);
    EXPECT_EQ(events.destroyed, 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(form->childCount(), 0);
    EXPECT_EQ(form->lastFocused, nullptr);
}

TEST_F(ControlTest, DestructionForgetsTheControlEverywhereAndChildrenOutliveTheirParent) {
    TControl* panelForm = newForm(appletControl, "Second");
    TControl* edit = keep(newEdit(panelForm, 0));
    edit->destroyHandler = bindMethod<&Recorder::gone, TObj*>(&events);
    HWND editWindow = edit->getHandle();
    EXPECT_EQ(panelForm->lastFocused, edit);

    panelForm->free();
    EXPECT_EQ(edit->parent, nullptr);
    EXPECT_FALSE(IsWindow(editWindow));
    EXPECT_EQ(events.destroyed, 0); // the element that owns it frees it later
    EXPECT_EQ(appletControl->childCount(), 1);
}

TEST_F(ControlTest, CyrillicCaptionShowsAsCyrillicLettersAndReadsBackByteForByte) {
    const std::string caption = "Построить график";
    ASSERT_EQ(static_cast<unsigned char>(caption[0]), 0xCF); // code page 1251
    TControl* button = keep(newButton(form, caption));
    button->getHandle();
    wchar_t text[64] = {};
    GetWindowTextW(button->handle, text, 64);
    EXPECT_EQ(std::wstring(text), L"Построить график");
    EXPECT_EQ(button->getCaption(), caption);

    form->setCaption("График эффективности виброизоляции, дБ");
    GetWindowTextW(form->handle, text, 64);
    EXPECT_EQ(std::wstring(text), L"График эффективности виброизоляции, дБ");
    EXPECT_EQ(form->getCaption(), "График эффективности виброизоляции, дБ");
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

namespace {

std::vector<std::string> failures;

void recordFailure(const char* what) {
    failures.push_back(what);
}

} // namespace

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
    struct Case {
        const char* method;
        UINT message;
        void (*call)(TControl&);
    };
    static UINT freeingMessage;
    const Case cases[] = {
        {"setCaption", WM_SETTEXT, [](TControl& c) { c.setCaption("new"); }},
        {"clearText", WM_SETTEXT, [](TControl& c) { c.clearText(); }},
        {"addText", WM_SETTEXT, [](TControl& c) { c.addText("4"); }},
        {"applyFont", WM_SETFONT, [](TControl& c) { c.fontTool().setFontHeight(-20); }},
        {"setVisible", WM_SHOWWINDOW, [](TControl& c) { c.setVisible(true); }},
        {"setStyle", WM_STYLECHANGED, [](TControl& c) { c.setStyle(c.style | ES_UPPERCASE); }},
    };
    for (const Case& test : cases) {
        Recorder seen;
        TControl* edit = newEdit(form, 0);
        edit->destroyHandler = bindMethod<&Recorder::gone, TObj*>(&seen);
        edit->onFontChange = bindMethod<&Recorder::lateCall, TControl*>(&seen);
        edit->getHandle();
        freeingMessage = test.message;
        edit->attachHandler(
            [](TControl& control, TMessage& msg, LRESULT&) {
                if (msg.message == freeingMessage)
                    control.free();
                return false;
            },
            false);
        test.call(*edit);
        EXPECT_EQ(seen.destroyed, 1) << test.method;
        EXPECT_EQ(seen.lateCalls, 0) << test.method;
        pumpMessages();
    }
}

TEST_F(ControlTest, MultiLineEditLinesAreReadAndReplaced) {
    TControl* memo = keep(newEdit(form, eoMultiline));
    memo->getHandle();
    memo->addText("один\r\ntwo\r\nthree");
    EXPECT_EQ(memo->lineCount(), 3);
    EXPECT_EQ(memo->lineText(0), "один");
    EXPECT_EQ(memo->lineText(2), "three");
    EXPECT_EQ(memo->lineIndex(1), 6);

    memo->setLineText(1, "2\r\n");
    EXPECT_EQ(memo->getCaption(), "один\r\n2\r\nthree");
    memo->setLineText(2, "три");
    EXPECT_EQ(memo->getCaption(), "один\r\n2\r\nтри");

    memo->setSelStart(3);
    EXPECT_EQ(memo->selStart(), 3);
    memo->clearText();
    EXPECT_EQ(memo->lineText(0), "");

    // The only line is also the last one: it is replaced, not prefixed.
    memo->setCaption("only");
    memo->setLineText(0, "x");
    EXPECT_EQ(memo->getCaption(), "x");

    TControl* label = keep(newLabel(form, ""));
    EXPECT_EQ(label->lineCount(), 0);
}

TEST_F(ControlTest, LinesAreFoundAtAnyPositionAndOnlyExistingLinesAreReplaced) {
    TControl* memo = keep(newEdit(form, eoMultiline));
    memo->getHandle();
    const std::string longLine(70000, 'x'); // beyond what 16 bits can count
    struct Case {
        std::string text;
        std::int32_t line;
        std::string replacement;
        std::string expected;
    };
    const Case cases[] = {
        {"a\r\nb", 2, "lost", "a\r\nb"},
        {"a\r\nb", -1, "lost", "a\r\nb"},
        {"", 1, "lost", ""},
        {longLine + "\r\nb\r\nc", 1, "2\r\n", longLine + "\r\n2\r\nc"},
        {longLine + "\r\nb", 1, "2", longLine + "\r\n2"},
    };
    // The long texts are told apart by their ends.
    const auto end = [](const std::string& text) {
        return text.substr(text.size() < 12 ? 0 : text.size() - 12);
    };
    for (const Case& test : cases) {
        memo->setCaption(test.text);
        memo->setLineText(test.line, test.replacement);
        const std::string result = memo->getCaption();
        EXPECT_TRUE(result == test.expected)
            << test.line << ": ..." << end(result) << " instead of ..." << end(test.expected);
    }
    memo->setCaption(longLine + "\r\nb");
    EXPECT_EQ(memo->lineText(0), longLine);
    EXPECT_EQ(memo->lineText(1), "b");
    memo->setSelStart(70001);
    EXPECT_EQ(memo->selStart(), 70001);
}

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
    EXPECT_EQ(std::count(events.messages.begin(), events.messages.end(), EM_REPLACESEL), 0);

    pumpMessages();
    EXPECT_EQ(std::count(events.messages.begin(), events.messages.end(), EM_REPLACESEL), 1);
    EXPECT_EQ(memo->getCaption(), expected);
    EXPECT_EQ(memo->lineCount(), 301);
    // As WM_SETTEXT leaves a multi-line edit: no change notification, the
    // caret and the view at the start.
    EXPECT_EQ(events.changes, 0);
    EXPECT_EQ(memo->selStart(), 0);
    EXPECT_EQ(memo->send(EM_GETFIRSTVISIBLELINE, 0, 0), 0);

    // Any message to the window finds the whole text there, pumped or not.
    memo->addText("\r\nlast");
    const int length = GetWindowTextLengthW(memo->handle);
    EXPECT_EQ(length, static_cast<int>(expected.size()) + 6);
    std::wstring whole(static_cast<std::size_t>(length) + 1, L'\0');
    whole.resize(static_cast<std::size_t>(GetWindowTextW(memo->handle, whole.data(), length + 1)));
    EXPECT_TRUE(whole.ends_with(L"\r\nlast"));

    // Setting the text drops what was still to come.
    memo->addText("\r\nlost");
    memo->setCaption("new");
    pumpMessages();
    EXPECT_EQ(memo->getCaption(), "new");
    EXPECT_EQ(memo->lineCount(), 1);
}

TEST_F(ControlTest, AppendsTheEditWouldRefuseAreSetWhole) {
    // No vertical scrolling: text below the box would be refused.
    TControl* fixed = keep(newEdit(form, eoMultiline | eoNoVScroll));
    TControl* single = keep(newEdit(form, 0));
    single->onChange = bindMethod<&Recorder::change, TControl*>(&events);
    form->getHandle();
    std::string expected;
    for (int i = 0; i < 40; ++i) {
        const std::string line = "line " + std::to_string(i) + "\r\n";
        fixed->addText(line);
        expected += line;
    }
    pumpMessages();
    EXPECT_EQ(fixed->getCaption(), expected);

    // A single-line edit takes each append at once and notifies it.
    single->addText("4");
    EXPECT_EQ(events.changes, 1);
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
        EXPECT_EQ(std::count(events.messages.begin(), events.messages.end(), WM_SETTEXT), 0);
        EXPECT_EQ(memo->getCaption(), expected);
        EXPECT_GT(expected.size(), 30000u);
        // What the user may type stays as it was.
        EXPECT_EQ(memo->send(EM_GETLIMITTEXT, 0, 0), limit);
    }
}

TEST_F(ControlTest, VisibilityEventsFollowTheWindow) {
    TControl* label = keep(newLabel(form, "Text"));
    label->setOnShow(bindMethod<&Recorder::show, TControl*>(&events));
    label->setOnHide(bindMethod<&Recorder::hide, TControl*>(&events));
    form->getHandle();
    EXPECT_EQ(events.shows, 1); // made visible
    label->setVisible(false);
    label->setVisible(false);
    EXPECT_EQ(events.hides, 1);
    EXPECT_FALSE(label->visible);
    label->setVisible(true);
    EXPECT_EQ(events.shows, 2);
    EXPECT_TRUE(label->visible);
}

TEST_F(ControlTest, WindowsMadeEarlyStayHiddenUntilTheirParentIsComplete) {
    form->bounds = {0, 0, 0, 0}; // no size: the system picks one
    form->leftChanged = form->topChanged = false;
    HWND window = form->getHandle();
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(form->showAfterCreate);
    EXPECT_GT(form->width(), 0);
    appletControl->createWindow();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(form->showAfterCreate);
}

TEST_F(ControlTest, ClosingAFormThatIsNotTheMainWindowDestroysIt) {
    TControl* second = newForm(appletControl, "Second");
    second->destroyHandler = bindMethod<&Recorder::gone, TObj*>(&events);
    HWND window = second->getHandle();
    EXPECT_FALSE(second->isMainWindow());
    EXPECT_TRUE(form->isMainWindow());
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

TEST_F(ControlTest, MakingTheAppletGivesTheRuntimeTheScreenResolution) {
    EXPECT_EQ(fontHeight(8), -11); // 96 dots per inch under Wine
    EXPECT_EQ(applet, appletControl);
    EXPECT_TRUE(appletCreated);
}

} // namespace

namespace {

TEST_F(ControlTest, ChildrenShareTheParentsFontUntilTheirOwnChanges) {
    TControl* second = newForm(appletControl, "Second");
    second->fontTool().setFontHeight(-20);
    TControl* label = keep(newLabel(second, "Text"));
    second->getHandle();
    const auto shown = reinterpret_cast<HFONT>(SendMessageW(label->handle, WM_GETFONT, 0, 0));
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown, second->font->getToolHandle()); // one handle for equal settings
    LOGFONTW record{};
    GetObjectW(shown, sizeof record, &record);
    EXPECT_EQ(record.lfHeight, -20);
    EXPECT_EQ(std::wstring(record.lfFaceName), L"MS Sans Serif");
    // The font asks for Cyrillic letters, whatever the system's code page,
    // and the face that has them is the one shown.
    EXPECT_EQ(second->font->data.logFont.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(record.lfCharSet, RUSSIAN_CHARSET);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, shown);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    EXPECT_EQ(GetTextCharset(dc), RUSSIAN_CHARSET);
    EXPECT_EQ(std::wstring(face), L"MS Sans Serif");
    SelectObject(dc, previous);
    DeleteDC(dc);

    // A change of the child's font makes its own handle and applies it.
    label->font->setColor(RGB(0, 0, 255));
    EXPECT_EQ(label->textColor, RGB(0, 0, 255));
    const auto own = reinterpret_cast<HFONT>(SendMessageW(label->handle, WM_GETFONT, 0, 0));
    EXPECT_NE(own, second->font->getToolHandle());
    label->font->setColor(second->font->color);

    // A change of the parent's font reaches the child that showed its handle.
    const auto windowFont = [label] {
        return reinterpret_cast<HFONT>(SendMessageW(label->handle, WM_GETFONT, 0, 0));
    };
    second->font->setFontHeight(-24);
    EXPECT_EQ(GetObjectType(windowFont()), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(windowFont(), label->font->getToolHandle());

    // The parent may go first (its window takes the child's along): its
    // font lives on for the child, which is still told of its changes, and
    // nothing calls the freed parent.
    label->font->setFontHeight(-24); // equal again: it borrows the parent's
    second->free();
    TGraphicTool* orphan = label->font->parentTool;
    ASSERT_NE(orphan, nullptr);
    label->onFontChange = bindMethod<&Recorder::change, TControl*>(&events);
    orphan->setColor(RGB(0, 128, 0)); // as a changed system colour drops it
    EXPECT_EQ(events.changes, 1);
}

} // namespace
