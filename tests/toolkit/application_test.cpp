#include "toolkit_fixture.h"

#include "toolkit/application.h"
#include "toolkit/control_factory.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string>* journal = nullptr;
int idleRounds = 0;

void note(const std::string& line) {
    journal->push_back(line);
}

std::string state() {
    return std::string(appletRunning ? "running" : "stopped") +
           (appletTerminated ? ",terminated" : "");
}

bool formWatcher(TControl&, TMessage& msg, LRESULT&) {
    if (msg.message == WM_DESTROY)
        note("form destroyed while " + state());
    if (msg.message == WM_APP)
        note("queued message");
    return false;
}

bool appletWatcher(TControl&, TMessage& msg, LRESULT&) {
    if (msg.message == WM_CLOSE)
        note("applet closed");
    return false;
}

class ApplicationTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        journal = &lines;
        idleRounds = 0;
        idleProc = [] { ++idleRounds; };
        // The loop frees the applet; the fixture keeps the form only.
        appletControl = newApplet("");
        form = keep(newForm(appletControl, "Main"));
        button = keep(newButton(form, "OK"));
        form->attachHandler(formWatcher, true);
        appletControl->attachHandler(appletWatcher, true);
    }
    void TearDown() override {
        if (appletControl)
            appletControl->free();
        ToolkitTest::TearDown();
        journal = nullptr;
    }

    std::vector<std::string> lines;
    TControl* button = nullptr;
};

TEST_F(ApplicationTest, AQuitPostedBeforeRunEndsTheLoopAfterTheFirstRound) {
    PostQuitMessage(0);
    run(appletControl);
    EXPECT_EQ(idleRounds, 1);
    EXPECT_EQ(appletControl, nullptr);
    EXPECT_EQ(applet, nullptr);
    EXPECT_TRUE(appletTerminated);
    EXPECT_FALSE(appletRunning);
    // Termination had started: the applet was not sent WM_CLOSE.
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "applet closed"), 0);
}

TEST_F(ApplicationTest, ClosingTheMainFormEndsRunBeforeTheFormWindowIsDestroyed) {
    appletControl->getHandle();
    HWND formWindow = form->getHandle();
    HWND buttonWindow = button->handle;
    pumpMessages();
    PostMessageW(formWindow, WM_CLOSE, 0, 0);
    run(appletControl);

    EXPECT_EQ(appletControl, nullptr);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "applet closed");
    EXPECT_EQ(lines[1], "form destroyed while stopped,terminated");
    // The form's object lives on for its owner; its window went with the applet.
    EXPECT_FALSE(IsWindow(formWindow));
    EXPECT_FALSE(IsWindow(buttonWindow));
    EXPECT_EQ(form->parent, nullptr);
}

TEST_F(ApplicationTest, TheAppletsCloseCommandClosesTheMainForm) {
    appletControl->createWindow();
    applet = appletControl;
    SendMessageW(appletControl->handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(IsWindow(appletControl->handle));
    processMessages();
    EXPECT_TRUE(appletTerminated);
    EXPECT_TRUE(IsWindow(form->handle));
}

TEST_F(ApplicationTest, TerminateDrainsTheQueueOnceBeforeClosingTheApplet) {
    appletControl->createWindow();
    applet = appletControl;
    PostMessageW(form->handle, WM_APP, 0, 0);
    terminate(appletControl);
    EXPECT_EQ(appletControl, nullptr);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "queued message");
    EXPECT_EQ(lines[1], "applet closed");
    EXPECT_TRUE(appletTerminated);

    // A second termination finds no applet and does nothing more.
    TControl* none = nullptr;
    terminate(none);
    EXPECT_EQ(none, nullptr);
}

TEST_F(ApplicationTest, MinimisingTheMainFormMinimisesTheApplet) {
    appletControl->createWindow();
    applet = appletControl;
    std::vector<UINT> seen;
    static std::vector<UINT>* appletCommands;
    appletCommands = &seen;
    appletControl->attachHandler(
        [](TControl&, TMessage& msg, LRESULT&) {
            if (msg.message == WM_SYSCOMMAND)
                appletCommands->push_back(static_cast<UINT>(msg.wParam & 0xFFF0));
            return true;
        },
        true);
    SendMessageW(form->handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    pumpMessages();
    EXPECT_EQ(seen, std::vector<UINT>{SC_MINIMIZE});
    EXPECT_FALSE(IsIconic(form->handle));
}

} // namespace
