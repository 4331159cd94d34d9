#include "elements/array_enum.h"
#include "elements/array_rw.h"
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

TEST_F(ArrayElements, ReaderWriterDrivesTheLinkedArray) {
    TKNRealArray array;
    TKNArrayRW rw;
    Sink read;
    rw.srcArray = makeLink<&TKNRealArray::getArray>(&array);
    rw.outRead = makeLink<&Sink::inRecord>(&read);

    raiseInteger(makeLink<&TKNArrayRW::inAdd>(&rw), 4);
    raiseString(makeLink<&TKNArrayRW::inAdd>(&rw), "1.5");
    TData count;
    rw.getCount(count, 0);
    EXPECT_EQ(count.intValue, 2);

    // Write: the event carries the index, then the value.
    TData newValue = realData(9.5);
    TData write = integerData(0);
    write.next = &newValue;
    callEvent(makeLink<&TKNArrayRW::inWrite>(&rw), write);
    EXPECT_EQ(itemValue(array, 0), 9.5);

    raiseInteger(makeLink<&TKNArrayRW::inRead>(&rw), 1);
    raiseInteger(makeLink<&TKNArrayRW::inRead>(&rw), 2); // past the end
    ASSERT_EQ(read.received.size(), 2u);
    EXPECT_EQ(read.received[0].tag, tagReal);
    EXPECT_EQ(read.received[0].realValue, 1.5);
    EXPECT_EQ(read.received[1].tag, tagNull);

    // Without an array nothing happens and the count is 0.
    TKNArrayRW loose;
    raiseInteger(makeLink<&TKNArrayRW::inAdd>(&loose), 4);
    loose.getCount(count, 0);
    EXPECT_EQ(count.intValue, 0);
}

TEST_F(ArrayElements, EnumeratorRaisesEveryItemThenTheCount) {
    TKNRealArray array;
    for (int i = 1; i <= 3; ++i) {
        TData value = integerData(i * 10);
        array.arrayAdd(value);
    }
    TKNArrayEnum items;
    Sink each;
    Sink end;
    items.srcArray = makeLink<&TKNRealArray::getArray>(&array);
    items.outItem = makeLink<&Sink::inRecord>(&each);
    items.outEnd = makeLink<&Sink::inRecord>(&end);
    TKN_Event link = makeLink<&TKNArrayEnum::inEnum>(&items);

    raiseEvent(link);
    ASSERT_EQ(each.received.size(), 3u);
    EXPECT_EQ(each.received[0].realValue, 10.0);
    EXPECT_EQ(each.received[2].realValue, 30.0);
    ASSERT_EQ(end.received.size(), 1u);
    EXPECT_EQ(end.received[0].intValue, 3);

    each.received.clear();
    items.Reverse = true;
    raiseEvent(link);
    ASSERT_EQ(each.received.size(), 3u);
    EXPECT_EQ(each.received[0].realValue, 30.0);
    EXPECT_EQ(each.received[2].realValue, 10.0);

    TKNArrayEnum loose;
    loose.outItem = makeLink<&Sink::inRecord>(&each);
    loose.outEnd = makeLink<&Sink::inRecord>(&end);
    raiseEvent(makeLink<&TKNArrayEnum::inEnum>(&loose));
    EXPECT_EQ(each.received.size(), 3u);
    EXPECT_EQ(end.received.back().intValue, 0);
}
