#include "toolkit_fixture.h"

#include "runtime/links.h"
#include "runtime/platform_hooks.h"
#include "toolkit/application.h"
#include "toolkit/bitmap.h"
#include "toolkit/system.h"
#include "toolkit/wide_text.h"
#include "visual/main_form.h"

#include <memory>
#include <string>
#include <vector>

namespace {

int shownMessages = 0;

void countMessage(const std::string&, const std::string&) {
    ++shownMessages;
}

struct Counter {
    int count = 0;
    void in(TData&, std::uint16_t) { ++count; }
    TKN_Event link() { return makeLink<&Counter::in>(this); }
};

struct Blocker {
    std::int32_t answer = 1;
    void get(TData& data, std::uint16_t) { setInteger(data, answer); }
};

std::string uniqueName(const char* stem) {
    return std::string(stem) + std::to_string(GetCurrentProcessId());
}

class MainFormTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        shownMessages = 0;
    }
    void TearDown() override {
        stopDispatch();
        runInitProcs(); // nothing left over for the next test
        EXPECT_EQ(shownMessages, 0);
        ToolkitTest::TearDown();
    }

    std::unique_ptr<TKNMainForm> makeForm(const std::string& positionKey = "") {
        auto mainForm = std::make_unique<TKNMainForm>();
        setDebugMessageSink(countMessage);
        mainForm->Left = 40;
        mainForm->Top = 30;
        mainForm->Width = 400;
        mainForm->Height = 300;
        mainForm->Ctl3D = 1;
        mainForm->PositionKey = positionKey;
        mainForm->setCaption("График эффективности виброизоляции, дБ");
        mainForm->setBorderStyle(3);
        mainForm->init();
        return mainForm;
    }
    static void start() {
        installDispatchers();
        runInitProcs();
        pumpMessages();
    }
    static HWND windowOf(TKNMainForm& mainForm) { return mainForm.getControl()->handle; }
};

TEST_F(MainFormTest, MakesTheAppletAndStaysHiddenUntilTheStart) {
    Counter starts, activations;
    auto mainForm = makeForm();
    EXPECT_TRUE(mainForm->ownsApplication);
    ASSERT_NE(applet, nullptr);
    HWND window = windowOf(*mainForm);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));

    wchar_t caption[64] = {};
    GetWindowTextW(window, caption, 64);
    EXPECT_STREQ(caption, L"График эффективности виброизоляции, дБ");
    EXPECT_EQ(applet->caption, "График эффективности виброизоляции, дБ");

    const auto style = GetWindowLongPtrW(window, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_WINDOWEDGE);
    mainForm->setBorderStyle(12); // ignored
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE), style);
    mainForm->setBorderStyle(2);
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_STYLE) & WS_THICKFRAME);
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_STYLE) & WS_MAXIMIZEBOX);

    mainForm->outStart = starts.link();
    mainForm->outActivate = activations.link();
    start();
    EXPECT_EQ(starts.count, 1);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(mainForm->shownOnce);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    pumpMessages();
    EXPECT_GE(activations.count, 1);
}

TEST_F(MainFormTest, AStartProcedureOfADestroyedFormDoesNothing) {
    auto mainForm = makeForm();
    mainForm.reset();
    EXPECT_EQ(applet, nullptr);
    start();
    EXPECT_EQ(toolkitWindowCount(), 0);
}

TEST_F(MainFormTest, ABlockedUserCloseKeepsTheWindowAndSavesNothing) {
    const std::string key = uniqueName("KnVisualBlocked");
    Blocker blocker;
    Counter closes;
    auto mainForm = makeForm(key);
    mainForm->srcCloseBlock = makeLink<&Blocker::get>(&blocker);
    mainForm->outClose = closes.link();
    start();
    HWND window = windowOf(*mainForm);
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(pumpMessages(), 0);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(closes.count, 0);
    EXPECT_TRUE(dispatchersLive());
    HKEY opened = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, (L"Software\\" + toWideText(key)).c_str(), 0,
                            KEY_READ, &opened),
              ERROR_SUCCESS);
}

TEST_F(MainFormTest, ANormalCloseRaisesOutCloseStopsTheDispatchersAndEndsTheLoop) {
    Counter closes;
    auto mainForm = makeForm();
    mainForm->outClose = closes.link();
    start();
    ASSERT_TRUE(IsWindowVisible(windowOf(*mainForm))); // the loop ends only through it
    PostMessageW(windowOf(*mainForm), WM_CLOSE, 0, 0);
    TControl* appletVariable = applet;
    run(appletVariable);
    EXPECT_EQ(closes.count, 1);
    EXPECT_FALSE(dispatchersLive());
    EXPECT_TRUE(appletTerminated);
    EXPECT_EQ(appletVariable, nullptr);
    mainForm.reset();
    pumpMessages();
}

TEST_F(MainFormTest, PositionIsSavedInTheRegistryAndLoadedAtTheNextStart) {
    const std::string key = uniqueName("KnVisualTest");
    const std::wstring path = L"Software\\" + toWideText(key);
    {
        auto mainForm = makeForm(key);
        start();
        TControl& control = *mainForm->getControl();
        control.setPosition(123, 77);
        RECT client{};
        GetClientRect(control.handle, &client);
        control.setSize(control.width() + 300 - client.right,
                        control.height() + 200 - client.bottom);
        SendMessageW(control.handle, WM_CLOSE, 0, 0);
        pumpMessages();
    }
    HKEY opened = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &opened), ERROR_SUCCESS);
    const auto value = [&](const wchar_t* name) {
        DWORD data = 0, size = sizeof data;
        RegQueryValueExW(opened, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&data), &size);
        return static_cast<int>(data);
    };
    EXPECT_EQ(value(L"Left"), 123);
    EXPECT_EQ(value(L"Top"), 77);
    EXPECT_EQ(value(L"Width"), 300);
    EXPECT_EQ(value(L"Height"), 200);
    RegCloseKey(opened);

    auto again = makeForm(key);
    start();
    TControl& control = *again->getControl();
    RECT client{};
    GetClientRect(control.handle, &client);
    EXPECT_EQ(control.left(), 123);
    EXPECT_EQ(control.top(), 77);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
    RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
}

