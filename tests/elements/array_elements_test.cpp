#include "elements/real_array.h"

#include "recorder.h"

#include <cstring>
#include <vector>

namespace {

using ArrayElements = LiveLinks;

// A storage that keeps what is written and hands it back on reads.
struct MemoryStorage : TArrayStorage {
    std::vector<unsigned char> bytes;
    std::size_t readAt = 0;
    void write(const void* buffer, std::size_t count) override {
        const auto* p = static_cast<const unsigned char*>(buffer);
        bytes.insert(bytes.end(), p, p + count);
    }
    void read(void* buffer, std::size_t count) override {
        ASSERT_LE(readAt + count, bytes.size());
        std::memcpy(buffer, bytes.data() + readAt, count);
        readAt += count;
    }
};

double itemValue(TArrayIntf& array, std::int32_t index) {
    TData key = integerData(index);
    TData value;
    EXPECT_TRUE(array.arrayGet(key, value));
    EXPECT_EQ(value.tag, tagReal);
    return value.realValue;
}

} // namespace

TEST_F(ArrayElements, RealArrayKeepsDoublesMadeFromAnyValue) {
    TKNRealArray array;
    TData value = integerData(3);
    array.arrayAdd(value);
    value = TData();
    array.arrayAdd(value);
    value = stringData("2.5");
    array.arrayAdd(value);
    value = realData(-0.125);
    array.arrayAdd(value);
    ASSERT_EQ(array.arrayCount(), 4);
    EXPECT_EQ(itemValue(array, 0), 3.0);
    EXPECT_EQ(itemValue(array, 1), 0.0);
    EXPECT_EQ(itemValue(array, 2), 2.5);
    EXPECT_EQ(itemValue(array, 3), -0.125);

    TData key = integerData(1);
    value = realData(7.75);
    array.arraySet(key, value);
    EXPECT_EQ(itemValue(array, 1), 7.75);

    // getArray hands out the interface of this very array.
    TData handle;
    array.getArray(handle, 0);
    EXPECT_EQ(handle.tag, tagArray);
    EXPECT_EQ(handle.arrayValue, static_cast<TArrayIntf*>(&array));
}

TEST_F(ArrayElements, RealArrayItemsInBinaryStorage) {
    TKNRealArray array;
    MemoryStorage storage;
    std::string text = "untouched";
    void* item = array.makeItem(realData(1.0));
    array.writeItem(&storage, item, text);
    array.freeItem(item);
    // 1.0 is 0x3FF0000000000000, least significant byte first.
    EXPECT_EQ(storage.bytes, (std::vector<unsigned char>{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
    EXPECT_EQ(text, "untouched");

    const double awkward = 0.1 + 0.2;
    item = array.makeItem(realData(awkward));
    array.writeItem(&storage, item, text);
    array.freeItem(item);

    void* back = array.readItem(&storage, "9");
    TData value;
    array.itemToData(back, value);
    EXPECT_EQ(value.realValue, 1.0);
    array.freeItem(back);
    back = array.readItem(&storage, "9");
    array.itemToData(back, value);
    EXPECT_EQ(value.realValue, awkward); // every bit survives
    array.freeItem(back);
}

TEST_F(ArrayElements, RealArrayItemsAsText) {
    TKNRealArray array;
    array.StoreAsText = true;
    MemoryStorage storage;
    std::string text;
    void* item = array.makeItem(realData(0.1));
    array.writeItem(&storage, item, text);
    array.freeItem(item);
    EXPECT_EQ(text, "0.1");
    EXPECT_TRUE(storage.bytes.empty());

    item = array.makeItem(realData(0.1 + 0.2));
    array.writeItem(nullptr, item, text);
    array.freeItem(item);
    EXPECT_EQ(text, "0.3"); // 15 significant digits

    void* back = array.readItem(nullptr, "-12.5e1");
    TData value;
    array.itemToData(back, value);
    EXPECT_EQ(value.realValue, -125.0);
    array.freeItem(back);
}
