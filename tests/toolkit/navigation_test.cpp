#include "toolkit_fixture.h"

#include "toolkit/control_factory.h"
#include "toolkit/edit_text.h"
#include "toolkit/navigation.h"

#include <tuple>

namespace {

int clicks = 0;

// The form's tab stops in their order; a label that is none sits between.
enum Stop { first, second, memo, ok, last };

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
        stops[last] = keep(newButton(form, "Last"));
        enableNavigation(*stops[first]);
        clicks = 0;
        stops[ok]->setOn(TNotice::click, {[](void*, TControl*) { ++clicks; }, nullptr});
        setDefaultButton(*stops[ok], VK_RETURN, true);
        application.appletRunning = true;
        appletControl->formState()->lastFocused = form;
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

TEST_F(NavigationTest, KeysMoveTheFocusAlongTheTabStopsAndEnterPressesTheDefaultButton) {
    stops[second]->setCaption("abc");
    setSelStart(*stops[second], 1);
    // From, key, with Shift, where the focus goes, clicks so far. Tab wraps both
    // ways; a single-line edit keeps Left and Right, a multi-line one every arrow
    // and Enter; the label is passed over; the pressed button takes the focus.
    const std::tuple<Stop, WPARAM, bool, Stop, int> cases[] = {
        {last, VK_TAB, false, first, 0},   {first, VK_TAB, true, last, 0},
        {first, VK_TAB, false, second, 0}, {second, VK_RIGHT, false, second, 0},
        {second, VK_DOWN, false, memo, 0}, {memo, VK_UP, false, memo, 0},
        {memo, VK_TAB, false, ok, 0},      {first, VK_RETURN, false, ok, 1},
        {memo, VK_RETURN, false, memo, 1}};
    for (const auto& [from, key, shift, to, clicked] : cases) {
        press(from, key, shift);
        EXPECT_EQ(GetFocus(), stops[to]->handle) << from << " " << key;
        EXPECT_EQ(clicks, clicked) << from;
    }
    EXPECT_EQ(selStart(*stops[second]), 2);
    EXPECT_EQ(stops[first]->getCaption(), ""); // Tab never types into the edit
    EXPECT_TRUE(stops[ok]->style() & BS_DEFPUSHBUTTON);

    // Hidden and disabled controls are passed over, nor is a disabled button pressed.
    stops[last]->setVisible(false);
    stops[first]->setEnabled(false);
    press(ok, VK_TAB);
    EXPECT_EQ(GetFocus(), stops[second]->handle);
    stops[ok]->setEnabled(false);
    press(second, VK_RETURN);
    EXPECT_EQ(clicks, 1);
}

} // namespace
