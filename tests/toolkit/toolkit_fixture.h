// Shared set-up of the window tests: a clean toolkit state, controls freed in
// reverse order of making, the queue pumped, and no window of ours left.
#pragma once

#include "toolkit/control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Dispatches until the queue is empty; a WM_QUIT is dropped and counted.
int pumpMessages();

class ToolkitTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The fixture frees the control at the end of the test.
    TControl* keep(TControl* control);
    // The test freed the control itself.
    void forget(TControl* control);
    // An applet and a main form under it, both owned by the fixture.
    void makeAppletAndForm();
    // Shows the form, makes it active and puts the focus on the control.
    void focus(TControl& control);

    TControl* appletControl = nullptr;
    TControl* form = nullptr;
    std::vector<std::string> debugMessages;

private:
    std::vector<TControl*> owned_;
};

// A window test that also proves the GDI objects it made are all gone again.
class GdiCountingTest : public ToolkitTest {
protected:
    void SetUp() override;
    void TearDown() override;

    std::int32_t startObjects = 0;
};

// Windows of the toolkit's classes that still exist on this thread.
int toolkitWindowCount();
