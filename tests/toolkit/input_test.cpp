#include "toolkit_fixture.h"

#include "toolkit/control_factory.h"
#include "toolkit/input_events.h"

#include <string>
#include <vector>

namespace {

struct InputLog {
    std::vector<std::int32_t> keys;
    std::vector<std::uint32_t> shifts;
    std::string characters;
    std::vector<TMouseRecord> mouse;
    bool stopMouse = false;
    bool inside = false;
    int enters = 0;
    int leaves = 0;

    void keyDown(TControl*, std::int32_t& key, std::uint32_t shift) {
        keys.push_back(key);
        shifts.push_back(shift);
        if (key == VK_F2)
            key = 0;
    }
    void character(TControl*, char& c, std::uint32_t) {
        characters += c;
        if (c == 'a')
            c = 'b';
        else if (c == 'x')
            c = 0;
    }
    void mouseEvent(TControl*, TMouseRecord& record) {
        mouse.push_back(record);
        record.stop = stopMouse;
    }
    bool hit(TControl*, std::int32_t, std::int32_t) { return inside; }
    void enter(TControl*) { ++enters; }
    void leave(TControl*) { ++leaves; }
};

class InputTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        makeAppletAndForm();
        edit = keep(newEdit(form, 0));
        button = keep(newButton(form, "OK"));
    }

    InputLog log;
    TControl* edit = nullptr;
    TControl* button = nullptr;
};

TEST_F(InputTest, KeyHandlersSeeTheKeyAndShiftStateAndMaySwallowOrChangeIt) {
    setOnKeyDown(*edit,
                 bindMethod<&InputLog::keyDown, TControl*, std::int32_t&, std::uint32_t>(&log));
    setOnChar(*edit, bindMethod<&InputLog::character, TControl*, char&, std::uint32_t>(&log));
    ASSERT_NO_FATAL_FAILURE(focus(*edit));

    BYTE keys[256] = {};
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(edit->handle, WM_KEYDOWN, 'Q', 1);
    keys[VK_SHIFT] = 0;
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(edit->handle, WM_KEYDOWN, VK_F2, 1);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(log.keys, (std::vector<std::int32_t>{'Q', VK_F2}));
    EXPECT_EQ(log.shifts, (std::vector<std::uint32_t>{4, 8}));

    for (wchar_t c : std::wstring(L"axcЖ"))
        SendMessageW(edit->handle, WM_CHAR, c, 1);
    EXPECT_EQ(log.characters, "axcЖ"); // handlers see code page 1251
    EXPECT_EQ(edit->getCaption(), "bcЖ");

    // Keys reach only the window that has the focus.
    log.keys.clear();
    SendMessageW(button->getHandle(), WM_KEYDOWN, 'Q', 1);
    setOnKeyDown(*button,
                 bindMethod<&InputLog::keyDown, TControl*, std::int32_t&, std::uint32_t>(&log));
    SendMessageW(button->handle, WM_KEYDOWN, 'Q', 1);
    EXPECT_TRUE(log.keys.empty());
}

TEST_F(InputTest, MouseHandlersGetTheMouseRecordAndMayStopTheDefaultProcessing) {
    const auto handler = bindMethod<&InputLog::mouseEvent, TControl*, TMouseRecord&>(&log);
    setOnMouseDown(*button, handler);
    setOnMouseUp(*button, handler);
    setOnMouseMove(*button, handler);
    setOnMouseWheel(*button, handler);
    HWND window = button->getHandle();

    SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, MAKELPARAM(5, -3));
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(7, 8));
    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(1, 1));
    SendMessageW(window, WM_MBUTTONUP, 0, 0);
    ASSERT_EQ(log.mouse.size(), 4u);
    EXPECT_EQ(log.mouse[0].button, 2);
    EXPECT_EQ(log.mouse[0].shift, static_cast<std::uint32_t>(MK_RBUTTON | MK_SHIFT));
    EXPECT_EQ(log.mouse[0].x, 5);
    EXPECT_EQ(log.mouse[0].y, -3);
    EXPECT_EQ(log.mouse[1].button, 0);
    EXPECT_EQ(log.mouse[1].x, 7);
    EXPECT_EQ(log.mouse[2].shift >> 16, 120u);
    EXPECT_EQ(log.mouse[3].button, 3);

    // Stopped: the button never sees the press, so it does not capture.
    log.stopMouse = true;
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_NE(GetCapture(), window);
    log.stopMouse = false;
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_EQ(GetCapture(), window);
    ReleaseCapture();
    pumpMessages();
}

TEST_F(InputTest, MouseEnterAndLeaveAreToldOnceEach) {
    button->hitTest =
        bindFuncMethod<&InputLog::hit, bool, TControl*, std::int32_t, std::int32_t>(&log);
    setOnMouseEnter(*button, bindMethod<&InputLog::enter, TControl*>(&log));
    setOnMouseLeave(*button, bindMethod<&InputLog::leave, TControl*>(&log));
    HWND window = button->getHandle();

    log.inside = true;
    SendMessageW(window, WM_MOUSEMOVE, 0, 0);
    SendMessageW(window, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(log.enters, 1);
    EXPECT_TRUE(button->mouseInside);
    log.inside = false;
    SendMessageW(window, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(log.leaves, 1);

    log.inside = true;
    SendMessageW(window, WM_MOUSEMOVE, 0, 0);
    SendMessageW(window, WM_MOUSELEAVE, 0, 0);
    SendMessageW(window, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(log.enters, 2);
    EXPECT_EQ(log.leaves, 2);
    EXPECT_FALSE(button->mouseInside);
    pumpMessages();
}

} // namespace
