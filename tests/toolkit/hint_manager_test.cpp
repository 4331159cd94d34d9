#include "toolkit_fixture.h"

#include "toolkit/gdi_counter.h"
#include "toolkit/hint_manager.h"

#include <vector>

namespace {

std::vector<UINT> tipMessages;
WNDPROC tipProc = nullptr;

// Records the tip's own messages on their way to it.
LRESULT CALLBACK recordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER)
        tipMessages.push_back(message);
    return CallWindowProcW(tipProc, window, message, wParam, lParam);
}

class HintManagerTest : public GdiCountingTest {
protected:
    void SetUp() override {
        GdiCountingTest::SetUp();
        makeAppletAndForm();
        manager.setUp();
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
    EXPECT_FALSE(IsWindow(balloonWindow) || IsWindow(window));
}

TEST_F(HintManagerTest, TextsTitlesAndTrackingReachTheTipAndTrackingOnlyWhenOn) {
    TTipRecord* tip = tips.createTip(form->getHandle());
    HWND window = tipWindow(*tip);
    tipProc = (WNDPROC)SetWindowLongPtrW(window, GWLP_WNDPROC, (LONG_PTR)recordingProc);
    wchar_t text[80] = {};
    TTTOOLINFOW query = tip->info;
    query.lpszText = text;
    // No text at all is the empty text.
    for (const auto& [set, shown] :
         {std::pair{std::string_view("Подсказка"), L"Подсказка"}, {{}, L""}}) {
        tips.setTipText(tip, set);
        SendMessageW(window, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&query));
        EXPECT_STREQ(text, shown);
    }
    tipMessages.clear();
    tips.setTipTitle(tip, 1, "Заголовок");
    EXPECT_EQ(tipMessages, std::vector<UINT>{TTM_SETTITLEW});
    for (bool tracking : {false, true}) {
        tipMessages.clear();
        manager.Tracking = tracking;
        tips.moveTracked(tip, 10, 20);
        tips.showTracked(tip);
        tips.hideTracked(tip);
        // Off, nothing at all.
        std::erase_if(tipMessages, [tracking](UINT m) {
            return tracking && m != TTM_TRACKPOSITION && m != TTM_TRACKACTIVATE;
        });
        const std::vector<UINT> expected{TTM_TRACKPOSITION, TTM_TRACKACTIVATE, TTM_TRACKACTIVATE};
        EXPECT_EQ(tipMessages, tracking ? expected : std::vector<UINT>{});
    }
    tips.destroyTip(tip);
    pumpMessages();
}

} // namespace
