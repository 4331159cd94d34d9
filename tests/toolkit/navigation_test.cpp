#include "toolkit_fixture.h"

#include "toolkit/alignment.h"
#include "toolkit/control_factory.h"
#include "toolkit/navigation.h"

#include <tuple>
#include <vector>

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
        stops[ok]->onClick = {[](void*, TControl*) { ++clicks; }, nullptr};
        stops[cancel]->onClick = {[](void*, TControl*) { ++cancels; }, nullptr};
        setDefaultButton(*stops[ok], VK_RETURN, true);
        setDefaultButton(*stops[cancel], VK_ESCAPE, true);
        appletRunning = true;
        appletControl->lastFocused = form;
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

TEST_F(NavigationTest, KeysMoveTheFocusAlongTheTabStopsAndEnterAndEscPressTheButtons) {
    stops[second]->setCaption("abc");
    stops[second]->setSelStart(1);
    // From, key, with Shift, where the focus goes, clicks and cancels so far. Tab
    // wraps both ways; a single-line edit keeps Left and Right, a multi-line one
    // every arrow and Enter; the label is passed over; a pressed button takes the
    // focus, as a click would.
    // clang-format off
    const std::tuple<Stop, WPARAM, bool, Stop, int, int> cases[] = {
        {cancel, VK_TAB, false, first, 0, 0}, {first, VK_TAB, true, cancel, 0, 0},
        {first, VK_TAB, false, second, 0, 0}, {second, VK_RIGHT, false, second, 0, 0},
        {second, VK_DOWN, false, memo, 0, 0}, {memo, VK_UP, false, memo, 0, 0},
        {memo, VK_TAB, false, ok, 0, 0},      {first, VK_RETURN, false, ok, 1, 0},
        {memo, VK_RETURN, false, memo, 1, 0}, {memo, VK_ESCAPE, false, cancel, 1, 1}};
    // clang-format on
    for (const auto& [from, key, shift, to, clicked, cancelled] : cases) {
        press(from, key, shift);
        EXPECT_EQ(GetFocus(), stops[to]->handle) << from << " " << key;
        EXPECT_EQ(std::make_pair(clicks, cancels), std::make_pair(clicked, cancelled)) << from;
    }
    EXPECT_EQ(stops[second]->selStart(), 2);
    EXPECT_EQ(stops[first]->getCaption(), ""); // Tab never types into the edit
    EXPECT_TRUE(stops[ok]->style & BS_DEFPUSHBUTTON);

    // Hidden and disabled controls are passed over, nor is a disabled button pressed.
    stops[cancel]->setVisible(false);
    stops[first]->setEnabled(false);
    press(ok, VK_TAB);
    EXPECT_EQ(GetFocus(), stops[second]->handle);
    stops[ok]->setEnabled(false);
    press(second, VK_RETURN);
    EXPECT_EQ(clicks, 1);

    // Unregistering gives the applet its previous handler back.
    setDefaultButton(*stops[cancel], VK_ESCAPE, false);
    setDefaultButton(*stops[ok], VK_RETURN, false);
    EXPECT_FALSE(appletControl->messageHandler);
    EXPECT_FALSE(stops[ok]->style & BS_DEFPUSHBUTTON);
}

// Children take their place in turn, 2 pixels from the edges and apart: top
// and bottom first, then left and right, the client one what remains; a hidden
// child is passed over and stays where it was.
TEST_F(ToolkitTest, AlignedChildrenTakeThePlaceLeftInTurnAndFollowTheParentsSize) {
    makeAppletAndForm(); // a client of 400 x 300 until the window exists
    TControl* hidden = keep(newPictureBox(form));
    hidden->visible = false;
    hidden->bounds = {5, 5, 55, 55};
    setAlign(*hidden, alLeft);
    // Alignment, width, height, bounds.
    // clang-format off
    const std::tuple<TAlign, int, int, RECT> cases[] = {
        {alLeft, 30, 10, {2, 24, 32, 298}}, {alLeft, 40, 10, {34, 24, 74, 298}},
        {alRight, 30, 10, {368, 24, 398, 298}}, {alTop, 10, 20, {2, 2, 398, 22}},
        {alClient, 10, 10, {76, 24, 366, 298}}};
    // clang-format on
    std::vector<TControl*> children;
    for (const auto& [align, width, height, bounds] : cases) {
        children.push_back(keep(newPictureBox(form)));
        children.back()->setSize(width, height);
        setAlign(*children.back(), align);
    }
    const auto box = [](const RECT& r) {
        return std::make_tuple(r.left, r.top, r.right, r.bottom);
    };
    for (std::size_t i = 0; i < children.size(); ++i)
        EXPECT_EQ(box(children[i]->bounds), box(std::get<3>(cases[i]))) << i;
    EXPECT_EQ(box(hidden->bounds), std::make_tuple(5, 5, 55, 55));

    form->getHandle();
    form->setSize(500, 400);
    RECT client{};
    GetClientRect(form->handle, &client);
    EXPECT_EQ(children[4]->getBounds().right, client.right - 34);
    EXPECT_EQ(children[4]->getBounds().bottom, client.bottom - 2);
}

} // namespace
