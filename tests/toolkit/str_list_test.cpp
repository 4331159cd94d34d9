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

TEST(StrList, SetTextSplitsAtCarriageReturnsAndTextEndsEachLineWithCrLf) {
    auto list = makeObj<TStrList>();
    // A lone LF stays in its line; a CR ends one, with or without an LF.
    const std::pair<const char*, const char*> cases[] = {
        {"a\r\nb", "a|b"}, {"a\r\n", "a"}, {"a\nb\rc\r\r\nd", "a\nb|c||d"}, {"", ""}};
    for (auto [text, expected] : cases) {
        list->add("old");
        list->setText(text, false);
        EXPECT_EQ(lines(*list), expected);
    }
    EXPECT_EQ(list->items(0), "");
    list->add("x");
    list->setText("a\r\nb", true);
    EXPECT_EQ(list->text(), "x\r\na\r\nb\r\n");
}

TEST(StrList, AppendedAndOwnLinesSurviveTheSharedBlockMovingAndDeletion) {
    auto list = makeObj<TStrList>();
    list->add("own");
    list->setText("x\r\ny", true);
    // Many appends force the shared block to move; every line must follow.
    for (int i = 0; i < 50; ++i)
        list->setText(std::string(100, static_cast<char>('a' + i % 26)) + "\r\nz", true);
    ASSERT_EQ(list->count(), 3 + 100);
    EXPECT_EQ(lines(*list).substr(0, 12), "own|x|y|aaaa");
    EXPECT_EQ(list->items(102), "z");

    list->setText("p\r\nq\r\nr", false);
    list->add("s");
    // Inside the shared block (nothing freed by itself), its own block, none.
    for (int at : {1, 2, 7})
        list->deleteAt(at);
    EXPECT_EQ(lines(*list), "p|r");
    list->clear();
    list->add("again");
    EXPECT_EQ(lines(*list), "again");
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
