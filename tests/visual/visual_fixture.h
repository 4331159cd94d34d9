// Shared set-up of the visual element tests: the toolkit fixture with an
// applet and a form, live dispatchers and a GDI object count, and a recorder
// for output events.
#pragma once

#include "toolkit_fixture.h"

#include "runtime/links.h"
#include "visual/win_element.h"

#include <memory>
#include <tuple>
#include <vector>

// Records every value an event brings.
struct EventLog {
    std::vector<TData> values;
    void in(TData& data, std::uint16_t) { values.push_back(data); }
    TKN_Event link() { return makeLink<&EventLog::in>(this); }
};

class VisualTest : public GdiCountingTest {
protected:
    void SetUp() override {
        GdiCountingTest::SetUp();
        makeAppletAndForm();
        installDispatchers();
    }
    void TearDown() override {
        stopDispatch();
        GdiCountingTest::TearDown();
    }
    // An element on the form, placed as the schematic writes it before init.
    template <class Element>
    std::unique_ptr<Element> make(int left, int top, int width, int height) {
        auto element = std::make_unique<Element>(form);
        std::tie(element->Left, element->Top, element->Width, element->Height) =
            std::tie(left, top, width, height);
        return element;
    }
};
