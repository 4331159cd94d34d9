#include "toolkit/str_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> lines(const TStrList& list) {
    std::vector<std::string> result;
    for (std::int32_t i = 0; i < list.count(); ++i)
        result.push_back(list.items(i));
    return result;
}

} // namespace

TEST(StrList, SetTextSplitsAtCarriageReturns) {
    auto list = makeObj<TStrList>();
    list->setText("a\r\nb", false);
    EXPECT_EQ(lines(*list), (std::vector<std::string>{"a", "b"}));
    list->setText("a\r\n", false);
    EXPECT_EQ(lines(*list), (std::vector<std::string>{"a"}));
    list->setText("a\nb\rc\r\r\nd", false); // a lone LF stays in the line
    EXPECT_EQ(lines(*list), (std::vector<std::string>{"a\nb", "c", "", "d"}));
    list->setText("", false);
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(list->items(0), "");
}

TEST(StrList, AppendKeepsEarlierLinesWhenTheBlockMoves) {
    auto list = makeObj<TStrList>();
    list->add("own");
    list->setText("x\r\ny", true);
    // Many appends force the shared block to move; every line must follow.
    for (int i = 0; i < 50; ++i)
        list->setText(std::string(100, static_cast<char>('a' + i % 26)) + "\r\nz", true);
    ASSERT_EQ(list->count(), 3 + 100);
    EXPECT_EQ(list->items(0), "own");
    EXPECT_EQ(list->items(1), "x");
    EXPECT_EQ(list->items(2), "y");
    EXPECT_EQ(list->items(3), std::string(100, 'a'));
    EXPECT_EQ(list->items(102), "z");
}

TEST(StrList, DeletingSharedAndOwnLines) {
    auto list = makeObj<TStrList>();
    list->setText("p\r\nq\r\nr", false);
    list->add("s");
    list->deleteAt(1); // inside the shared block: nothing freed by itself
    list->deleteAt(2); // its own block
    list->deleteAt(7);
    EXPECT_EQ(lines(*list), (std::vector<std::string>{"p", "r"}));
    list->clear();
    EXPECT_EQ(list->count(), 0);
    list->add("again");
    EXPECT_EQ(lines(*list), (std::vector<std::string>{"again"}));
}

TEST(StrList, TextEndsEveryLineWithCrLf) {
    auto list = makeObj<TStrList>();
    EXPECT_EQ(list->text(), "");
    list->add("x");
    list->add("y");
    EXPECT_EQ(list->text(), "x\r\ny\r\n");
    list->setText("a\r\nb", true);
    EXPECT_EQ(list->text(), "x\r\ny\r\na\r\nb\r\n");
}

TEST(StrListEx, SetObjectGrowsTheParallelList) {
    auto list = makeObj<TStrListEx>();
    int a = 0, b = 0;
    list->setObject(2, &a);
    EXPECT_EQ(list->object(0), nullptr);
    EXPECT_EQ(list->object(2), &a);
    list->setObject(0, &b);
    EXPECT_EQ(list->object(0), &b);
    EXPECT_EQ(list->object(2), &a);
    EXPECT_EQ(list->object(3), nullptr);
    list->setObject(-1, &b);
}
