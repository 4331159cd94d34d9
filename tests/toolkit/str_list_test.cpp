#include "toolkit/str_list.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The lines joined by '|'.
std::string lines(const TStrList& list) {
    std::string result;
    for (std::int32_t i = 0; i < list.count(); ++i)
        result += (i ? "|" : "") + list.items(i);
    return result;
}

} // namespace

TEST(StrList, SetTextSplitsAtCarriageReturnsAndMayAppend) {
    auto list = makeObj<TStrList>();
    // A lone LF stays in its line; a CR ends one, with or without an LF.
    const std::pair<const char*, const char*> cases[] = {
        {"a\r\nb", "a|b"}, {"a\r\n", "a"}, {"a\nb\rc\r\r\nd", "a\nb|c||d"}, {"", ""}};
    for (auto [text, expected] : cases) {
        list->add("old");
        list->setText(text, false);
        EXPECT_EQ(lines(*list), expected);
    }
    list->add("x");
    list->setText("a\r\nb", true);
    EXPECT_EQ(lines(*list), "x|a|b");
}

TEST(StrList, LinesAreAddedDeletedInsideTheListAndJoinedEachEndingWithCrLf) {
    auto list = makeObj<TStrList>();
    for (const char* line : {"a", "", "ж", "d"})
        list->add(line);
    for (int at : {-1, 4, 1})
        list->deleteAt(at);
    EXPECT_EQ(lines(*list), "a|ж|d");
    EXPECT_EQ(list->items(3) + list->items(-1), "");
    EXPECT_EQ(list->text(), "a\r\nж\r\nd\r\n");
    list->clear();
    list->add("again");
    EXPECT_EQ(list->text(), "again\r\n");
}

TEST(StrListEx, SetObjectGrowsTheParallelList) {
    auto list = makeObj<TStrListEx>();
    int a = 0, b = 0;
    for (auto [at, object] : {std::pair{2, &a}, {0, &b}, {3, &b}, {-1, &b}})
        list->setObject(at, object);
    const void* expected[] = {&b, nullptr, &a, &b, nullptr};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(list->object(i), expected[i]) << i;
}
