#include "visual_fixture.h"

#include "visual/memo.h"

#include <memory>

namespace {

class MemoTest : public VisualTest {
protected:
    std::unique_ptr<TKNMemo> makeMemo(std::uint8_t scrollBars = 2, bool editable = true) {
        auto memo = std::make_unique<TKNMemo>(form);
        place(*memo, 10, 10, 200, 120);
        memo->Ctl3D = 0;
        memo->ScrollBars = scrollBars;
        memo->Editable = editable;
        memo->init();
        return memo;
    }
    static void add(TKNMemo& memo, const std::string& text) {
        TData data;
        setString(data, text);
        callEvent(makeLink<&TKNMemo::inAdd>(&memo), data);
    }
};

TEST_F(MemoTest, AddedTextsAreOneLineEachWithoutATrailingEmptyLine) {
    auto memo = makeMemo();
    EventLog changes;
    memo->outChange = changes.link();
    const struct {
        const char* added; // nullptr: clear
        const char* text;
    } steps[] = {{"7", "7"},
                 {"8", "7\r\n8"},
                 {"-8.85", "7\r\n8\r\n-8.85"},
                 {"", "7\r\n8\r\n-8.85\r\n"}, // an empty line ends the text
                 {"9", "7\r\n8\r\n-8.85\r\n9"},
                 {nullptr, ""},
                 {"10", "10"}};
    for (const auto& step : steps) {
        if (step.added) {
            add(*memo, step.added);
        } else {
            TData none;
            callEvent(makeLink<&TKNMemo::inClear>(memo.get()), none);
        }
        EXPECT_EQ(memo->getControl()->getCaption(), step.text);
    }
    TData text;
    memo->getText(text, 0);
    EXPECT_EQ(text.strValue, "10");
    // The addition's own event is forwarded to outChange after the box's changes.
    ASSERT_GE(changes.count(), 6);
    EXPECT_EQ(changes.last().tag, tagNull);
}

TEST_F(MemoTest, ScrollBarsEditableAndCtl3DBecomeStyles) {
    auto memo = makeMemo(0, false);
    auto style = GetWindowLongPtrW(memo->getControl()->handle, GWL_STYLE);
    EXPECT_EQ(style & (ES_READONLY | ES_MULTILINE | WS_VSCROLL | WS_BORDER),
              ES_READONLY | ES_MULTILINE);
    style = GetWindowLongPtrW(makeMemo(2, true)->getControl()->handle, GWL_STYLE);
    EXPECT_EQ(style & (ES_READONLY | WS_VSCROLL | WS_HSCROLL), WS_VSCROLL);
}

} // namespace
