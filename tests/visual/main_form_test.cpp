#include "visual_fixture.h"

#include "toolkit/application.h"
#include "visual/main_form.h"

#include <memory>

namespace {

class MainFormTest : public ToolkitTest {
protected:
    void TearDown() override {
        stopDispatch();
        runInitProcs(); // nothing left over for the next test
        ToolkitTest::TearDown();
    }
    static std::unique_ptr<TKNMainForm> makeForm() {
        auto mainForm = std::make_unique<TKNMainForm>();
        mainForm->setCaption("График эффективности виброизоляции, дБ");
        mainForm->setBorderStyle(3);
        mainForm->init();
        return mainForm;
    }
};

TEST_F(MainFormTest, MakesTheAppletAndTakesItsFrameAndIcon) {
    makeForm().reset(); // the start procedure of a form destroyed first does nothing
    EXPECT_EQ(application.applet, nullptr);
    installDispatchers();
    runInitProcs();
    pumpMessages();
    EXPECT_EQ(toolkitWindowCount(), 0);

    auto mainForm = makeForm();
    ASSERT_NE(application.applet, nullptr);
    EXPECT_EQ(application.applet->getCaption(), "График эффективности виброизоляции, дБ");
    HWND window = mainForm->getControl()->handle;

    constexpr LONG_PTR frame = WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & frame, WS_CAPTION); // 3: a dialog frame
    HICON icon = LoadIconW(nullptr, MAKEINTRESOURCEW(32516));            // IDI_INFORMATION
    mainForm->setIcon(icon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0)), icon);
    EXPECT_EQ(application.applet->icon(), icon); // the taskbar button's too
}

} // namespace
