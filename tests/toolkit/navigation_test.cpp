#include "toolkit_fixture.h"

#include "toolkit/alignment.h"
#include "toolkit/control_factory.h"
#include "toolkit/navigation.h"

#include <tuple>

namespace {

int clicks = 0, cancels = 0;

// The form's tab stops in their order; a label that is none sits between.
enum Stop { first, second, memo, ok, cancel };

class NavigationTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        makeAppletAndForm();
        stops[first] = keep(newEdit(form, 0));
        stops[second] = keep(newEdit(form, 0));
        stops[memo] = keep(newEdit(form, eoMultiline));
        keep(newLabel(form, "not a tab stop"));
        stops[ok] = keep(newButton(form, "OK"));
        stops[cancel] = keep(newButton(form, "Cancel"));
        enableNavigation(*stops[first]);
        clicks = cancels = 0;
    }
    // Puts the focus on the stop and presses the key there.
    void press(Stop from, WPARAM key, bool shift = false) {
        ASSERT_NO_FATAL_FAILURE(focus(*stops[from]));
        BYTE keys[256] = {};
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageW(stops[from]->handle, WM_KEYDOWN, key, 1);
        PostMessageW(stops[from]->handle, WM_KEYUP, key, 0xC0000001);
        pumpMessages();
    }
    TControl* stops[5] = {};
};

TEST_F(NavigationTest, KeysMoveTheFocusAlongTheTabStopsWhereTheControlLetsThem) {
    stops[second]->setCaption("abc");
    stops[second]->setSelStart(1);
    // From, key, with Shift, where the focus goes. Tab wraps both ways; a single-line
    // edit keeps Left and Right, a multi-line one every arrow; the label is passed over.
    // clang-format off
    const std::tuple<Stop, WPARAM, bool, Stop> cases[] = {
        {cancel, VK_TAB, false, first}, {first, VK_TAB, true, cancel}, {first, VK_TAB, false, second},
        {second, VK_RIGHT, false, second}, {second, VK_DOWN, false, memo}, {memo, VK_UP, false, memo},
        {memo, VK_TAB, false, ok}};
    // clang-format on
    for (const auto& [from, key, shift, to] : cases) {
        press(from, key, shift);
        EXPECT_EQ(GetFocus(), stops[to]->handle) << from << " " << key;
    }
    EXPECT_EQ(stops[second]->selStart(), 2);
    EXPECT_EQ(stops[first]->getCaption(), ""); // Tab never types into the edit

    // Hidden and disabled controls are passed over.
    stops[cancel]->setVisible(false);
    stops[first]->setEnabled(false);
    press(ok, VK_TAB);
    EXPECT_EQ(GetFocus(), stops[second]->handle);
}

TEST_F(NavigationTest, EnterAndEscPressTheDefaultAndCancelButtons) {
    stops[ok]->onClick = {[](void*, TControl*) { ++clicks; }, nullptr};
    stops[cancel]->onClick = {[](void*, TControl*) { ++cancels; }, nullptr};
    setDefaultButton(*stops[ok], VK_RETURN, true);
    setDefaultButton(*stops[cancel], VK_ESCAPE, true);
    EXPECT_TRUE(stops[ok]->style & BS_DEFPUSHBUTTON);
    appletRunning = true;
    appletControl->lastFocused = form;

    // From, key, clicks and cancels so far; a multi-line edit takes Enter itself.
    const std::tuple<Stop, WPARAM, int, int> cases[] = {
        {first, VK_RETURN, 1, 0}, {memo, VK_RETURN, 1, 0}, {memo, VK_ESCAPE, 1, 1}};
    for (const auto& [from, key, clicked, cancelled] : cases) {
        press(from, key);
        EXPECT_EQ(clicks, clicked) << from << " " << key;
        EXPECT_EQ(cancels, cancelled) << from << " " << key;
    }
    stops[ok]->setEnabled(false);
    press(first, VK_RETURN);
    EXPECT_EQ(clicks, 1) << "a disabled default button is not pressed";

    // Unregistering gives the applet its previous handler back.
    setDefaultButton(*stops[ok], VK_RETURN, false);
    EXPECT_FALSE(appletControl->messageHandler);
    EXPECT_FALSE(stops[ok]->style & BS_DEFPUSHBUTTON);
}

using AlignmentTest = ToolkitTest;

TEST_F(AlignmentTest, AlignedChildrenFollowEachOtherWithTheMarginAndFollowTheParentsSize) {
    makeAppletAndForm();
    TControl* a = keep(newPictureBox(form));
    TControl* b = keep(newPictureBox(form));
    a->setSize(30, 10);
    b->setSize(40, 10);
    form->getHandle();
    setAlign(*a, alLeft);
    setAlign(*b, alLeft);
    RECT client{};
    GetClientRect(form->handle, &client);
    EXPECT_EQ(std::make_tuple(a->left(), a->top(), b->left(), b->width()),
              std::make_tuple(2, 2, 34, 40));
    EXPECT_EQ(a->height(), client.bottom - 4);

    // Top and bottom go first, client takes what remains.
    TControl* top = keep(newPictureBox(form));
    TControl* rest = keep(newPictureBox(form));
    top->setSize(10, 20);
    top->getHandle();
    rest->getHandle();
    setAlign(*top, alTop);
    setAlign(*rest, alClient);
    EXPECT_EQ(top->width(), client.right - 4);
    EXPECT_EQ(std::make_tuple(top->top(), a->top(), rest->left(), rest->top()),
              std::make_tuple(2, 24, 76, 24));

    form->setSize(500, 400);
    GetClientRect(form->handle, &client);
    EXPECT_EQ(rest->getBounds().right, client.right - 2);
    EXPECT_EQ(rest->getBounds().bottom, client.bottom - 2);
}

TEST_F(AlignmentTest, ChildrenAreAlignedBeforeAnyWindowExistsAndHiddenOnesAreSkipped) {
    makeAppletAndForm();
    form->clientMargins.left = 10; // would move a hidden child that is not skipped
    TControl* a = keep(newPictureBox(form));
    a->setSize(30, 10);
    TControl* hidden = keep(newPictureBox(form));
    hidden->visible = false;
    setAlign(*hidden, alLeft);
    setAlign(*a, alRight);
    EXPECT_EQ(a->bounds.right, 398);
    EXPECT_EQ(a->bounds.left, 368);
    EXPECT_EQ(hidden->bounds.left, 2); // never moved
}

} // namespace