TEST_F(MainFormTest, PositionIsSavedInAnIniFileBesideTheProgram) {
    const std::string name = uniqueName("kn_visual_test") + ".ini";
    const std::wstring file = startDirectory() + toWideText(name);
    {
        auto mainForm = makeForm(name + "\\Main");
        start();
        TControl& control = *mainForm->getControl();
        control.setPosition(61, 52);
        SendMessageW(control.handle, WM_CLOSE, 0, 0);
        pumpMessages();
    }
    EXPECT_EQ(GetPrivateProfileIntW(L"Main", L"Left", -1, file.c_str()), 61);
    EXPECT_EQ(GetPrivateProfileIntW(L"Main", L"Top", -1, file.c_str()), 52);
    EXPECT_GT(GetPrivateProfileIntW(L"Main", L"Width", -1, file.c_str()), 0);
    WritePrivateProfileStringW(L"Main", L"Width", L"333", file.c_str());

    auto again = makeForm(name + "\\Main");
    start();
    TControl& control = *again->getControl();
    RECT client{};
    GetClientRect(control.handle, &client);
    EXPECT_EQ(control.left(), 61);
    EXPECT_EQ(control.top(), 52);
    EXPECT_EQ(client.right, 333);
    DeleteFileW(file.c_str());
}

} // namespace

namespace {

int innerMessages = 0;

bool countInnerMessage(TControl&, TMessage& msg, LRESULT&) {
    if (msg.message == innerMessage())
        ++innerMessages;
    return false;
}

TEST_F(MainFormTest, ANamedFormTellsTheOtherFormsWhenItMovesAndAnOwnedFormOnlyHidesOnClose) {
    auto owner = makeForm();
    auto other = std::make_unique<TKNMainForm>();
    other->Width = 200;
    other->Height = 100;
    other->init();
    EXPECT_FALSE(other->ownsApplication);
    ASSERT_EQ(formWindows().count(), 1);
    EXPECT_EQ(formWindows().object(0), other->getControl()->handle);
    other->getControl()->attachHandler(countInnerMessage, false);
    start();

    innerMessages = 0;
    owner->getControl()->setPosition(50, 60);
    pumpMessages();
    EXPECT_EQ(innerMessages, 0); // no name, no message
    owner->Name = "Main";
    owner->getControl()->setPosition(70, 60);
    pumpMessages();
    EXPECT_GE(innerMessages, 1);

    Counter closes;
    other->outClose = closes.link();
    HWND otherWindow = other->getControl()->handle;
    SendMessageW(otherWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(pumpMessages(), 0);
    EXPECT_TRUE(IsWindow(otherWindow));
    EXPECT_FALSE(IsWindowVisible(otherWindow));
    EXPECT_EQ(closes.count, 0);
    EXPECT_TRUE(dispatchersLive());

    other.reset();
    EXPECT_EQ(formWindows().count(), 0);
}

TEST_F(MainFormTest, ClientSizeAndTransparencyApplyAtInit) {
    auto mainForm = std::make_unique<TKNMainForm>();
    setDebugMessageSink(countMessage);
    mainForm->Width = 320;
    mainForm->Height = 240;
    mainForm->ClientSize = true;
    mainForm->AlphaBlendValue = 128;
    mainForm->setBorderStyle(3);
    mainForm->init();
    HWND window = mainForm->getControl()->handle;
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 240);
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED);
}

} // namespace

namespace {

TEST_F(MainFormTest, IconTaskbarChoiceAndBackgroundPicture) {
    auto mainForm = makeForm();
    HWND window = windowOf(*mainForm);
    HICON icon = LoadIconW(nullptr, MAKEINTRESOURCEW(32516)); // IDI_INFORMATION
    mainForm->setIcon(icon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0)), icon);
    EXPECT_EQ(applet->icon, icon);
    mainForm->setHideFromTaskbar(1);
    EXPECT_EQ(applet->exStyle, static_cast<std::uint32_t>(WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME));

    // A 10 x 10 green picture at the top left; the rest keeps the colour.
    HDC screen = GetDC(nullptr);
    HBITMAP picture = CreateCompatibleBitmap(screen, 10, 10);
    HDC pictureDC = CreateCompatibleDC(screen);
    HGDIOBJ oldPicture = SelectObject(pictureDC, picture);
    RECT all{0, 0, 10, 10};
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(pictureDC, &all, green);
    DeleteObject(green);
    SelectObject(pictureDC, oldPicture);
    DeleteDC(pictureDC);
    mainForm->background->takeHandle(picture);
    EXPECT_EQ(SendMessageW(window, WM_ERASEBKGND, 0, 0), 1);

    HDC dc = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, 20, 20);
    HGDIOBJ oldTarget = SelectObject(dc, target);
    SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(0, 255, 0));
    SelectObject(dc, oldTarget);
    DeleteObject(target);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

} // namespace
