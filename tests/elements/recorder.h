// Test stand-ins for the elements at the ends of links: a sink that logs
// what reaches it and a source that answers a fixed value.
#pragma once

#include "runtime/links.h"

#include <gtest/gtest.h>

#include <string>

// "i5", "r2.5", "sabc", "n" (null), or "t" and the tag.
inline std::string describe(const TData& d) {
    const char* kind = d.tag == tagNull      ? "n"
                       : d.tag == tagInteger ? "i"
                       : d.tag == tagReal    ? "r"
                       : d.tag == tagString  ? "s"
                                             : nullptr;
    return kind ? kind + asString(d) : "t" + std::to_string(d.tag);
}

// Logs "name:value " for every event that reaches it.
struct Sink {
    std::string* log;
    std::string name;
    void inRecord(TData& data, std::uint16_t) { *log += name + ":" + describe(data) + " "; }
    // Records, then spoils the value, as a careless handler might.
    void inRecordAndChange(TData& data, std::uint16_t index) {
        inRecord(data, index);
        setString(data, "changed");
    }
    TKN_Event link() { return makeLink<&Sink::inRecord>(this); }
};

struct Source {
    TData value;
    int reads = 0;
    void getValue(TData& data, std::uint16_t) {
        ++reads;
        data = value;
    }
    TKN_Event link() { return makeLink<&Source::getValue>(this); }
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
