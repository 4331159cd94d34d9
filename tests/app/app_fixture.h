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
    static HWND windowOf(const TKNWin& element) { return element.getControl()->handle; }
    static std::wstring wideTextOf(HWND window);
    // The window's text in the program's code page.
    static std::string textOf(const TKNWin& element);
    // A memo's lines as the user sees them (an empty memo has none).
    static std::vector<std::string> linesOf(const TKNMemo& memo);
    static std::int32_t positionOf(const TKNTrackBar& bar);

protected:
    void SetUp() override;
    void TearDown() override;

    // Replaces the natural frequency as a user does: select all, type.
    void typeNaturalFrequency(const std::wstring& text);
    // Drags a slider to the position: the slider moves, then tells its parent.
    void moveSlider(const TKNTrackBar& bar, std::int32_t position);
    void pressBuild();
    // The series, both memos and the efficiencies 20·lg((f/f0)² − 1) hold
    // the frequencies first..last (none when first > last).
    void expectPlotted(int first, int last, double f0);

    // The plot drawn afresh: markers wholly inside the frame, and pixels of
    // the line's colour between the margins (the labels share it).
    struct Picture {
        int markers = 0, linePixels = 0;
    };
    Picture plotPicture();

    // Whether the set-up makes the network live, shows the form and lets it
    // be activated.
    bool startsRunning = true;
    std::unique_ptr<TClassMainForm_4C58060> app;
    std::vector<std::string> shownBoxes;
};
