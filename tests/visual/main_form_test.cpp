#include "visual_fixture.h"

#include "runtime/platform_hooks.h"
#include "toolkit/application.h"
#include "toolkit/bitmap.h"
#include "toolkit/text_codec.h"
#include "toolkit/utilities.h"
#include "visual/main_form.h"

#include <memory>
#include <string>

namespace {

int shownMessages = 0;

void countMessage(const std::string&, const std::string&) {
    ++shownMessages;
}

struct Blocker {
    std::int32_t answer = 1;
    void get(TData& data, std::uint16_t) { setInteger(data, answer); }
};

std::string uniqueName(const char* stem) {
    return std::string(stem) + std::to_string(GetCurrentProcessId());
}

class MainFormTest : public ToolkitTest {
protected:
    void TearDown() override {
        stopDispatch();
        runInitProcs(); // nothing left over for the next test
        EXPECT_EQ(shownMessages, 0);
        ToolkitTest::TearDown();
    }

    static std::unique_ptr<TKNMainForm> makeForm(const std::string& positionKey = "") {
        auto mainForm = std::make_unique<TKNMainForm>();
        setDebugMessageSink(countMessage);
        shownMessages = 0;
        mainForm->Left = 40;
        mainForm->Top = 30;
        mainForm->Width = 400;
        mainForm->Height = 300;
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
    static SIZE clientSize(HWND window) {
        RECT client{};
        GetClientRect(window, &client);
        return {client.right, client.bottom};
    }
};

TEST_F(MainFormTest, MakesTheAppletStaysHiddenUntilTheStartAndTakesItsBorderStyle) {
    EventLog starts, activations;
    auto mainForm = makeForm();
    EXPECT_TRUE(mainForm->ownsApplication);
    ASSERT_NE(applet, nullptr);
    EXPECT_EQ(applet->caption, "График эффективности виброизоляции, дБ");
    HWND window = windowOf(*mainForm);
    EXPECT_FALSE(IsWindowVisible(window));

    const auto style = [window] { return GetWindowLongPtrW(window, GWL_STYLE); };
    constexpr LONG_PTR bits = WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    EXPECT_EQ(style() & bits, WS_CAPTION); // 3: a dialog frame
    mainForm->setBorderStyle(12);          // no such style: ignored
    EXPECT_EQ(style() & bits, WS_CAPTION);
    mainForm->setBorderStyle(2);
    EXPECT_EQ(style() & (WS_THICKFRAME | WS_MAXIMIZEBOX), WS_THICKFRAME | WS_MAXIMIZEBOX);

    mainForm->outStart = starts.link();
    mainForm->outActivate = activations.link();
    start();
    EXPECT_EQ(starts.count(), 1);
    EXPECT_TRUE(IsWindowVisible(window));
    SetForegroundWindow(window);
    SetActiveWindow(window);
    pumpMessages();
    EXPECT_GE(activations.count(), 1);
}

TEST_F(MainFormTest, AStartProcedureOfADestroyedFormDoesNothing) {
    makeForm().reset();
    EXPECT_EQ(applet, nullptr);
    start();
    EXPECT_EQ(toolkitWindowCount(), 0);
}

TEST_F(MainFormTest, AUserCloseCanBeBlockedElseItRaisesOutCloseAndEndsTheLoop) {
    const std::string key = uniqueName("KnVisualBlocked");
    const std::wstring path = L"Software\\" + toWideText(key);
    Blocker blocker;
    EventLog closes;
    auto mainForm = makeForm(key);
    mainForm->srcCloseBlock = makeLink<&Blocker::get>(&blocker);
    mainForm->outClose = closes.link();
    start();
    HWND window = windowOf(*mainForm);
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(pumpMessages(), 0);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(closes.count(), 0);
    EXPECT_TRUE(dispatchersLive());
    HKEY opened = nullptr; // nothing saved either
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &opened), ERROR_SUCCESS);

