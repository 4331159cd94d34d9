#include "toolkit/obj.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> events;

class Probe : public TObj {
public:
    explicit Probe(std::string name) : name(std::move(name)) {}
    std::string name;

    void onDestroy(TObj* sender) {
        events.push_back("handler " + static_cast<Probe*>(sender)->name);
    }

protected:
    ~Probe() override { events.push_back("destroyed " + name); }
};

void cleanup(void* argument) {
    events.push_back(std::string("cleanup ") + static_cast<const char*>(argument));
}

} // namespace

TEST(Obj, FreeWithoutReferencesDestroysAtOnce) {
    events.clear();
    Probe* p = new Probe("a");
    p->free();
    EXPECT_EQ(events, (std::vector<std::string>{"destroyed a"}));
    TObj::freeObject(nullptr); // nothing happens
}

TEST(Obj, FreeInsideAReferenceBracketWaitsForTheRelease) {
    events.clear();
    Probe* p = new Probe("b");
    p->addRef();
    p->free();
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(p->refCount(), 1);
    p->free(); // a second request changes nothing
    EXPECT_EQ(p->refCount(), 1);
    p->release();
    EXPECT_EQ(events, (std::vector<std::string>{"destroyed b"}));
}

TEST(Obj, NestedReferencesDestroyOnTheLastRelease) {
    events.clear();
    Probe* p = new Probe("c");
    p->addRef();
    p->addRef();
    p->free();
    p->release();
    EXPECT_TRUE(events.empty());
    p->release();
    EXPECT_EQ(events.size(), 1u);
}

TEST(Obj, ReleaseWithoutFreeKeepsTheObject) {
    events.clear();
    Probe* p = new Probe("d");
    p->addRef();
    p->release();
    EXPECT_TRUE(events.empty());
    p->free();
    EXPECT_EQ(events.size(), 1u);
}

TEST(Obj, DestructionNotifiesHandlerThenCleanupsNewestFirst) {
    events.clear();
    Probe* p = new Probe("e");
    p->destroyHandler = bindMethod<&Probe::onDestroy, TObj*>(p);
    p->addCleanup(cleanup, const_cast<char*>("first"));
    p->addCleanup(cleanup, const_cast<char*>("second"));
    p->free();
    // Notifications come while the object is still whole.
    EXPECT_EQ(events, (std::vector<std::string>{"handler e", "cleanup second", "cleanup first",
                                                "destroyed e"}));
}

namespace {

// Takes a reference bracket and frees itself while being destroyed: the
// bracket must not start a second destruction.
class SelfReferencing : public TObj {
public:
    int* destroyedCount;
    explicit SelfReferencing(int* count) : destroyedCount(count) {}

protected:
    ~SelfReferencing() override {
        ++*destroyedCount;
        addRef();
        free();
        release();
        free();
    }
};

} // namespace

TEST(Obj, ReferenceBracketDuringDestructionDoesNotDestroyTwice) {
    int count = 0;
    (new SelfReferencing(&count))->free();
    EXPECT_EQ(count, 1);

    count = 0;
    auto* held = new SelfReferencing(&count);
    held->addRef();
    held->free();
    held->release();
    EXPECT_EQ(count, 1);
}

TEST(Obj, OwningPointerFreesThroughTheProtocol) {
    events.clear();
    { TObjPtr<Probe> p = makeObj<Probe>("f"); }
    EXPECT_EQ(events, (std::vector<std::string>{"destroyed f"}));
}
