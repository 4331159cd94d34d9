#include "toolkit_fixture.h"

#include "toolkit/control_factory.h"
#include "toolkit/gdi_counter.h"
#include "toolkit/hint_manager.h"

#include <vector>

namespace {

std::vector<UINT>* seenMessages = nullptr;

LRESULT CALLBACK recordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (seenMessages && message >= WM_USER)
        seenMessages->push_back(message);
    auto previous = reinterpret_cast<WNDPROC>(GetPropW(window, L"test.previous"));
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

void recordMessagesOf(HWND window) {
    const LONG_PTR previous =
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recordingProc));
    SetPropW(window, L"test.previous", reinterpret_cast<HANDLE>(previous));
}

std::wstring tipText(const TTipRecord& tip) {
    wchar_t buffer[80] = {};
    TTTOOLINFOW query = tip.info;
    query.lpszText = buffer;
    SendMessageW(tipWindow(tip), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&query));
    return buffer;
}

class HintManagerTest : public GdiCountingTest {
protected:
    void SetUp() override {
        GdiCountingTest::SetUp();
        makeAppletAndForm();
        seenMessages = &messages;
    }
    void TearDown() override {
        seenMessages = nullptr;
        GdiCountingTest::TearDown();
    }
    std::vector<UINT> messages;
};

TEST_F(HintManagerTest, TheProgramsManagerIsMadeOnceWithItsSetUpValues) {
    TKNHintManager* manager = createHintManager();
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(createHintManager(), manager);
    EXPECT_EQ(hintManager, manager);
    EXPECT_TRUE(manager->PlainStyle);
    EXPECT_EQ(manager->BackColor, static_cast<std::int32_t>(0xFF000018));
    EXPECT_EQ(manager->InitialDelay, 500);
    EXPECT_EQ(manager->AutoPopDelay, 5000);
    EXPECT_EQ(manager->Margin, 0);
    EXPECT_FALSE(manager->Tracking);
    EXPECT_EQ(manager->Font.name, "Tahoma");
    EXPECT_EQ(manager->Font.size, 8);
    EXPECT_EQ(manager->Font.color, static_cast<std::int32_t>(0xFF000017));
    EXPECT_EQ(manager->Font.charset, 1);
    ASSERT_NE(manager->tipInterface, nullptr);
    EXPECT_TRUE(manager->tipInterface->createTip);
    EXPECT_TRUE(manager->tipInterface->moveTracked);
}

TEST_F(HintManagerTest, ATipIsARectangleOrABalloonOverItsOwnersWindow) {
    TKNHintManager manager;
    manager.setUp();
    manager.Margin = 3;
    HWND owner = form->getHandle();
    TTipInterface& tips = *manager.tipInterface;

    TTipRecord* plain = tips.createTip(owner);
    ASSERT_NE(plain, nullptr);
    HWND plainWindow = tipWindow(*plain);
    ASSERT_NE(plainWindow, nullptr);
    if (sizeof(void*) == 4) {
        EXPECT_EQ(plain->info.cbSize, 44u);
    }
    EXPECT_EQ(plain->info.uFlags, 0x111u);
    EXPECT_EQ(plain->info.hwnd, owner);
    EXPECT_EQ(plain->info.uId, reinterpret_cast<UINT_PTR>(owner));
    EXPECT_EQ(GetWindowLongPtrW(plainWindow, GWL_STYLE) & TTS_BALLOON, 0);
    EXPECT_EQ(GetWindow(plainWindow, GW_OWNER), owner);
    EXPECT_EQ(SendMessageW(plainWindow, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageW(plainWindow, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(plainWindow, TTM_GETTIPBKCOLOR, 0, 0)),
              GetSysColor(COLOR_INFOBK));
    RECT margins{};
    SendMessageW(plainWindow, TTM_GETMARGIN, 0, reinterpret_cast<LPARAM>(&margins));
    EXPECT_EQ(margins.left, 3);
    EXPECT_EQ(margins.bottom, 3);
    EXPECT_NE(SendMessageW(plainWindow, WM_GETFONT, 0, 0), 0);

    manager.PlainStyle = false;
    TTipRecord* balloon = tips.createTip(owner);
    EXPECT_NE(GetWindowLongPtrW(tipWindow(*balloon), GWL_STYLE) & TTS_BALLOON, 0);
    EXPECT_EQ(liveGdiObjects(), startObjects + 2); // a font each

    HWND balloonWindow = tipWindow(*balloon);
    tips.destroyTip(balloon);
    tips.destroyTip(plain);
    tips.destroyTip(nullptr);
    EXPECT_FALSE(IsWindow(balloonWindow));
    EXPECT_FALSE(IsWindow(plainWindow));
}

TEST_F(HintManagerTest, TextsAndTitlesReachTheTipAndNoTextIsTheEmptyText) {
    TKNHintManager manager;
    manager.setUp();
    TTipInterface& tips = *manager.tipInterface;
    TTipRecord* tip = tips.createTip(form->getHandle());
    tips.setTipText(tip, "Подсказка");
    EXPECT_EQ(tipText(*tip), L"Подсказка");
    tips.setTipText(tip, {});
    ASSERT_NE(tip->info.lpszText, nullptr);
    EXPECT_EQ(tip->info.lpszText[0], L'\0');
    EXPECT_EQ(tipText(*tip), L"");

    recordMessagesOf(tipWindow(*tip));
    tips.setTipTitle(tip, 1, "Заголовок");
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), static_cast<UINT>(TTM_SETTITLEW));
    tips.destroyTip(tip);
}

TEST_F(HintManagerTest, TrackedOperationsSendNothingUnlessTrackingIsOn) {
    TKNHintManager manager;
    manager.setUp();
    TTipInterface& tips = *manager.tipInterface;
    TTipRecord* tip = tips.createTip(form->getHandle());
    recordMessagesOf(tipWindow(*tip));

    tips.showTracked(tip);
    tips.moveTracked(tip, 10, 20);
    tips.hideTracked(tip);
    EXPECT_TRUE(messages.empty());

    manager.Tracking = true;
    tips.moveTracked(tip, 10, 20);
    tips.showTracked(tip);
    tips.hideTracked(tip);
    const std::vector<UINT> expected{TTM_TRACKPOSITION, TTM_TRACKACTIVATE, TTM_TRACKACTIVATE};
    std::vector<UINT> tracking;
    for (UINT message : messages)
        if (message == TTM_TRACKPOSITION || message == TTM_TRACKACTIVATE)
            tracking.push_back(message);
    EXPECT_EQ(tracking, expected);
    tips.destroyTip(tip);
    pumpMessages();
}

} // namespace
