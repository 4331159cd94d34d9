// TList: the growable array of untyped pointers behind child lists, handler
// lists and clean-up lists. It grows linearly by growStep entries.
#pragma once

#include "toolkit/obj.h"

#include <cstdint>

class TList : public TObj {
public:
    static constexpr std::int32_t defaultGrowStep = 4;

    explicit TList(std::int32_t growStep = defaultGrowStep) : growStep(growStep) {}

    void add(void* p);
    void insert(std::int32_t index, void* p); // index in 0 .. count
    void* get(std::int32_t index) const;      // nil out of range
    void put(std::int32_t index, void* p);    // ignored out of range
    void deleteAt(std::int32_t index) { deleteRange(index, 1); }
    void deleteRange(std::int32_t index, std::int32_t n);
    std::int32_t indexOf(const void* p) const;
    void remove(const void* p);
    void setCapacity(std::int32_t n);
    void clear();

    std::int32_t count() const { return count_; }
    std::int32_t capacity() const { return capacity_; }
    void** items() const { return items_; }

    std::int32_t growStep;

protected:
    ~TList() override;

private:
    void reallocate(std::int32_t newCapacity);

    void** items_ = nullptr;
    std::int32_t count_ = 0;
    std::int32_t capacity_ = 0;
};
