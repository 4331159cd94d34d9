// TClassMainForm_4C58060: the application's schematic. It creates every
// element in a fixed order, gives each its properties, links them and
// finishes the windows; from then on the program is the elements reacting to
// window messages. It owns the elements and destroys them last-created first.
#pragma once

#include "elements/array_enum.h"
#include "elements/array_rw.h"
#include "elements/do_data.h"
#include "elements/event_from_data.h"
#include "elements/for_loop.h"
#include "elements/hub.h"
#include "elements/if_else.h"
#include "elements/message.h"
#include "elements/real_array.h"
#include "elements/visual_strings.h"
#include "expr/math_parse.h"
#include "plot/plotter.h"
#include "plot/series_elements.h"
#include "visual/button.h"
#include "visual/edit.h"
#include "visual/image.h"
#include "visual/label.h"
#include "visual/main_form.h"
#include "visual/memo.h"
#include "visual/track_bar.h"

#include <cstddef>
#include <string>
#include <vector>

// The one line the error memo gets for each step with a rejected natural
// frequency.
extern const std::string rejectionText;

class TClassMainForm_4C58060 {
public:
    static constexpr std::size_t elementCount = 74;

    TClassMainForm_4C58060();
    virtual ~TClassMainForm_4C58060();
    TClassMainForm_4C58060(const TClassMainForm_4C58060&) = delete;
    TClassMainForm_4C58060& operator=(const TClassMainForm_4C58060&) = delete;

    TKNMainForm* MainForm = nullptr;
    TKNEdit* EditNaturalFreq = nullptr;
    TKNLabel* LabelNaturalFreq = nullptr;
    TKNPlotter* PlotterEffect = nullptr;
    TKNPlotLines* LinesEffect = nullptr;
    TKNPlotPoints* PointsEffect = nullptr;
    TKNButton* ButtonBuild = nullptr;
    TKNDoData* DoDataNaturalFreq = nullptr;
    TKNEdit* EditNaturalFreqCopy = nullptr;
    TKNImage* ImageScheme = nullptr;
    TKNIf_else* IfLogArgument = nullptr;
    TKNMemo* MemoError = nullptr;
    TKNHub* HubSpare1 = nullptr;
    TKNVisualStrings* StringsError = nullptr;
    TKNArrayEnum* ArrayEnum1 = nullptr;
    TKNArrayRW* ArrayRW1 = nullptr;
    TKNRealArray* RealArray1 = nullptr;
    TKNArrayRW* ArrayRW2 = nullptr;
    TKNRealArray* RealArray2 = nullptr;
    TKNArrayEnum* ArrayEnum2 = nullptr;
    TKNFor* ForFrequency = nullptr;
    TKNMathParse* MathScale = nullptr;
    TKNMathParse* MathRatio = nullptr;
    TKNArrayEnum* ArrayEnum3 = nullptr;
    TKNMessage* Message1 = nullptr;
    TKNHub* HubEnum = nullptr;
    TKNTrackBar* TrackStart = nullptr;
    TKNLabel* LabelStart = nullptr;
    TKNLabel* LabelEnd = nullptr;
    TKNTrackBar* TrackEnd = nullptr;
    TKNLabel* LabelStartMin = nullptr;
    TKNLabel* LabelStartMax = nullptr;
    TKNLabel* LabelEndMin = nullptr;
    TKNLabel* LabelEndMax = nullptr;
    TKNMathParse* MathEndFromTrack = nullptr;
    TKNEdit* EditStart = nullptr;
    TKNHub* HubActivate = nullptr;
    TKNEdit* EditEnd = nullptr;
    TKNHub* HubSpare2 = nullptr;
    TKNHub* HubSpare3 = nullptr;
    TKNHub* HubSpare4 = nullptr;
    TKNHub* HubBuild = nullptr;
    TKNDoData* DoDataSpare1 = nullptr;
    TKNHub* HubSpare5 = nullptr;
    TKNHub* HubEndCorrection = nullptr;
    TKNDoData* DoDataSpare2 = nullptr;
    TKNHub* HubTrackStart = nullptr;
    TKNMathParse* MathSpare1 = nullptr;
    TKNMemo* MemoEffect = nullptr;
    TKNIf_else* IfNaturalFreq = nullptr;
    TKNMathParse* MathEffect = nullptr;
    TKNMathParse* MathSpare2 = nullptr;
    TKNDoData* DoDataSpare3 = nullptr;
    TKNDoData* DoDataSpare4 = nullptr;
    TKNEventFromData* EventFromDataSpare1 = nullptr;
    TKNDoData* DoDataSpare5 = nullptr;
    TKNEventFromData* EventFromDataSpare2 = nullptr;
    TKNMathParse* MathSpare3 = nullptr;
    TKNHub* HubSpare6 = nullptr;
    TKNHub* HubTrackEnd = nullptr;
    TKNDoData* DoDataSpare6 = nullptr;
    TKNMathParse* MathSpare4 = nullptr;
    TKNMathParse* MathEndFromStart = nullptr;
    TKNIf_else* IfRange = nullptr;
    TKNMessage* Message2 = nullptr;
    TKNHub* HubTrackEndSet = nullptr;
    TKNEdit* EditStartInit = nullptr;
    TKNEdit* EditEndInit = nullptr;
    TKNHub* HubSpare7 = nullptr;
    TKNHub* HubResult = nullptr;
    TKNMemo* MemoFrequency = nullptr;
    TKNLabel* LabelAxisX = nullptr;
    TKNLabel* LabelAxisY = nullptr;
    TKNLabel* LabelTitle = nullptr;

private:
    // One owned element of any class; the real arrays are not window or
    // flow elements, so ownership goes through a typed deleter.
    struct Slot {
        void* element;
        void (*destroy)(void* element);
    };

    template <class T, class... Args> T* create(Args&&... args);

    void createElements();
    void createInputRow();
    void createPlot();
    void createRunElements();
    void createTrackBars();
    void createSpares();
    void createResults();
    void link();
    void linkResults();
    void finish();
    void destroyElements();

    std::vector<Slot> slots_;
};

// The program's one schematic, set by its constructor before the first element
// exists and cleared by its destructor.
extern TClassMainForm_4C58060* schematic;
