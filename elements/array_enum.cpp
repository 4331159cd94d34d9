#include "elements/array_enum.h"

#include "runtime/array.h"

namespace {

// Raises the item at index, unless it is empty and empty items are skipped.
void raiseItem(TArrayIntf& array, std::int32_t index, bool skipEmpty, const TKN_Event& link) {
    TData key;
    setInteger(key, index);
    TData value;
    if (array.arrayGet(key, value) || !skipEmpty)
        raiseData(link, value);
}

} // namespace

void TKNArrayEnum::inEnum(TData& data, std::uint16_t) {
    TArrayIntf* array = pullArray(srcArray);
    std::int32_t count = 0;
    if (array) {
        // The count is asked afresh before every item: an item's handlers may
        // add to the array or change it.
        if (Reverse) {
            for (index_ = array->arrayCount() - 1; index_ >= 0; --index_)
                raiseItem(*array, index_, SkipEmpty, outItem);
        } else {
            for (index_ = 0; index_ < array->arrayCount(); ++index_)
                raiseItem(*array, index_, SkipEmpty, outItem);
        }
        count = array->arrayCount();
    }
    index_ = -1;
    setForwardInteger(data, count, &outEnd);
}

void TKNArrayEnum::getIndex(TData& data, std::uint16_t) {
    setInteger(data, index_);
}
