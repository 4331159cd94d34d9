// Test stand-ins for the elements at the ends of links: a sink that records
// what reaches it and a source that answers a fixed value.
#pragma once

#include "runtime/links.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct Sink {
    std::vector<TData> received;
    std::vector<std::string>* order = nullptr; // shared order log, when set
    std::string name;

    void inRecord(TData& data, std::uint16_t) {
        received.push_back(data);
        if (order)
            order->push_back(name);
    }
    // Records, then spoils the value, as a careless handler might.
    void inRecordAndChange(TData& data, std::uint16_t index) {
        inRecord(data, index);
        setString(data, "changed");
    }
};

struct Source {
    TData value;
    int reads = 0;
    void getValue(TData& data, std::uint16_t) {
        ++reads;
        data = value;
    }
};

// Live dispatchers for the length of a test.
class LiveLinks : public ::testing::Test {
protected:
    void SetUp() override { installDispatchers(); }
    void TearDown() override { stopDispatch(); }
};

inline TData integerData(std::int32_t value) {
    TData d;
    setInteger(d, value);
    return d;
}
inline TData realData(double value) {
    TData d;
    setReal(d, value);
    return d;
}
inline TData stringData(const std::string& value) {
    TData d;
    setString(d, value);
    return d;
}
