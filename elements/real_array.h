// TKNRealArray: a list of doubles offered to other elements through the
// array interface.
#pragma once

#include "runtime/array.h"

#include <cstdint>

class TKNRealArray : public TArray {
public:
    ~TKNRealArray() override;

    // Makes data a tagArray value referring to this array.
    void getArray(TData& data, std::uint16_t index);

    // Each item is one double in a heap block of its own.
    void* makeItem(const TData& value) override;
    void itemToData(void* item, TData& value) override;
    void freeItem(void* item) override;
    // The 8 bytes of the double through the storage, or the number as text
    // when StoreAsText is set.
    void writeItem(TArrayStorage* storage, void* item, std::string& text) override;
    void* readItem(TArrayStorage* storage, const std::string& text) override;
};
