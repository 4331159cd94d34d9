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
    static std::string text(TKNMemo& memo) {
        TData data;
        memo.getText(data, 0);
        return data.strValue;
    }
};

TEST_F(MemoTest, AddedTextsAreOneLineEachWithoutATrailingEmptyLine) {
    auto memo = makeMemo();
    EventLog forwarded;
    memo->outChange = forwarded.link();
    add(*memo, "7");
    add(*memo, "8");
    add(*memo, "-8.85");
    EXPECT_EQ(memo->getControl()->getCaption(), "7\r\n8\r\n-8.85");
    EXPECT_EQ(memo->getControl()->lineCount(), 3);
    EXPECT_EQ(text(*memo), "7\r\n8\r\n-8.85");
    // Each change of the box and each addition's forward reach outChange.
    ASSERT_GE(forwarded.count(), 3);
    EXPECT_EQ(forwarded.last().tag, tagNull);

    add(*memo, "");
    EXPECT_EQ(memo->getControl()->getCaption(), "7\r\n8\r\n-8.85\r\n");
    EXPECT_EQ(text(*memo), "7\r\n8\r\n-8.85\r\n");
    add(*memo, "9");
    EXPECT_EQ(memo->getControl()->getCaption(), "7\r\n8\r\n-8.85\r\n9");

    TData clear;
    callEvent(makeLink<&TKNMemo::inClear>(memo.get()), clear);
    EXPECT_EQ(text(*memo), "");
    add(*memo, "10");
    EXPECT_EQ(memo->getControl()->getCaption(), "10");
}

TEST_F(MemoTest, ChangesRaiseTheWholeTextAndLinesCanBeReplacedAndSelected) {
    auto memo = makeMemo();
    add(*memo, "a");
    add(*memo, "bb");
    add(*memo, "c");
    EventLog changes;
    memo->outChange = changes.link();

    TData index, value;
    setInteger(index, 1);
    setString(value, "XY");
    memo->setLine(index, value);
    EXPECT_EQ(memo->getControl()->getCaption(), "a\r\nXY\r\nc");
    ASSERT_GE(changes.count(), 1);
    EXPECT_EQ(changes.last().strValue, "a\r\nXY\r\nc");
    setInteger(index, 2);
    memo->setLine(index, value);
    EXPECT_EQ(memo->getControl()->getCaption(), "a\r\nXY\r\nXY");
    setInteger(index, 3);
    memo->setLine(index, value);
    EXPECT_EQ(memo->getControl()->getCaption(), "a\r\nXY\r\nXY");

    memo->selectLine(1);
    DWORD start = 0, end = 0;
    SendMessageW(memo->getControl()->handle, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 3u);
    EXPECT_EQ(end, 7u); // the line and its line break
}

TEST_F(MemoTest, SelectAddedSelectsEachNewLineAtOnce) {
    auto memo = makeMemo();
    memo->SelectAdded = true;
    add(*memo, "a");
    add(*memo, "bb");
    DWORD start = 0, end = 0;
    SendMessageW(memo->getControl()->handle, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 3u);
    EXPECT_EQ(end, 5u);
    add(*memo, "c");
    SendMessageW(memo->getControl()->handle, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 7u);
    EXPECT_EQ(memo->getControl()->getCaption(), "a\r\nbb\r\nc");
}

TEST_F(MemoTest, AddToTopPutsTheLineFirstAndOptionsBecomeStyles) {
    auto memo = makeMemo(0, false);
    memo->AddToTop = true;
    add(*memo, "old");
    add(*memo, "new");
    EXPECT_EQ(memo->getControl()->getCaption(), "new\r\nold");
    const auto style = GetWindowLongPtrW(memo->getControl()->handle, GWL_STYLE);
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_FALSE(style & WS_VSCROLL);
    EXPECT_FALSE(style & WS_BORDER);

    auto scrolled = makeMemo(2, true);
    const auto scrolledStyle = GetWindowLongPtrW(scrolled->getControl()->handle, GWL_STYLE);
    EXPECT_TRUE(scrolledStyle & WS_VSCROLL);
    EXPECT_FALSE(scrolledStyle & WS_HSCROLL);
    EXPECT_FALSE(scrolledStyle & ES_READONLY);
}

} // namespace
