#include "toolkit_fixture.h"

#include "toolkit/gdi_counter.h"
#include "toolkit/hint_manager.h"

#include <string_view>
#include <utility>

namespace {

// The application makes the manager but shows no tip: only the making of a
// tip and its text are pinned.
using HintManagerTest = GdiCountingTest;

TEST_F(HintManagerTest, ATipOverItsOwnersWindowShowsItsText) {
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
    tips.destroyTip(tip);
    tips.destroyTip(nullptr);
    EXPECT_FALSE(IsWindow(window));
}

} // namespace
