#include "elements/do_data.h"

void TKNDoData::inDoData(TData& data, std::uint16_t) {
    setNull(data);
    const TData value = pullData(data, srcData, &Data);
    setForwardCopy(data, value, &outData);
}
