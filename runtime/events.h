// TEvents: an ordered list of handlers that are all called with one pointer.
#pragma once

#include "runtime/method.h"

#include <vector>

using TEventProc = TMethod<void*>;

class TEvents {
public:
    void add(TEventProc proc) { handlers_.push_back(proc); }
    void remove(TEventProc proc);
    void callAll(void* param) const;
    std::size_t count() const { return handlers_.size(); }

private:
    std::vector<TEventProc> handlers_;
};
