#include "elements/real_array.h"

#include "recorder.h"

#include <string>

namespace {

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
