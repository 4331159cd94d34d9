#include "toolkit_fixture.h"

#include "toolkit/hint_manager.h"

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
    EXPECT_EQ(GetWindow(window, GW_OWNER), owner);
    tips.setTipText(tip, "Подсказка");
    wchar_t text[80] = {};
    TTTOOLINFOW query = tip->info;
    query.lpszText = text;
    SendMessageW(window, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&query));
    EXPECT_STREQ(text, L"Подсказка");
    tips.destroyTip(tip);
    tips.destroyTip(nullptr);
    EXPECT_FALSE(IsWindow(window));
}

} // namespace
