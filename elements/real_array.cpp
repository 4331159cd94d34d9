#include "elements/real_array.h"

#include "runtime/number_text.h"

#include <cstring>
#include <memory>

static_assert(sizeof(double) == 8, "an item is stored as 8 bytes");

namespace {

double* newItem(double value) {
    return new double(value);
}

double& valueOf(void* item) {
    return *static_cast<double*>(item);
}

} // namespace

TKNRealArray::~TKNRealArray() {
    freeAllItems();
}

void TKNRealArray::getArray(TData& data, std::uint16_t) {
    setArray(data, this);
}

void* TKNRealArray::makeItem(const TData& value) {
    return newItem(asReal(value));
}

void TKNRealArray::itemToData(void* item, TData& value) {
    setReal(value, valueOf(item));
}

void TKNRealArray::freeItem(void* item) {
    delete static_cast<double*>(item);
}

void TKNRealArray::writeItem(TArrayStorage* storage, void* item, std::string& text) {
    if (StoreAsText) {
        text = realToText(valueOf(item));
        return;
    }
    if (!storage)
        return;
    // Least significant byte first, whatever the machine.
    unsigned char bytes[sizeof(double)];
    std::uint64_t bits;
    std::memcpy(&bits, item, sizeof bits);
    for (unsigned char& b : bytes) {
        b = static_cast<unsigned char>(bits);
        bits >>= 8;
    }
    storage->write(bytes, sizeof bytes);
}

void* TKNRealArray::readItem(TArrayStorage* storage, const std::string& text) {
    if (StoreAsText)
        return newItem(textToReal(text));
    auto item = std::make_unique<double>(0.0); // freed if the storage throws
    if (!storage)
        return item.release();
    unsigned char bytes[sizeof(double)] = {};
    storage->read(bytes, sizeof bytes);
    std::uint64_t bits = 0;
    for (std::size_t i = sizeof bytes; i-- > 0;)
        bits = (bits << 8) | bytes[i];
    std::memcpy(item.get(), &bits, sizeof bits);
    return item.release();
}
