#include "runtime/links.h"

#include <utility>
#include <vector>

namespace {

void inertDispatch(const TKN_Event&, TData&) {}

void dispatchEvent(const TKN_Event& link, TData& data) {
    // The link is copied: a handler may change or destroy the record it was
    // reached through.
    TKN_Event current = link;
    while (current.handler) {
        current.handler(current.target, data, current.index);
        if (!(data.tag & tagForwardBit))
            return;
        data.tag = static_cast<std::uint8_t>(data.tag - tagForwardBit);
        if (!data.forwardLink)
            return; // a forward with nowhere to go ends the event
        current = *data.forwardLink;
    }
}

void dispatchRead(const TKN_Event& link, TData& data) {
    if (link.handler)
        link.handler(link.target, data, link.index);
}

std::vector<TInitProc>& initProcs() {
    static std::vector<TInitProc> procs;
    return procs;
}

// Copies the second value of a multi-value chain over the head, or empties
// a single value, so the next pull finds the next value.
void consume(TData& incoming) {
    if (incoming.next) {
        TData following = *incoming.next;
        incoming = std::move(following);
    } else {
        incoming.tag = tagNull;
    }
}

// Reads a connected link into a fresh null record. Returns false when the
// link is unconnected or the source answered tagNoLink.
bool readLinked(const TKN_Event& link, TData& result) {
    if (!link.connected())
        return false;
    readDispatcher(link, result);
    return result.tag != tagNoLink;
}

template <class T, class Convert>
T pullWithFallback(TData& incoming, const TKN_Event& link, const T& fallback, const T& zero,
                   Convert convert) {
    TData linked;
    if (readLinked(link, linked))
        return convert(linked);
    if (fallback == zero && incoming.tag != tagNull) {
        T result = convert(incoming);
        consume(incoming);
        return result;
    }
    return fallback;
}

} // namespace

TDispatcher eventDispatcher = inertDispatch;
TDispatcher readDispatcher = inertDispatch;

void installDispatchers() {
    eventDispatcher = dispatchEvent;
    readDispatcher = dispatchRead;
}

void stopDispatch() {
    eventDispatcher = inertDispatch;
    readDispatcher = inertDispatch;
}

bool dispatchersLive() {
    return eventDispatcher != inertDispatch;
}

void raiseEvent(const TKN_Event& link) {
    TData data;
    eventDispatcher(link, data);
}

void raiseInteger(const TKN_Event& link, std::int32_t value) {
    TData data;
    setInteger(data, value);
    eventDispatcher(link, data);
}

void raiseString(const TKN_Event& link, const std::string& value) {
    TData data;
    setString(data, value);
    eventDispatcher(link, data);
}

void raiseData(const TKN_Event& link, const TData& data) {
    TData copy = data;
    eventDispatcher(link, copy);
}

void callEvent(const TKN_Event& link, TData& data) {
    eventDispatcher(link, data);
}

std::int32_t pullInteger(TData& incoming, const TKN_Event& link, std::int32_t fallback) {
    return pullWithFallback<std::int32_t>(incoming, link, fallback, 0,
                                          [](const TData& d) { return asInteger(d); });
}

double pullReal(TData& incoming, const TKN_Event& link, double fallback) {
    return pullWithFallback<double>(incoming, link, fallback, 0.0,
                                    [](const TData& d) { return asReal(d); });
}

std::string pullString(TData& incoming, const TKN_Event& link, const std::string& fallback) {
    return pullWithFallback<std::string>(incoming, link, fallback, std::string(),
                                         [](const TData& d) { return asString(d); });
}

TData pullData(TData& incoming, const TKN_Event& link, const TData* fallback) {
    TData linked;
    if (readLinked(link, linked)) {
        linked.next = nullptr;
        return linked;
    }
    if (!fallback || fallback->tag == tagNull) {
        if (incoming.tag == tagNull)
            incoming.next = nullptr; // a null head ends the chain
        TData result = incoming;
        result.next = nullptr;
        consume(incoming);
        return result;
    }
    return *fallback;
}

TArrayIntf* pullArray(const TKN_Event& link) {
    if (!link.connected())
        return nullptr;
    TData data;
    readDispatcher(link, data);
    return data.tag == tagArray ? data.arrayValue : nullptr;
}

TMatrixIntf* pullMatrix(const TKN_Event& link) {
    if (!link.connected())
        return nullptr;
    TData data;
    readDispatcher(link, data);
    return data.tag == tagMatrix ? data.matrixValue : nullptr;
}

void pullRaw(TData& data, const TKN_Event& link) {
    if (!link.connected()) {
        data.tag = tagNoLink;
        return;
    }
    readDispatcher(link, data);
}

std::int32_t pullLinkedInteger(const TKN_Event& link) {
    TData data;
    readDispatcher(link, data);
    return asInteger(data);
}

void registerInitProc(TInitProc proc) {
    initProcs().push_back(proc);
}

void runInitProcs() {
    // By index: a procedure may register another, which then runs too.
    std::vector<TInitProc>& procs = initProcs();
    for (std::size_t i = 0; i < procs.size(); ++i) {
        TInitProc proc = procs[i];
        proc();
    }
    procs.clear();
}
