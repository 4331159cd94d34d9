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
    void onDestroy(TObj* s) { events.push_back("handler " + static_cast<Probe*>(s)->name); }

protected:
    ~Probe() override { events.push_back("destroyed " + name); }
};

void cleanup(void* argument) {
    events.push_back(std::string("cleanup ") + static_cast<const char*>(argument));
}

// Takes a reference bracket and frees itself while being destroyed: the
// bracket must not start a second destruction.
class SelfReferencing : public TObj {
protected:
    ~SelfReferencing() override {
        events.push_back("destroyed");
        addRef(), free(), release(), free();
    }
};

} // namespace

TEST(Obj, AFreeInsideReferenceBracketsWaitsForTheLastRelease) {
    // a: addRef, f: free, r: release; the object must go with the last step.
    for (const std::string script : {"f", "affr", "aafrr", "arf"}) {
        events.clear();
        Probe* p = new Probe(script);
        for (std::size_t i = 0; i < script.size(); ++i) {
            EXPECT_TRUE(events.empty()) << script << " gone before step " << i;
            script[i] == 'a' ? p->addRef() : script[i] == 'f' ? p->free() : p->release();
        }
        EXPECT_EQ(events, std::vector<std::string>{"destroyed " + script});
    }
    TObj::freeObject(nullptr); // nothing happens
}

TEST(Obj, DestructionNotifiesHandlerThenCleanupsNewestFirstAndHappensOnce) {
    events.clear();
    Probe* p = new Probe("e");
    p->destroyHandler = bindMethod<&Probe::onDestroy, TObj*>(p);
    p->addCleanup(cleanup, const_cast<char*>("first"));
    p->addCleanup(cleanup, const_cast<char*>("second"));
    p->free();
    // Notifications come while the object is still whole.
    EXPECT_EQ(events, (std::vector<std::string>{"handler e", "cleanup second", "cleanup first",
                                                "destroyed e"}));
    events.clear();
    (new SelfReferencing)->free();
    auto* held = new SelfReferencing;
    held->addRef(), held->free(), held->release();
    { TObjPtr<Probe> owned = makeObj<Probe>("f"); }
    EXPECT_EQ(events, (std::vector<std::string>{"destroyed", "destroyed", "destroyed f"}));
}
