// The whole application built in the test process and driven as a person
// drives it: keystrokes into the edit, track-bar notifications, a button
// click, all as real window messages.
#pragma once

#include "toolkit_fixture.h"

#include "app/schematic.h"

#include <memory>
#include <string>
#include <vector>

class AppTest : public ToolkitTest {
public:
    // The window of an element.
    static HWND windowOf(const TKNWin& element) { return element.getControl()->handle; }
    // The window's text, in the program's code page.
    static std::string textOf(HWND window);
    static std::string textOf(const TKNWin& element) { return textOf(windowOf(element)); }
    // A memo's lines as the user sees them (an empty memo has none).
    static std::vector<std::string> linesOf(const TKNMemo& memo);
    static std::int32_t positionOf(const TKNTrackBar& bar);

protected:
    void SetUp() override;
    void TearDown() override;

    // Replaces the natural frequency as a user does: select all, type.
    void typeNaturalFrequency(const std::string& text);
    // Drags a slider to the position: the slider moves, then tells its parent.
    void moveSlider(const TKNTrackBar& bar, std::int32_t position);
    void pressBuild();
    // The plot's picture drawn afresh: columns inside the frame that hold a
    // marker, grouped into markers.
    int interiorMarkerCount();
    void expectPlotted(int first, int last, double f0);
    // Pixels of the line's colour between the margins (the labels share it).
    int linePixels();

    std::unique_ptr<TClassMainForm_4C58060> app;
    std::vector<std::string> shownBoxes;
};
