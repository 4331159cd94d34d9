// The whole application built in the test process and driven as a person
// drives it: keystrokes, track-bar notifications, a click, as real messages.
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
    static std::string textOf(const TKNWin& element);             // in the program's code page
    static std::vector<std::string> linesOf(const TKNMemo& memo); // none when empty
    static std::int32_t positionOf(const TKNTrackBar& bar);
    std::vector<const TKNWin*> windowElements() const; // in the order they were made

protected:
    void SetUp() override;
    void TearDown() override;
    // The application made afresh on a screen of the given resolution.
    void rebuildAt(std::int32_t dpi);
    void build(); // made, started, its form active

    void moveSlider(const TKNTrackBar& bar, std::int32_t position); // moves, then tells
    void pressBuild();
    // The series, both memos and the efficiencies 20·lg((f/f0)² − 1) hold
    // the frequencies first..last (none when first > last).
    void expectPlotted(int first, int last, double f0);
    // The plot drawn afresh: markers wholly inside the frame, and pixels of
    // the line's colour between the margins (the labels share it).
    std::pair<int, int> plotPicture();

    std::unique_ptr<TClassMainForm_4C58060> app;
    static inline std::vector<std::string> shownBoxes; // the debug boxes the program showed
};
