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
    static std::pair<DWORD, DWORD> selection(TKNMemo& memo) {
        DWORD start = 0, end = 0;
        SendMessageW(memo.getControl()->handle, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {start, end};
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

TEST_F(MemoTest, LinesAreReplacedAndSelectedAndAddToTopPutsTheLineFirst) {
    auto memo = makeMemo();
    memo->SelectAdded = true;
    add(*memo, "a");
    add(*memo, "bb");
    EXPECT_EQ(selection(*memo), (std::pair<DWORD, DWORD>{3, 5}));
    add(*memo, "c");
    EXPECT_EQ(selection(*memo).first, 7u);

    EventLog changes;
    memo->outChange = changes.link();
    TData index, value;
    setString(value, "XY");
    for (auto [line, text] :
         {std::pair{1, "a\r\nXY\r\nc"}, {2, "a\r\nXY\r\nXY"}, {3, "a\r\nXY\r\nXY"}}) {
        setInteger(index, line);
        memo->setLine(index, value);
        EXPECT_EQ(memo->getControl()->getCaption(), text) << line;
    }
    ASSERT_GE(changes.count(), 1);
    EXPECT_EQ(changes.last().strValue, "a\r\nXY\r\nXY"); // the whole text
    memo->selectLine(1);
    EXPECT_EQ(selection(*memo), (std::pair<DWORD, DWORD>{3, 7})); // with its line break

    auto topFirst = makeMemo();
    topFirst->AddToTop = true;
    add(*topFirst, "old");
    add(*topFirst, "new");
    EXPECT_EQ(topFirst->getControl()->getCaption(), "new\r\nold");
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
