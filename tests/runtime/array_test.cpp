#include "runtime/array.h"

#include "runtime/number_text.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Items are heap strings: a leak or a double free shows under the sanitizers.
class StringArray : public TArray {
public:
    ~StringArray() override { freeAllItems(); }
    void* makeItem(const TData& value) override { return new std::string(asString(value)); }
    void itemToData(void* item, TData& value) override {
        setString(value, *static_cast<std::string*>(item));
    }
    void freeItem(void* item) override {
        ++freed;
        delete static_cast<std::string*>(item);
    }
    void writeItem(TArrayStorage*, void* item, std::string& text) override {
        text = *static_cast<std::string*>(item);
    }
    void* readItem(TArrayStorage*, const std::string& text) override {
        return new std::string(text);
    }
    int freed = 0;
};

TData integer(std::int32_t v) {
    TData d;
    setInteger(d, v);
    return d;
}

TData text(const char* s) {
    TData d;
    setString(d, s);
    return d;
}

std::string get(TArrayIntf& array, TData index) {
    TData value;
    value.tag = tagInteger; // must be cleared by the read
    return array.arrayGet(index, value) ? value.strValue : "<none>";
}

} // namespace

TEST(Array, AddSetGetCount) {
    StringArray array;
    TArrayIntf& intf = array;
    EXPECT_EQ(intf.arrayCount(), 0);
    EXPECT_EQ(get(intf, integer(0)), "<none>");
    for (const char* s : {"a", "b", "c"}) {
        TData v = text(s);
        intf.arrayAdd(v);
    }
    EXPECT_EQ(intf.arrayCount(), 3);
    EXPECT_EQ(get(intf, integer(1)), "b");
    EXPECT_EQ(get(intf, text("2")), "c");
    EXPECT_EQ(get(intf, integer(-1)), "<none>");
    EXPECT_EQ(get(intf, integer(3)), "<none>");

    TData index = integer(1), value = text("B");
    intf.arraySet(index, value);
    EXPECT_EQ(get(intf, integer(1)), "B");
    EXPECT_EQ(array.freed, 1);

    TData beyond = integer(3);
    intf.arraySet(beyond, value); // never grows
    EXPECT_EQ(intf.arrayCount(), 3);
}

TEST(Array, GetOnEmptyArrayLeavesValueNull) {
    StringArray array;
    TData index = integer(0), value;
    setInteger(value, 5);
    EXPECT_FALSE(array.arrayGet(index, value));
    EXPECT_EQ(value.tag, tagNull);
}

TEST(Array, DestructionFreesEveryItem) {
    auto array = std::make_unique<StringArray>();
    TData v = text("x");
    array->arrayAdd(v);
    array->arrayAdd(v);
    array.reset(); // the sanitizers report a leak if an item survived
}

TEST(Array, KeyedModeMatchesNamesThenDecimalIndexes) {
    StringArray array;
    array.keyed = true;
    for (const char* s : {"a", "b"}) {
        TData v = text(s);
        array.arrayAdd(v);
    }
    // Item names are empty: an empty key finds the first item.
    EXPECT_EQ(get(array, text("")), "a");
    EXPECT_EQ(get(array, text("1")), "b");
    EXPECT_EQ(get(array, integer(1)), "b");
    // "01" is index 1 but not written in plain decimal form.
    EXPECT_EQ(get(array, text("01")), "<none>");
    EXPECT_EQ(get(array, text("x")), "<none>");

    TData key = text("01"), value = text("set");
    array.arraySet(key, value); // setting falls back to the numeric rule
    EXPECT_EQ(get(array, integer(1)), "set");
}
