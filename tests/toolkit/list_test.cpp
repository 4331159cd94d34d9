#include "toolkit/list.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void* ptr(std::intptr_t v) {
    return reinterpret_cast<void*>(v);
}

// The entries as numbers, then the capacity: "0 1 2 /4".
std::string contents(const TList& list) {
    std::string result;
    for (std::int32_t i = 0; i < list.count(); ++i)
        result += std::to_string(reinterpret_cast<std::intptr_t>(list.get(i))) + " ";
    return result + "/" + std::to_string(list.capacity());
}

} // namespace

TEST(List, GrowsLinearlyByItsStepAndNeverShrinksByItself) {
    auto list = makeObj<TList>();
    std::string capacities;
    for (int i = 0; i < 9; ++i) {
        list->add(ptr(i));
        capacities += std::to_string(list->capacity()) + " ";
    }
    EXPECT_EQ(capacities, "4 4 4 4 8 8 8 8 12 ");
    // Then reaching beyond the end: to the end; nothing to delete; before the start.
    for (auto [from, count] : {std::pair{1, 2}, {5, 10}, {0, 0}, {-1, 1}})
        list->deleteRange(from, count);
    EXPECT_EQ(contents(*list), "0 3 4 5 6 /12");
    list->setCapacity(1); // raised to the count
    EXPECT_EQ(list->capacity(), 5);
    list->clear();
    EXPECT_EQ(contents(*list), "/0");
    EXPECT_EQ(list->items(), nullptr);

    auto zero = makeObj<TList>(0); // a step of 0 means the default
    zero->add(ptr(1));
    EXPECT_EQ(zero->capacity(), 4);
}

TEST(List, EntriesAreAddressedOnlyInsideTheList) {
    auto list = makeObj<TList>();
    list->add(ptr(1)), list->add(ptr(3));
    // Out of range: 9 and -1 are no place to insert, 5 and -1 none to put.
    for (auto [at, value] : {std::pair{1, 2}, {3, 4}, {0, 0}, {9, 9}, {-1, 9}})
        list->insert(at, ptr(value));
    for (auto [at, value] : {std::pair{5, 7}, {-1, 7}, {2, 20}, {0, 10}})
        list->put(at, ptr(value));
    EXPECT_EQ(contents(*list), "10 1 20 3 4 /8");
    EXPECT_FALSE(list->get(-1) || list->get(5));
    EXPECT_EQ(std::make_pair(list->indexOf(ptr(3)), list->indexOf(ptr(9))), std::make_pair(3, -1));
    list->remove(ptr(3)), list->remove(ptr(9));
    EXPECT_EQ(contents(*list), "10 1 20 4 /8");
}
