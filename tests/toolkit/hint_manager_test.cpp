#include "toolkit_fixture.h"

#include "toolkit/gdi_counter.h"
#include "toolkit/hint_manager.h"

#include <vector>

namespace {

std::vector<UINT> tipMessages;

// Records the tip's own messages on their way to it.
LRESULT CALLBACK recordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER)
        tipMessages.push_back(message);
    auto previous = reinterpret_cast<WNDPROC>(GetPropW(window, L"test.previous"));
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

class HintManagerTest : public GdiCountingTest {
protected:
    void SetUp() override {
        GdiCountingTest::SetUp();
        makeAppletAndForm();
        manager.setUp();
        tipMessages.clear();
    }
    // A tip over the form whose messages are recorded.
    TTipRecord* recordedTip() {
        TTipRecord* tip = tips.createTip(form->getHandle());
        HWND window = tipWindow(*tip);
        const LONG_PTR previous =
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recordingProc));
        SetPropW(window, L"test.previous", reinterpret_cast<HANDLE>(previous));
        return tip;
    }
    TKNHintManager manager;
    TTipInterface& tips = *manager.tipInterface;
};

TEST_F(HintManagerTest, ATipIsARectangleOrABalloonOverItsOwnersWindowWithTheManagersSettings) {
    EXPECT_EQ(createHintManager(), createHintManager()); // the program's one
    manager.Margin = 3;
    HWND owner = form->getHandle();
    TTipRecord* plain = tips.createTip(owner);
    manager.PlainStyle = false;
    TTipRecord* balloon = tips.createTip(owner);
    EXPECT_EQ(liveGdiObjects(), startObjects + 2); // a font each
    HWND window = tipWindow(*plain), balloonWindow = tipWindow(*balloon);
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & TTS_BALLOON, 0);
    EXPECT_NE(GetWindowLongPtrW(balloonWindow, GWL_STYLE) & TTS_BALLOON, 0);
    // Without a manifest the common controls of version 5 take only a record
    // of their own size, and Wine does not tell.
    EXPECT_TRUE(sizeof(void*) == 8 || plain->info.cbSize == 44u);
    EXPECT_EQ(GetWindow(window, GW_OWNER), owner);
    EXPECT_EQ(SendMessageW(window, TTM_GETTOOLCOUNT, 0, 0), 1);
    RECT margins{};
    SendMessageW(window, TTM_GETMARGIN, 0, reinterpret_cast<LPARAM>(&margins));
    EXPECT_EQ(margins.left, 3);
    EXPECT_NE(SendMessageW(window, WM_GETFONT, 0, 0), 0);

    for (TTipRecord* tip : {balloon, plain, (TTipRecord*)nullptr})
        tips.destroyTip(tip);
    EXPECT_FALSE(IsWindow(balloonWindow));
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(HintManagerTest, TextsAndTitlesReachTheTipAndNoTextIsTheEmptyText) {
    TTipRecord* tip = recordedTip();
    wchar_t text[80] = {};
    TTTOOLINFOW query = tip->info;
    query.lpszText = text;
    for (const auto& [set, shown] :
         {std::pair{std::string_view("Подсказка"), L"Подсказка"}, {{}, L""}}) {
        tips.setTipText(tip, set);
        SendMessageW(tipWindow(*tip), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&query));
        EXPECT_STREQ(text, shown);
    }
    tipMessages.clear();
    tips.setTipTitle(tip, 1, "Заголовок");
    EXPECT_EQ(tipMessages, std::vector<UINT>{TTM_SETTITLEW});
    tips.destroyTip(tip);
}

TEST_F(HintManagerTest, TrackedOperationsSendNothingUnlessTrackingIsOn) {
    TTipRecord* tip = recordedTip();
    for (bool tracking : {false, true}) {
        manager.Tracking = tracking;
        tips.moveTracked(tip, 10, 20);
        tips.showTracked(tip);
        tips.hideTracked(tip);
        EXPECT_EQ(tipMessages.empty(), !tracking);
    }
    std::erase_if(tipMessages,
                  [](UINT m) { return m != TTM_TRACKPOSITION && m != TTM_TRACKACTIVATE; });
    const std::vector<UINT> expected{TTM_TRACKPOSITION, TTM_TRACKACTIVATE, TTM_TRACKACTIVATE};
    EXPECT_EQ(tipMessages, expected);
    tips.destroyTip(tip);
    pumpMessages();
}

} // namespace
