#include "elements/array_rw.h"

#include "runtime/array.h"

void TKNArrayRW::inRead(TData& data, std::uint16_t) {
    TData index = pullData(data, srcIndex, nullptr);
    TData value;
    if (TArrayIntf* array = pullArray(srcArray))
        array->arrayGet(index, value);
    setForwardCopy(data, value, &outRead);
}

void TKNArrayRW::inWrite(TData& data, std::uint16_t) {
    TData index = pullData(data, srcIndex, nullptr);
    TData value = pullData(data, srcValue, nullptr);
    if (TArrayIntf* array = pullArray(srcArray))
        array->arraySet(index, value);
}

void TKNArrayRW::inAdd(TData& data, std::uint16_t) {
    TData value = pullData(data, srcValue, nullptr);
    if (TArrayIntf* array = pullArray(srcArray))
        array->arrayAdd(value);
}

void TKNArrayRW::getCount(TData& data, std::uint16_t) {
    TArrayIntf* array = pullArray(srcArray);
    setInteger(data, array ? array->arrayCount() : 0);
}
