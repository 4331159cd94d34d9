// Event and data links: the records that join elements, the two dispatchers
// that carry calls along them, and the operations elements raise and pull
// with.
#pragma once

#include "runtime/data.h"
#include "runtime/method.h"

#include <cstdint>
#include <string>

using TKN_Handler = void (*)(void* target, TData& data, std::uint16_t index);

struct TKN_Event {
    TKN_Handler handler = nullptr; // nil: not connected
    void* target = nullptr;
    std::uint16_t index = 0;

    bool connected() const { return handler != nullptr; }
};

inline TKN_Event makeLink(TKN_Handler handler, void* target, std::uint16_t index) {
    return {handler, target, index};
}

// makeLink<&TKNHub::inEvent>(hub, 0): a link to a point of an element.
template <auto Point>
TKN_Event makeLink(typename MethodTraits<decltype(Point)>::Class* target, std::uint16_t index = 0) {
    using C = typename MethodTraits<decltype(Point)>::Class;
    return {[](void* t, TData& d, std::uint16_t i) { (static_cast<C*>(t)->*Point)(d, i); }, target,
            index};
}

using TDispatcher = void (*)(const TKN_Event& link, TData& data);

// Inert until installDispatchers and again after stopDispatch.
extern TDispatcher eventDispatcher;
extern TDispatcher readDispatcher;

void installDispatchers();
void stopDispatch();
bool dispatchersLive();

void raiseEvent(const TKN_Event& link);
void raiseInteger(const TKN_Event& link, std::int32_t value);
void raiseString(const TKN_Event& link, const std::string& value);
void raiseData(const TKN_Event& link, const TData& data); // sends a copy
void callEvent(const TKN_Event& link, TData& data);       // handlers may change data

// Pulls. `incoming` is the value of the point that is running: with no link
// (or a source answering tagNoLink) and a zero default it is taken, and
// consumed, instead, which is how one event carries several values.
std::int32_t pullInteger(TData& incoming, const TKN_Event& link, std::int32_t fallback);
double pullReal(TData& incoming, const TKN_Event& link, double fallback);
std::string pullString(TData& incoming, const TKN_Event& link, const std::string& fallback);
TData pullData(TData& incoming, const TKN_Event& link, const TData* fallback);
TArrayIntf* pullArray(const TKN_Event& link);
TMatrixIntf* pullMatrix(const TKN_Event& link);
void pullRaw(TData& data, const TKN_Event& link);
std::int32_t pullLinkedInteger(const TKN_Event& link);

// The start-up list: procedures run once when the network goes live.
using TInitProc = TMethod<>;
void registerInitProc(TInitProc proc);
void runInitProcs();
