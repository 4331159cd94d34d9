#include "runtime/array.h"

#include "runtime/number_text.h"

TArray::~TArray() {
    freeAllItems();
}

void TArray::freeAllItems() {
    for (Item& entry : items_)
        freeItem(entry.item);
    items_.clear();
}

void* TArray::makeItem(const TData&) {
    return nullptr;
}
void TArray::itemToData(void*, TData& value) {
    setNull(value);
}
void TArray::freeItem(void*) {}
bool TArray::query(const TData&, const TData&) {
    return false;
}

// The slot an index argument names, or -1. In keyed mode a name match comes
// first; otherwise the numeric index counts (for reads only when the key is
// the index in plain decimal form).
std::int32_t TArray::slotFor(TData& index, bool mustBeDecimal) const {
    std::int32_t i = asIndex(index);
    if (keyed) {
        std::string key = asString(index);
        for (std::size_t k = 0; k < items_.size(); ++k)
            if (items_[k].name == key)
                return static_cast<std::int32_t>(k);
        if (mustBeDecimal && intToText(i) != key)
            return -1;
    }
    return (i >= 0 && i < static_cast<std::int32_t>(items_.size())) ? i : -1;
}

void TArray::arraySet(TData& index, TData& value) {
    std::int32_t slot = slotFor(index, false);
    if (slot < 0)
        return; // setting never grows the array
    Item& entry = items_[static_cast<std::size_t>(slot)];
    freeItem(entry.item);
    entry.item = nullptr;
    entry.item = makeItem(value);
}

bool TArray::arrayGet(TData& index, TData& value) {
    value.tag = tagNull;
    std::int32_t slot = slotFor(index, true);
    if (slot >= 0)
        itemToData(items_[static_cast<std::size_t>(slot)].item, value);
    return value.tag != tagNull;
}

void TArray::arrayAdd(TData& value) {
    items_.push_back({std::string(), makeItem(value)});
}
