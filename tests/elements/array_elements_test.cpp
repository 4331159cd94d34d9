#include "elements/real_array.h"

#include "recorder.h"

#include <cstring>
#include <vector>

namespace {

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

// Writes the value as an item and reads it back; text is what the item wrote.
double roundTrip(TKNRealArray& array, TArrayStorage* storage, TData value, std::string& text) {
    void* item = array.makeItem(value);
    array.writeItem(storage, item, text);
    array.freeItem(item);
    void* back = array.readItem(storage, text);
    array.itemToData(back, value);
    array.freeItem(back);
    EXPECT_EQ(value.tag, tagReal);
    return value.realValue;
}

// What a read answers; a failed read must leave the value null.
std::string get(TArrayIntf& array, const char* index) {
    TData key = stringData(index), value = integerData(5);
    if (array.arrayGet(key, value))
        return describe(value);
    return value.tag == tagNull ? "-" : "not cleared";
}

} // namespace

TEST(RealArray, KeepsDoublesMadeFromAnyValueAndNeverGrowsBySetting) {
    TKNRealArray array;
    EXPECT_EQ(get(array, "0"), "-");
    for (TData value : {integerData(3), TData(), stringData("2.5"), realData(-0.125)})
        array.arrayAdd(value);
    TData key = integerData(1), value = realData(7.75);
    array.arraySet(key, value); // the item replaced is freed, or the sanitizers see a leak
    key = integerData(4);
    array.arraySet(key, value);
    std::string items;
    for (const char* index : {"0", "1", "2", "3", "4", "-1"})
        items += get(array, index) + " ";
    EXPECT_EQ(items, "r3 r7.75 r2.5 r-0.125 - - ");
    array.getArray(value, 0); // the interface of this very array
    EXPECT_EQ(value.tag, tagArray);
    EXPECT_EQ(value.arrayValue, static_cast<TArrayIntf*>(&array));
}

TEST(RealArray, KeyedModeMatchesNamesThenDecimalIndexes) {
    TKNRealArray array;
    array.keyed = true;
    for (TData value : {realData(1), realData(2)})
        array.arrayAdd(value);
    // Item names are empty: an empty key finds the first item; "01" is
    // index 1 but not in plain decimal form.
    std::string items;
    for (const char* key : {"", "1", "01", "x"})
        items += get(array, key) + " ";
    EXPECT_EQ(items, "r1 r2 - - ");
    TData key = stringData("01"), value = realData(3);
    array.arraySet(key, value); // setting falls back to the numeric rule
    EXPECT_EQ(get(array, "1"), "r3");
}

TEST(RealArray, StoresItemsAsEightBytesOrAsText) {
    TKNRealArray array;
    MemoryStorage storage;
    std::string text = "untouched";
    EXPECT_EQ(roundTrip(array, &storage, realData(1.0), text), 1.0);
    // 1.0 is 0x3FF0000000000000, least significant byte first.
    EXPECT_EQ(storage.bytes, (std::vector<unsigned char>{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
    EXPECT_EQ(text, "untouched");
    EXPECT_EQ(roundTrip(array, &storage, realData(0.1 + 0.2), text), 0.1 + 0.2); // every bit

    array.StoreAsText = true;
    EXPECT_EQ(roundTrip(array, &storage, realData(0.1 + 0.2), text), 0.3); // 15 digits
    EXPECT_EQ(text, "0.3");
    EXPECT_EQ(roundTrip(array, nullptr, stringData("-12.5e1"), text), -125.0);
    EXPECT_EQ(storage.bytes.size(), 16u);
}