    blocker.answer = 0;
    PostMessageW(window, WM_CLOSE, 0, 0);
    TControl* appletVariable = applet;
    run(appletVariable);
    EXPECT_EQ(closes.count(), 1);
    EXPECT_FALSE(dispatchersLive());
    EXPECT_TRUE(appletTerminated);
    EXPECT_EQ(appletVariable, nullptr);
    mainForm.reset();
    pumpMessages();
    RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
}

TEST_F(MainFormTest, PositionIsSavedInTheRegistryOrAnIniFileAndLoadedAtTheNextStart) {
    const std::string registryKey = uniqueName("KnVisualTest");
    const std::string ini = uniqueName("kn_visual_test") + ".ini";
    for (const std::string& key : {registryKey, ini + "\\Main"}) {
        SCOPED_TRACE(key);
        {
            auto mainForm = makeForm(key);
            start();
            TControl& control = *mainForm->getControl();
            control.setPosition(123, 77);
            const SIZE client = clientSize(control.handle);
            control.setSize(control.width() + 300 - client.cx, control.height() + 200 - client.cy);
            SendMessageW(control.handle, WM_CLOSE, 0, 0);
            pumpMessages();
        }
        auto again = makeForm(key);
        start();
        TControl& control = *again->getControl();
        EXPECT_EQ(control.left(), 123);
        EXPECT_EQ(control.top(), 77);
        const SIZE client = clientSize(control.handle);
        EXPECT_EQ(client.cx, 300);
        EXPECT_EQ(client.cy, 200);
    }
    const std::wstring path = L"Software\\" + toWideText(registryKey);
    DWORD left = 0, size = sizeof left;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, path.c_str(), L"Left", RRF_RT_REG_DWORD, nullptr,
                           &left, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(left, 123u);
    RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
    const std::wstring file = startDirectory() + toWideText(ini);
    EXPECT_EQ(GetPrivateProfileIntW(L"Main", L"Width", -1, file.c_str()), 300);
    DeleteFileW(file.c_str());
}

int innerMessages = 0;

bool countInnerMessage(TControl&, TMessage& msg, LRESULT&) {
    innerMessages += msg.message == innerMessage();
    return false;
}

TEST_F(MainFormTest, ANamedFormTellsTheOtherFormsWhenItMovesAndAnOwnedFormOnlyHidesOnClose) {
    auto owner = makeForm();
    auto other = std::make_unique<TKNMainForm>();
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

    EventLog closes;
    other->outClose = closes.link();
    HWND otherWindow = other->getControl()->handle;
    SendMessageW(otherWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(pumpMessages(), 0);
    EXPECT_TRUE(IsWindow(otherWindow));
    EXPECT_FALSE(IsWindowVisible(otherWindow));
    EXPECT_EQ(closes.count(), 0);
    EXPECT_TRUE(dispatchersLive());
    other.reset();
    EXPECT_EQ(formWindows().count(), 0);
}

TEST_F(MainFormTest, ClientSizeTransparencyIconTaskbarAndBackgroundPicture) {
    auto mainForm = std::make_unique<TKNMainForm>();
    setDebugMessageSink(countMessage);
    mainForm->Width = 320;
    mainForm->Height = 240;
    mainForm->ClientSize = true;
    mainForm->AlphaBlendValue = 128;
    mainForm->init();
    HWND window = windowOf(*mainForm);
    EXPECT_EQ(clientSize(window).cx, 320);
    EXPECT_EQ(clientSize(window).cy, 240);
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED);

    HICON icon = LoadIconW(nullptr, MAKEINTRESOURCEW(32516)); // IDI_INFORMATION
    mainForm->setIcon(icon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0)), icon);
    EXPECT_EQ(applet->icon, icon);
    mainForm->setHideFromTaskbar(1);
    EXPECT_EQ(applet->exStyle, static_cast<std::uint32_t>(WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME));

    mainForm->background->takeHandle(solidBitmap(10, 10, RGB(0, 255, 0)));
    EXPECT_EQ(SendMessageW(window, WM_ERASEBKGND, 0, 0), 1);
    EXPECT_EQ(ClientPicture(window, 20, 20).pixel(5, 5), RGB(0, 255, 0));
}

} // namespace
