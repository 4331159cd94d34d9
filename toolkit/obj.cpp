#include "toolkit/obj.h"

void TObj::free() {
    if (destroying_)
        return; // a second request during destruction is ignored
    if (refCount_ == 0)
        destroy();
    else if (!(refCount_ & 1))
        refCount_ -= 1;
}

void TObj::release() {
    refCount_ -= 2;
    if (refCount_ < 0 && (refCount_ & 1) && !destroying_)
        destroy();
}

void TObj::addCleanup(void (*proc)(void*), void* argument) {
    if (!cleanupList_)
        cleanupList_ = std::make_unique<std::vector<Cleanup>>();
    cleanupList_->insert(cleanupList_->begin(), Cleanup{proc, argument});
}

void TObj::destroy() {
    destroying_ = true;
    // Odd and negative: handlers test for it, and a reference bracket taken
    // during destruction cannot start a second one.
    refCount_ = -1;
    beforeDestruction();
    delete this;
}

void TObj::notifyDestroyed() {
    if (notified_)
        return;
    notified_ = true;
    if (destroyHandler) {
        TMethod<TObj*> handler = destroyHandler;
        destroyHandler = {};
        handler(this);
    }
    if (cleanupList_) {
        for (const Cleanup& entry : *cleanupList_)
            entry.proc(entry.argument);
        cleanupList_.reset();
    }
}

TObj::~TObj() {
    notifyDestroyed();
}
