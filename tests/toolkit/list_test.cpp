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

TEST(List, GrowsLinearlyByItsStepAndAddressesOnlyEntriesInsideIt) {
    auto list = makeObj<TList>();
    std::string capacities;
    for (int i = 0; i < 9; ++i) {
        list->add(ptr(i));
        capacities += std::to_string(list->capacity()) + " ";
    }
    EXPECT_EQ(capacities, "4 4 4 4 8 8 8 8 12 ");
    // Out of range: 9 and -1 are none to put, 11 and -1 no place to insert;
    // a deletion stops at the end and does nothing before the start.
    for (auto [at, value] : {std::pair{9, 7}, {-1, 7}, {2, 20}})
        list->put(at, ptr(value));
    for (auto [at, value] : {std::pair{1, 11}, {10, 10}, {11, 9}, {-1, 9}})
        list->insert(at, ptr(value));
    for (auto [from, count] : {std::pair{1, 2}, {8, 10}, {0, 0}, {-1, 1}, {9, 1}})
        list->deleteRange(from, count);
    EXPECT_EQ(contents(*list), "0 20 3 4 5 6 7 8 /12");
    EXPECT_FALSE(list->get(-1) || list->get(8));
    list->remove(ptr(3)), list->remove(ptr(9));
    list->setCapacity(1); // raised to the count
    EXPECT_EQ(contents(*list), "0 20 4 5 6 7 8 /7");
    list->clear();
    EXPECT_EQ(contents(*list), "/0");
    auto zero = makeObj<TList>(0); // a step of 0 means the default
    zero->add(ptr(1));
    EXPECT_EQ(zero->capacity(), 4);
}
