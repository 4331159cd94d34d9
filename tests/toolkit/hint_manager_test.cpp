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

// The application makes the manager but shows no tip: its tips are pinned
// here only as far as the elements use them.
using HintManagerTest = GdiCountingTest;

TEST_F(HintManagerTest, ATipOverItsOwnersWindowShowsItsTextAndTracksOnlyWhenAsked) {
    makeAppletAndForm();
    TKNHintManager manager;
    manager.setUp();
    TTipInterface& tips = *manager.tipInterface;
    EXPECT_EQ(createHintManager(), createHintManager()); // the program's one
    HWND owner = form->getHandle();
    TTipRecord* tip = tips.createTip(owner);
    HWND window = tipWindow(*tip);
    EXPECT_EQ(liveGdiObjects(), startObjects + 1); // its font
    EXPECT_EQ(GetWindow(window, GW_OWNER), owner);
    EXPECT_EQ(SendMessageW(window, TTM_GETTOOLCOUNT, 0, 0), 1);
    // Without a manifest the common controls of version 5 take only a record
    // of their own size, and Wine does not tell.
    EXPECT_TRUE(sizeof(void*) == 8 || tip->info.cbSize == 44u);
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
    tipProc = (WNDPROC)SetWindowLongPtrW(window, GWLP_WNDPROC, (LONG_PTR)recordingProc);
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
    tips.destroyTip(nullptr);
    EXPECT_FALSE(IsWindow(window));
}

} // namespace
