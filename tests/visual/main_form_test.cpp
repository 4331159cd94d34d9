#include "visual_fixture.h"

#include "runtime/platform_hooks.h"
#include "toolkit/application.h"
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
    static std::pair<LONG, LONG> clientSize(HWND window) {
        RECT client{};
        GetClientRect(window, &client);
        return {client.right, client.bottom};
    }
};

TEST_F(MainFormTest, MakesTheAppletTakesItsFrameAndIconAndStaysHiddenUntilTheStart) {
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
    HICON icon = LoadIconW(nullptr, MAKEINTRESOURCEW(32516)); // IDI_INFORMATION
    mainForm->setIcon(icon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0)), icon);
    EXPECT_EQ(applet->icon, icon); // the taskbar button's too

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
    Blocker blocker;
    EventLog closes;
    auto mainForm = makeForm();
    mainForm->srcCloseBlock = makeLink<&Blocker::get>(&blocker);
    mainForm->outClose = closes.link();
    start();
    HWND window = windowOf(*mainForm);
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(pumpMessages(), 0);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(closes.count(), 0);
    EXPECT_TRUE(dispatchersLive());

    blocker.answer = 0;
    PostMessageW(window, WM_CLOSE, 0, 0);
    run(applet); // ends with the close
    EXPECT_EQ(closes.count(), 1);
    EXPECT_FALSE(dispatchersLive());
    mainForm.reset();
    pumpMessages();
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
            const auto [width, height] = clientSize(control.handle);
            control.setSize(control.width() + 300 - width, control.height() + 200 - height);
            SendMessageW(control.handle, WM_CLOSE, 0, 0);
            pumpMessages();
        }
        auto again = makeForm(key);
        start();
        TControl& control = *again->getControl();
        EXPECT_EQ(control.left(), 123);
        EXPECT_EQ(control.top(), 77);
        EXPECT_EQ(clientSize(control.handle), (std::pair<LONG, LONG>{300, 200}));
    }
    const std::wstring path = L"Software\\" + toWideText(registryKey);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str()), ERROR_SUCCESS);
    EXPECT_TRUE(DeleteFileW((startDirectory() + toWideText(ini)).c_str())); // beside the program
}

} // namespace
