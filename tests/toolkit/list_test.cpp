#include "toolkit/list.h"

#include <gtest/gtest.h>

namespace {

void* ptr(std::intptr_t v) {
    return reinterpret_cast<void*>(v);
}

std::vector<std::intptr_t> contents(const TList& list) {
    std::vector<std::intptr_t> result;
    for (std::int32_t i = 0; i < list.count(); ++i)
        result.push_back(reinterpret_cast<std::intptr_t>(list.get(i)));
    return result;
}

} // namespace

TEST(List, GrowsLinearlyByItsStep) {
    auto list = makeObj<TList>();
    std::vector<std::int32_t> capacities;
    for (int i = 1; i <= 12; ++i) {
        list->add(ptr(i));
        capacities.push_back(list->capacity());
    }
    EXPECT_EQ(capacities, (std::vector<std::int32_t>{4, 4, 4, 4, 8, 8, 8, 8, 12, 12, 12, 12}));

    auto zero = makeObj<TList>(0);
    zero->add(ptr(1));
    EXPECT_EQ(zero->growStep, 4);
    EXPECT_EQ(zero->capacity(), 4);
}

TEST(List, InsertGetPutAndOutOfRange) {
    auto list = makeObj<TList>();
    list->add(ptr(1));
    list->add(ptr(3));
    list->insert(1, ptr(2));
    list->insert(3, ptr(4));
    list->insert(0, ptr(0));
    list->insert(9, ptr(9)); // beyond count: ignored
    EXPECT_EQ(contents(*list), (std::vector<std::intptr_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(list->get(-1), nullptr);
    EXPECT_EQ(list->get(5), nullptr);
    list->put(5, ptr(7));
    list->put(-1, ptr(7));
    list->put(2, ptr(20));
    EXPECT_EQ(contents(*list), (std::vector<std::intptr_t>{0, 1, 20, 3, 4}));
}

TEST(List, DeleteRangeIndexOfRemove) {
    auto list = makeObj<TList>();
    for (int i = 0; i < 6; ++i)
        list->add(ptr(i));
    list->deleteRange(1, 2);
    EXPECT_EQ(contents(*list), (std::vector<std::intptr_t>{0, 3, 4, 5}));
    list->deleteRange(2, 10); // reaches beyond count: to the end
    EXPECT_EQ(contents(*list), (std::vector<std::intptr_t>{0, 3}));
    list->deleteRange(0, 0);
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(list->capacity(), 8); // storage is not shrunk
    list->add(ptr(3));
    EXPECT_EQ(list->indexOf(ptr(3)), 1);
    EXPECT_EQ(list->indexOf(ptr(9)), -1);
    list->remove(ptr(3));
    list->remove(ptr(9));
    EXPECT_EQ(contents(*list), (std::vector<std::intptr_t>{0, 3}));
}

TEST(List, SetCapacityKeepsEntriesAndClearEmpties) {
    auto list = makeObj<TList>();
    for (int i = 0; i < 3; ++i)
        list->add(ptr(i));
    list->setCapacity(1); // raised to count
    EXPECT_EQ(list->capacity(), 3);
    list->setCapacity(10);
    EXPECT_EQ(list->capacity(), 10);
    EXPECT_EQ(contents(*list), (std::vector<std::intptr_t>{0, 1, 2}));
    list->clear();
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(list->capacity(), 0);
    EXPECT_EQ(list->items(), nullptr);
}
