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
    TTipRecord* tip = tips.createTip(form->getHandle());
    HWND window = tipWindow(*tip);
    EXPECT_EQ(GetWindow(window, GW_OWNER), form->handle);
    tips.setTipText(tip, "Подсказка");
    wchar_t text[80] = {};
    TTTOOLINFOW query = tip->info;
    query.lpszText = text;
    SendMessageW(window, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&query));
    EXPECT_STREQ(text, L"Подсказка");
    tips.destroyTip(tip);
    EXPECT_FALSE(IsWindow(window));
}

} // namespace
