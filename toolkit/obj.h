// TObj: the toolkit's root object. A reference count lets an object survive
// a free request while it is still in use (a window object during its own
// message), and destruction notifies a destroy handler and a clean-up list.
#pragma once

#include "runtime/method.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class TObj {
public:
    TObj() = default;
    TObj(const TObj&) = delete;
    TObj& operator=(const TObj&) = delete;

    // Objects are heap-allocated and end through free, never by delete from
    // outside.
    void free();
    static void freeObject(TObj* obj) {
        if (obj)
            obj->free();
    }
    void addRef() { refCount_ += 2; }
    void release();

    // Called once at destruction, newest registration first.
    void addCleanup(void (*proc)(void* argument), void* argument);

    // Counts in steps of 2; bit 0 marks a free requested while references
    // were held; negative while the object is being destroyed.
    std::int32_t refCount() const { return refCount_; }
    bool beingDestroyed() const { return destroying_; }
    // A free was asked for while references were held, or destruction runs.
    bool freeRequested() const { return (refCount_ & 1) != 0; }

    TMethod<TObj*> destroyHandler; // called with the dying object as sender

protected:
    virtual ~TObj();
    // The first step of destruction, while the object is still whole: the
    // destroy handler may look at its sender. A subclass with work that must
    // come before the notification overrides it and calls notifyDestroyed.
    virtual void beforeDestruction() { notifyDestroyed(); }
    // Runs the destroy handler and the clean-up list, once.
    void notifyDestroyed();

private:
    void destroy();

    struct Cleanup {
        void (*proc)(void*);
        void* argument;
    };
    std::int32_t refCount_ = 0;
    bool destroying_ = false;
    bool notified_ = false;
    std::unique_ptr<std::vector<Cleanup>> cleanupList_; // made on first registration
};

// A reference held for a scope: a free asked for inside it only marks the
// object, and the end of the scope destroys it, after its last use.
class TObjHold {
public:
    explicit TObjHold(TObj& obj) : obj_(obj) { obj_.addRef(); }
    ~TObjHold() { obj_.release(); }
    TObjHold(const TObjHold&) = delete;
    TObjHold& operator=(const TObjHold&) = delete;

private:
    TObj& obj_;
};

// Owning pointer that ends its object through the reference protocol.
struct TObjFree {
    void operator()(TObj* obj) const { TObj::freeObject(obj); }
};
template <class T> using TObjPtr = std::unique_ptr<T, TObjFree>;

template <class T, class... Args> TObjPtr<T> makeObj(Args&&... args) {
    return TObjPtr<T>(new T(std::forward<Args>(args)...));
}
