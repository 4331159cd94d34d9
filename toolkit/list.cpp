#include "toolkit/list.h"

#include <algorithm>
#include <cstring>

TList::~TList() {
    clear();
}

void TList::reallocate(std::int32_t newCapacity) {
    void** fresh = newCapacity > 0 ? new void*[static_cast<std::size_t>(newCapacity)] : nullptr;
    if (count_ > 0)
        std::memcpy(fresh, items_, static_cast<std::size_t>(count_) * sizeof(void*));
    delete[] items_;
    items_ = fresh;
    capacity_ = newCapacity;
}

void TList::add(void* p) {
    if (capacity_ <= count_) {
        if (growStep <= 0)
            growStep = defaultGrowStep;
        reallocate(count_ + growStep);
    }
    items_[count_++] = p;
}

void TList::insert(std::int32_t index, void* p) {
    if (index < 0 || index > count_)
        return;
    add(nullptr);
    std::copy_backward(items_ + index, items_ + count_ - 1, items_ + count_);
    items_[index] = p;
}

void* TList::get(std::int32_t index) const {
    return (index >= 0 && index < count_) ? items_[index] : nullptr;
}

void TList::put(std::int32_t index, void* p) {
    if (index >= 0 && index < count_)
        items_[index] = p;
}

void TList::deleteRange(std::int32_t index, std::int32_t n) {
    if (n <= 0 || index < 0 || index >= count_)
        return;
    n = std::min(n, count_ - index);
    std::copy(items_ + index + n, items_ + count_, items_ + index);
    count_ -= n;
}

std::int32_t TList::indexOf(const void* p) const {
    for (std::int32_t i = 0; i < count_; ++i)
        if (items_[i] == p)
            return i;
    return -1;
}

void TList::remove(const void* p) {
    std::int32_t index = indexOf(p);
    if (index >= 0)
        deleteAt(index);
}

void TList::setCapacity(std::int32_t n) {
    n = std::max(n, count_);
    if (n != capacity_)
        reallocate(n);
}

void TList::clear() {
    delete[] items_;
    items_ = nullptr;
    count_ = 0;
    capacity_ = 0;
}
