#include "toolkit_fixture.h"

#include "toolkit/application.h"
#include "toolkit/control_factory.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string> journal;

bool watch(TControl& control, TMessage& msg, LRESULT&) {
    if (msg.message == WM_CLOSE && control.isApplet())
        journal.push_back("applet closed");
    if (msg.message == WM_DESTROY && control.isForm())
        journal.push_back(application.appletTerminated ? "form destroyed after termination"
                                                       : "form destroyed");
    return false;
}

class ApplicationTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        journal.clear();
        // The loop frees the applet; the fixture keeps the form only.
        appletControl = newApplet("");
        form = keep(newForm(appletControl, "Main"));
        form->attachHandler(watch, true);
        appletControl->attachHandler(watch, true);
    }
    void TearDown() override {
        if (appletControl)
            appletControl->free();
        ToolkitTest::TearDown();
    }
    void makeWindows() { appletControl->createWindow(), application.applet = appletControl; }
};

TEST_F(ApplicationTest, ClosingTheMainFormEndsRunBeforeTheFormWindowIsDestroyed) {
    HWND formWindow = form->getHandle();
    PostMessageW(formWindow, WM_CLOSE, 0, 0);
    run(appletControl);
    EXPECT_EQ(appletControl, nullptr);
    EXPECT_EQ(journal,
              (std::vector<std::string>{"applet closed", "form destroyed after termination"}));
    // The form's object lives on for its owner; its window went with the applet.
    EXPECT_FALSE(IsWindow(formWindow));
    EXPECT_EQ(form->parent, nullptr);
}

// The applet stands for the main form on the taskbar: minimising the form
// minimises the applet, and the applet's close closes the form.
TEST_F(ApplicationTest, TheMainFormsMinimiseAndTheAppletsCloseActOnTheOther) {
    makeWindows();
    appletControl->attachHandler(
        [](TControl&, TMessage& msg, LRESULT&) {
            if (msg.message != WM_SYSCOMMAND || (msg.wParam & 0xFFF0) != SC_MINIMIZE)
                return false;
            journal.push_back("applet minimised");
            return true; // the test's applet window stays as it is
        },
        true);
    SendMessageW(form->handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    pumpMessages();
    EXPECT_EQ(journal, std::vector<std::string>{"applet minimised"});
    EXPECT_FALSE(IsIconic(form->handle));

    SendMessageW(appletControl->handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(IsWindow(appletControl->handle));
    processMessages();
    EXPECT_TRUE(application.appletTerminated && IsWindow(form->handle));
}

} // namespace
