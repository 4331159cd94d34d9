#include "runtime/events.h"

#include <algorithm>

void TEvents::remove(TEventProc proc) {
    auto found = std::find(handlers_.begin(), handlers_.end(), proc);
    if (found != handlers_.end())
        handlers_.erase(found);
}

void TEvents::callAll(void* param) const {
    // By index: a handler may add another, which is then called as well.
    for (std::size_t i = 0; i < handlers_.size(); ++i) {
        TEventProc proc = handlers_[i];
        proc(param);
    }
}
