// The window tests' set-up: a clean toolkit state, controls freed in reverse
// order of making, the queue pumped, and no window of ours left.
#pragma once

#include "toolkit/application.h"
#include "toolkit/control.h"
#include "toolkit/gdi_counter.h"

#include <gtest/gtest.h>

#include <vector>

// Pure colours, and a colour as the toolkit's setters take it.
constexpr COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0), red = RGB(255, 0, 0);
constexpr COLORREF green = RGB(0, 255, 0), blue = RGB(0, 0, 255), yellow = RGB(255, 255, 0);
constexpr std::int32_t colour(COLORREF value) {
    return static_cast<std::int32_t>(value);
}

// Dispatches until the queue is empty; a WM_QUIT is dropped and counted.
int pumpMessages();
// Windows of the toolkit's classes that still exist on this thread.
int toolkitWindowCount();

// Puts back the toolkit-wide hooks it found: double buffering and alignment
// install theirs for the rest of a run, a test's only for that test.
struct ScopedHooks {
    TMessageHandler paint = application.paintHook;
    void (*align)(TControl&) = application.alignProc;
    void (*invalidate)(TControl&) = application.invalidateHook;
    void (*afterCreate)(TControl&) = application.afterCreateHook;
    ~ScopedHooks() {
        application.paintHook = paint, application.alignProc = align;
        application.invalidateHook = invalidate, application.afterCreateHook = afterCreate;
    }
};

class ToolkitTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Freed by the fixture at the end of the test.
    TControl* keep(TControl* control) { return owned_.push_back(control), control; }
    // An applet and a main form under it, both kept.
    void makeAppletAndForm();
    // Shows the form, makes it active and puts the focus on the control.
    void focus(TControl& control);

    TControl* appletControl = nullptr;
    TControl* form = nullptr;

private:
    std::vector<TControl*> owned_;
    ScopedHooks hooks_;
};

// A window test that also proves the GDI objects it made are all gone again.
class GdiCountingTest : public ToolkitTest {
protected:
    void SetUp() override { ToolkitTest::SetUp(), startObjects = liveGdiObjects(); }
    void TearDown() override {
        ToolkitTest::TearDown();
        EXPECT_EQ(liveGdiObjects(), startObjects);
    }
    std::int32_t startObjects = 0;
};

// A 32-bit memory image filled with one colour, to paint into and read back.
struct MemoryImage {
    MemoryImage(int width, int height, COLORREF fill = RGB(255, 255, 255));
    ~MemoryImage();
    COLORREF at(int x, int y) const { return GetPixel(dc, x, y); }

    HDC dc;
    HBITMAP image;
    HGDIOBJ previous;
};

// Pixels of the colour in the area of what the DC holds.
int countPixels(HDC dc, const RECT& area, COLORREF color);
