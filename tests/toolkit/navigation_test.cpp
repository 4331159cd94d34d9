#include "toolkit_fixture.h"

#include "toolkit/alignment.h"
#include "toolkit/control_factory.h"
#include "toolkit/navigation.h"

namespace {

int clicks = 0;
int cancels = 0;

void countClick(void*, TControl*) {
    ++clicks;
}

void countCancel(void*, TControl*) {
    ++cancels;
}

void pressKey(HWND window, WPARAM key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
    pumpMessages();
}

void setShift(bool down) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

class NavigationTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        makeAppletAndForm();
        first = keep(newEdit(form, 0));
        second = keep(newEdit(form, 0));
        memo = keep(newEdit(form, eoMultiline));
        label = keep(newLabel(form, "not a tab stop"));
        okButton = keep(newButton(form, "OK"));
        cancelButton = keep(newButton(form, "Cancel"));
        enableNavigation(*first);
        clicks = 0;
        cancels = 0;
    }

    TControl* first = nullptr;
    TControl* second = nullptr;
    TControl* memo = nullptr;
    TControl* label = nullptr;
    TControl* okButton = nullptr;
    TControl* cancelButton = nullptr;
};

TEST_F(NavigationTest, TabWrapsAroundTheFormsTabStops) {
    ASSERT_NO_FATAL_FAILURE(focus(*cancelButton));
    pressKey(cancelButton->handle, VK_TAB);
    EXPECT_EQ(GetFocus(), first->handle);
    EXPECT_EQ(form->lastFocused, first);

    setShift(true);
    pressKey(first->handle, VK_TAB);
    setShift(false);
    EXPECT_EQ(GetFocus(), cancelButton->handle);

    pressKey(cancelButton->handle, VK_TAB);
    pressKey(first->handle, VK_TAB);
    EXPECT_EQ(GetFocus(), second->handle);
    // Tab never types into the edit.
    EXPECT_EQ(first->getCaption(), "");
}

TEST_F(NavigationTest, ArrowsInASingleLineEditMoveTheCaretLeftAndRightButTheFocusUpAndDown) {
    ASSERT_NO_FATAL_FAILURE(focus(*second));
    second->setCaption("abc");
    second->setSelStart(1);
    pressKey(second->handle, VK_RIGHT);
    EXPECT_EQ(GetFocus(), second->handle);
    EXPECT_EQ(second->selStart(), 2);
    pressKey(second->handle, VK_LEFT);
    EXPECT_EQ(GetFocus(), second->handle);

    pressKey(second->handle, VK_DOWN);
    EXPECT_EQ(GetFocus(), memo->handle);
    // The multi-line edit keeps the arrows; Tab still leaves it.
    pressKey(memo->handle, VK_UP);
    EXPECT_EQ(GetFocus(), memo->handle);
    pressKey(memo->handle, VK_TAB);
    EXPECT_EQ(GetFocus(), okButton->handle);

    // Hidden and disabled controls are passed over.
    cancelButton->setVisible(false);
    first->setEnabled(false);
    pressKey(okButton->handle, VK_TAB);
    EXPECT_EQ(GetFocus(), second->handle);
}

TEST_F(NavigationTest, EnterAndEscPressTheDefaultAndCancelButtons) {
    okButton->onClick = {countClick, nullptr};
    cancelButton->onClick = {countCancel, nullptr};
    setDefaultButton(*okButton, VK_RETURN, true);
    setDefaultButton(*cancelButton, VK_ESCAPE, true);
    EXPECT_EQ(form->defaultButton, okButton);
    EXPECT_TRUE(okButton->style & BS_DEFPUSHBUTTON);
    appletRunning = true;
    appletControl->lastFocused = form;

    ASSERT_NO_FATAL_FAILURE(focus(*first));
    pressKey(first->handle, VK_RETURN);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(GetFocus(), okButton->handle);

    ASSERT_NO_FATAL_FAILURE(focus(*memo));
    pressKey(memo->handle, VK_RETURN);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(GetFocus(), memo->handle);

    pressKey(memo->handle, VK_ESCAPE);
    EXPECT_EQ(cancels, 1);

    // A disabled default button is not pressed.
    okButton->setEnabled(false);
    ASSERT_NO_FATAL_FAILURE(focus(*first));
    pressKey(first->handle, VK_RETURN);
    EXPECT_EQ(clicks, 1);

    // Unregistering gives the applet its previous handler back.
    setDefaultButton(*okButton, VK_RETURN, false);
    EXPECT_FALSE(appletControl->messageHandler);
    EXPECT_EQ(form->defaultButton, nullptr);
    EXPECT_FALSE(okButton->style & BS_DEFPUSHBUTTON);
}

class AlignmentTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        makeAppletAndForm();
    }
};

TEST_F(AlignmentTest, LeftAlignedChildrenFollowEachOtherWithTheMargin) {
    TControl* a = keep(newPictureBox(form));
    TControl* b = keep(newPictureBox(form));
    a->setSize(30, 10);
    b->setSize(40, 10);
    form->getHandle();
    setAlign(*a, alLeft);
    setAlign(*b, alLeft);
    RECT client{};
    GetClientRect(form->handle, &client);
    EXPECT_EQ(a->left(), 2);
    EXPECT_EQ(b->left(), 34);
    EXPECT_EQ(b->width(), 40);
    EXPECT_EQ(a->top(), 2);
    EXPECT_EQ(a->height(), client.bottom - 4);

    // Top and bottom go first, client takes what remains; a resized form
    // re-aligns its children.
    TControl* top = keep(newPictureBox(form));
    TControl* rest = keep(newPictureBox(form));
    top->setSize(10, 20);
    top->getHandle();
    rest->getHandle();
    setAlign(*top, alTop);
    setAlign(*rest, alClient);
    EXPECT_EQ(top->top(), 2);
    EXPECT_EQ(top->width(), client.right - 4);
    EXPECT_EQ(a->top(), 24);
    EXPECT_EQ(rest->left(), 34 + 40 + 2);
    EXPECT_EQ(rest->top(), 24);

    form->setSize(500, 400);
    GetClientRect(form->handle, &client);
    EXPECT_EQ(rest->getBounds().right, client.right - 2);
    EXPECT_EQ(rest->getBounds().bottom, client.bottom - 2);
}

TEST_F(AlignmentTest, ChildrenAreAlignedBeforeAnyWindowExists) {
    form->clientMargins.left = 10;
    TControl* a = keep(newPictureBox(form));
    a->setSize(30, 10);
    TControl* hidden = keep(newPictureBox(form));
    hidden->visible = false;
    setAlign(*hidden, alLeft);
    setAlign(*a, alRight);
    EXPECT_EQ(a->bounds.right, 400 - 2);
    EXPECT_EQ(a->bounds.left, 400 - 32);
    EXPECT_EQ(hidden->bounds.left, 2); // skipped: never moved
}

} // namespace
