// Shared set-up of the visual element tests: the toolkit fixture with an
// applet and a form, live dispatchers, and a recorder for output events.
#pragma once

#include "toolkit_fixture.h"

#include "runtime/links.h"
#include "visual/win_element.h"

#include <vector>

// Records every value an event brings.
struct EventLog {
    std::vector<TData> values;
    void in(TData& data, std::uint16_t) { values.push_back(data); }
    TKN_Event link() { return makeLink<&EventLog::in>(this); }
};

class VisualTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        makeAppletAndForm();
        installDispatchers();
    }
    void TearDown() override {
        stopDispatch();
        ToolkitTest::TearDown();
    }
};

// Sets the element's bounds, as the schematic writes them before init.
inline void place(TKNWin& element, int left, int top, int width, int height) {
    element.Left = left;
    element.Top = top;
    element.Width = width;
    element.Height = height;
}
