#include "toolkit_fixture.h"

#include "toolkit/control_factory.h"
#include "toolkit/input_events.h"

#include <string>
#include <tuple>
#include <vector>

namespace {

struct InputLog {
    std::vector<std::uint32_t> shifts;
    std::string characters;
    TMouseRecord mouse;

    void keyDown(TControl*, std::int32_t&, std::uint32_t shift) { shifts.push_back(shift); }
    void character(TControl*, char& c, std::uint32_t) { characters += c; }
    void mouseDown(TControl*, TMouseRecord& record) { mouse = record; }
};

class InputTest : public ToolkitTest {
protected:
    void SetUp() override { ToolkitTest::SetUp(), makeAppletAndForm(); }
    InputLog log;
};

// Key handlers see the shift state and characters in 1251; mouse handlers the
// button, the shift and a signed position.
TEST_F(InputTest, HandlersGetTheShiftStateCharactersIn1251AndSignedPositions) {
    TControl* edit = keep(newEdit(form, 0));
    edit->setOn(TKeyAction::down,
                bindMethod<&InputLog::keyDown, TControl*, std::int32_t&, std::uint32_t>(&log));
    edit->setOnChar(bindMethod<&InputLog::character, TControl*, char&, std::uint32_t>(&log));
    ASSERT_NO_FATAL_FAILURE(focus(*edit));
    for (int key : {VK_SHIFT, VK_CONTROL, 0}) {
        BYTE keys[256] = {};
        keys[key] = key ? 0x80 : 0; // only the key is down
        SetKeyboardState(keys);
        SendMessageW(edit->handle, WM_KEYDOWN, 'Q', 1);
    }
    EXPECT_EQ(log.shifts, (std::vector<std::uint32_t>{4, 8, 0}));
    for (wchar_t c : std::wstring(L"aЖ"))
        SendMessageW(edit->handle, WM_CHAR, c, 1);
    EXPECT_EQ(log.characters, "aЖ");
    EXPECT_EQ(edit->getCaption(), "aЖ");

    TControl* button = keep(newButton(form, "OK"));
    button->setOn(TMouseAction::down,
                  bindMethod<&InputLog::mouseDown, TControl*, TMouseRecord&>(&log));
    SendMessageW(button->getHandle(), WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, MAKELPARAM(5, -3));
    const TMouseRecord& m = log.mouse;
    EXPECT_EQ(std::make_tuple(m.button, m.shift, m.x, m.y),
              std::make_tuple(2, MK_RBUTTON | MK_SHIFT, 5, -3));
}

} // namespace
