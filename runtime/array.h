// The array interface handed around inside a tagArray value, and TArray, the
// base of array elements, which keeps named items and implements it.
#pragma once

#include "runtime/data.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What a consumer holding only the reference can do with an array. Index
// arguments are read with asIndex.
class TArrayIntf {
public:
    virtual void arraySet(TData& index, TData& value) = 0;
    virtual bool arrayGet(TData& index, TData& value) = 0;
    virtual std::int32_t arrayCount() = 0;
    virtual void arrayAdd(TData& value) = 0;

protected:
    ~TArrayIntf() = default;
};

// The matrix interface: nothing in this program makes one; the evaluator only
// reads elements through it.
class TMatrixIntf {
public:
    virtual TData matrixGet(std::int32_t first, std::int32_t second) = 0;

protected:
    ~TMatrixIntf() = default;
};

// Where an item is written to and read from in binary form.
class TArrayStorage {
public:
    virtual void read(void* buffer, std::size_t count) = 0;
    virtual void write(const void* buffer, std::size_t count) = 0;

protected:
    ~TArrayStorage() = default;
};

class TArray : public TArrayIntf {
public:
    TArray() = default;
    TArray(const TArray&) = delete;
    TArray& operator=(const TArray&) = delete;
    virtual ~TArray();

    void arraySet(TData& index, TData& value) override;
    bool arrayGet(TData& index, TData& value) override;
    std::int32_t arrayCount() override { return static_cast<std::int32_t>(items_.size()); }
    void arrayAdd(TData& value) override;

    // How items are made from values, turned back into values and freed.
    virtual void* makeItem(const TData& value);
    virtual void itemToData(void* item, TData& value);
    virtual void freeItem(void* item);
    virtual void writeItem(TArrayStorage* storage, void* item, std::string& text) = 0;
    virtual void* readItem(TArrayStorage* storage, const std::string& text) = 0;
    virtual bool query(const TData& first, const TData& second);

    std::string name;
    bool StoreAsText = false;
    bool keyed = false;

protected:
    // Frees every item through freeItem, in list order. A subclass that
    // overrides freeItem calls this from its own destructor: by the time the
    // base destructor runs, the override is gone.
    void freeAllItems();

private:
    struct Item {
        std::string name;
        void* item;
    };
    std::int32_t slotFor(TData& index, bool mustBeDecimal) const;

    std::vector<Item> items_;
};
