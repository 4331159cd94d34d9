#include "visual_fixture.h"

void VisualTest::SetUp() {
    ToolkitTest::SetUp();
    makeAppletAndForm();
    installDispatchers();
}

void VisualTest::TearDown() {
    stopDispatch();
    ToolkitTest::TearDown();
}
