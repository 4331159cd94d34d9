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
    int count() const { return static_cast<int>(values.size()); }
    const TData& last() const { return values.back(); }
    std::vector<std::int32_t> integers() const {
        std::vector<std::int32_t> result;
        for (const TData& value : values)
            result.push_back(asInteger(value));
        return result;
    }
};

class VisualTest : public ToolkitTest {
protected:
    void SetUp() override;
    void TearDown() override;
};

// Sets the element's bounds, as the schematic writes them before init.
inline void place(TKNWin& element, std::int32_t left, std::int32_t top, std::int32_t width,
                  std::int32_t height) {
    element.Left = left;
    element.Top = top;
    element.Width = width;
    element.Height = height;
}
