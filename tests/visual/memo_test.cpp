#include "visual_fixture.h"

#include "visual/memo.h"

namespace {

class MemoTest : public VisualTest {
protected:
    std::unique_ptr<TKNMemo> makeMemo(std::uint8_t scrollBars, bool editable) {
        auto memo = make<TKNMemo>(10, 10, 200, 120);
        memo->Ctl3D = 0;
        memo->ScrollBars = scrollBars;
        memo->Editable = editable;
        memo->init();
        return memo;
    }
};

TEST_F(MemoTest, AddedTextsAreOneLineEachWithoutATrailingEmptyLine) {
    auto memo = makeMemo(2, true);
    // Each text added (nullptr: a clear) and the memo's text after it; an
    // empty line ends the text.
    const std::pair<const char*, const char*> steps[] = {
        {"7", "7"}, {"", "7\r\n"}, {"-8.85", "7\r\n-8.85"}, {nullptr, ""}, {"10", "10"}};
    for (auto [added, text] : steps) {
        TData data;
        if (added)
            setString(data, added);
        callEvent(added ? makeLink<&TKNMemo::inAdd>(memo.get())
                        : makeLink<&TKNMemo::inClear>(memo.get()),
                  data);
        EXPECT_EQ(memo->getControl()->getCaption(), text);
    }
}

TEST_F(MemoTest, ScrollBarsEditableAndCtl3DBecomeStyles) {
    constexpr LONG_PTR styles = ES_READONLY | ES_MULTILINE | WS_VSCROLL | WS_HSCROLL | WS_BORDER;
    const auto styleOf = [](const TKNMemo& memo) {
        return GetWindowLongPtrW(memo.getControl()->handle, GWL_STYLE) & styles;
    };
    EXPECT_EQ(styleOf(*makeMemo(0, false)), ES_READONLY | ES_MULTILINE);
    EXPECT_EQ(styleOf(*makeMemo(2, true)), ES_MULTILINE | WS_VSCROLL);
}

} // namespace
