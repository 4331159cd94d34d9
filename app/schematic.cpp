#include "app/schematic.h"

#include "toolkit/navigation.h"

#include <windows.h>

#include <cstdint>
#include <utility>

const std::string rejectionText = "Собственная частота должна быть больше 0.001 Гц";

TClassMainForm_4C58060* schematic = nullptr;

namespace {

constexpr std::int32_t colorButtonFace = static_cast<std::int32_t>(0xFF00000F);
constexpr std::int32_t colorWindow = static_cast<std::int32_t>(0xFF000005);
constexpr std::int32_t colorScrollBar = static_cast<std::int32_t>(0xFF000000);

// Edits and memos are drawn flat, every other window in 3-D.
constexpr std::uint8_t flat = 0;
constexpr std::uint8_t raised = 1;

struct Placement {
    std::int32_t left, top, width, height;
    std::int32_t color;
    bool visible = true;
    bool enabled = true;
};

TFontRec windowFont() {
    TFontRec font;
    font.name = "MS Sans Serif";
    font.size = 8;
    font.style = 0;
    font.color = 0;
    font.charset = 1;
    return font;
}

void place(TKNWin& element, const Placement& at, std::uint8_t ctl3D) {
    element.Left = at.left;
    element.Top = at.top;
    element.Width = at.width;
    element.Height = at.height;
    element.Color = at.color;
    element.Visible = at.visible;
    element.Enabled = at.enabled;
    element.Ctl3D = ctl3D;
    element.Font = windowFont();
}

// Place and window values without a colour: the button takes its parent's.
void placeKeepingColor(TKNWin& element, const Placement& at, std::uint8_t ctl3D) {
    const std::int32_t color = element.Color;
    place(element, at, ctl3D);
    element.Color = color;
}

void setUpEdit(TKNEdit& edit, const Placement& at, const std::string& text, bool integer) {
    place(edit, at, flat);
    edit.Text = text;
    if (integer)
        edit.useIntegerReader();
    else
        edit.useRealReader();
    edit.Password = false;
    edit.ClearAfterEnter = true;
    edit.ReadOnly = false;
    edit.Alignment = 0;
    edit.MaxLength = 0;
    edit.init();
}

void setUpLabel(TKNLabel& label, const Placement& at, const std::string& caption) {
    place(label, at, raised);
    label.Caption = caption;
    label.setAutoSize(true);
    label.setTextAlign(0);
    label.HoverColor = 0;
    label.HoverUnderline = false;
    label.init();
}

void setUpMemo(TKNMemo& memo, const Placement& at, std::uint8_t scrollBars) {
    place(memo, at, flat);
    memo.Text.clear();
    memo.ScrollBars = scrollBars;
    memo.Editable = true;
    memo.AddToTop = false;
    memo.init();
}

void setUpTrackBar(TKNTrackBar& bar, const Placement& at, std::int32_t min, std::int32_t max) {
    place(bar, at, raised);
    bar.Orientation = 0;
    bar.TickMarks = 0;
    bar.ShowToolTip = false;
    bar.TickFrequency = 1;
    bar.Max = max;
    bar.Min = min;
    bar.Position = 0;
    bar.ThumbLength = 16;
    bar.init();
}

void setUpSeries(TPlotSeries& series, std::int32_t color, std::int32_t size) {
    series.Color = color;
    series.Size = size;
    series.Step = 0.0;
    series.MaxCount = 0;
    series.Name.clear();
}

void setUpFormula(TKNMathParse& math, std::int32_t argCount, std::string_view formula) {
    math.setArgCount(argCount);
    math.setFormula(formula);
    math.setResultType(resultReal);
    math.setDefault(0.0);
    math.setAngleMode(false);
}

void setUpHub(TKNHub& hub, std::uint8_t inCount, std::uint16_t outCount) {
    hub.InCount = inCount;
    hub.setOutCount(outCount);
}

void setUpGreaterThanReal(TKNIf_else& test, double limit) {
    test.Type = compareGreater;
    setReal(test.Op1, 0.0);
    setReal(test.Op2, limit);
}

void setUpArrayEnum(TKNArrayEnum& enumerator) {
    enumerator.Reverse = false;
    enumerator.SkipEmpty = false;
}

void setUpRealArray(TKNRealArray& array) {
    array.name.clear();
    array.StoreAsText = false;
    array.keyed = false;
}

void setUpMessage(TKNMessage& message) {
    message.Text.clear();
    message.Caption.clear();
    message.Icon = 0;
    message.Buttons = 0;
    message.DefaultButton = 0;
}

void finishWindow(TKNWin& element) {
    element.attachHint(nullptr);
    element.attachLayout(nullptr);
}

} // namespace

template <class T, class... Args> T* TClassMainForm_4C58060::create(Args&&... args) {
    T* element = new T(std::forward<Args>(args)...);
    // Room for every slot was reserved, so this cannot throw and lose it.
    slots_.push_back(Slot{element, [](void* owned) { delete static_cast<T*>(owned); }});
    return element;
}

TClassMainForm_4C58060::TClassMainForm_4C58060() {
    schematic = this;
    slots_.reserve(elementCount);
    try {
        createElements();
        link();
        finish();
    } catch (...) {
        destroyElements();
        if (schematic == this)
            schematic = nullptr;
        throw;
    }
}

TClassMainForm_4C58060::~TClassMainForm_4C58060() {
    destroyElements();
    if (schematic == this)
        schematic = nullptr;
}

void TClassMainForm_4C58060::destroyElements() {
    while (!slots_.empty()) {
        const Slot slot = slots_.back();
        slots_.pop_back();
        slot.destroy(slot.element);
    }
}

void TClassMainForm_4C58060::createElements() {
    MainForm = create<TKNMainForm>();
    place(*MainForm, {0, 0, 809, 758, colorButtonFace}, raised);
    MainForm->DragForm = false;
    MainForm->AlphaBlendValue = 255;
    MainForm->WindowState = 0;
    MainForm->PositionKey.clear();
    MainForm->ClientSize = false;
    MainForm->createHook = {};
    MainForm->setCaption("График эффективности виброизоляции, дБ");
    MainForm->setBorderStyle(3);
    MainForm->setIcon(LoadIconA(GetModuleHandleA(nullptr), "ICON0"));
    MainForm->setHideFromTaskbar(0);
    MainForm->init();

    createInputRow();
    createPlot();
    createRunElements();
    createTrackBars();
    createSpares();
    createResults();
}

void TClassMainForm_4C58060::createInputRow() {
    TControl* parent = MainForm->getControl();
    EditNaturalFreq = create<TKNEdit>(parent);
    setUpEdit(*EditNaturalFreq, {60, 35, 130, 20, colorWindow}, "6.0", false);

    LabelNaturalFreq = create<TKNLabel>(parent);
    setUpLabel(*LabelNaturalFreq, {60, 15, 343, 17, colorButtonFace},
               "Введите первую собственную частоту системы виброизоляции, Гц");
}

void TClassMainForm_4C58060::createPlot() {
    PlotterEffect = create<TKNPlotter>(MainForm->getControl());
    place(*PlotterEffect, {15, 110, 435, 375, colorButtonFace}, raised);
    PlotterEffect->Name = "Effect";
    PlotterEffect->GridColor = 0xC0C0C0;
    PlotterEffect->AxisColor = 0x000000;
    PlotterEffect->TextColor = 0xFF0000;
    PlotterEffect->setGrid(10);
    PlotterEffect->MinY = 0.0;
    PlotterEffect->MaxY = 0.0;
    PlotterEffect->MarginLeft = 30;
    PlotterEffect->MarginRight = 15;
    PlotterEffect->MarginTop = 15;
    PlotterEffect->MarginBottom = 15;
    PlotterEffect->Remark.clear();
    PlotterEffect->MouseControl = true;
    PlotterEffect->init();

    LinesEffect = create<TKNPlotLines>();
    setUpSeries(*LinesEffect, 0xFF0000, 4);

    PointsEffect = create<TKNPlotPoints>();
    setUpSeries(*PointsEffect, 0x0000FF, 2);
    PointsEffect->PointType = ptCircle;
}

void TClassMainForm_4C58060::createRunElements() {
    TControl* parent = MainForm->getControl();
    ButtonBuild = create<TKNButton>(parent);
    placeKeepingColor(*ButtonBuild, {215, 35, 205, 20, 0}, raised);
    ButtonBuild->Caption = "Построить график";
    ButtonBuild->Default = false;
    ButtonBuild->init();

    DoDataNaturalFreq = create<TKNDoData>();

    EditNaturalFreqCopy = create<TKNEdit>(parent);
    setUpEdit(*EditNaturalFreqCopy, {60, 35, 130, 20, colorWindow, false}, "6,0", false);

    ImageScheme = create<TKNImage>(parent);
    place(*ImageScheme, {500, 25, 120, 130, colorButtonFace}, raised);
    ImageScheme->AutoSize = false;
    ImageScheme->useFitRoutine();
    ImageScheme->setPicture(LoadBitmapA(GetModuleHandleA(nullptr), "BITMAP0"));
    ImageScheme->setSmooth(true);
    ImageScheme->init();

    IfLogArgument = create<TKNIf_else>();
    setUpGreaterThanReal(*IfLogArgument, 0.01);

    MemoError = create<TKNMemo>(parent);
    setUpMemo(*MemoError, {480, 185, 270, 40, colorScrollBar}, 0);

    HubSpare1 = create<TKNHub>();
    setUpHub(*HubSpare1, 1, 5);

    StringsError = create<TKNVisualStrings>();
    StringsError->Lines = rejectionText;
    StringsError->Width = 340;
    StringsError->Height = 18;
    StringsError->Font = windowFont();

    ArrayEnum1 = create<TKNArrayEnum>();
    setUpArrayEnum(*ArrayEnum1);
    ArrayRW1 = create<TKNArrayRW>();
    RealArray1 = create<TKNRealArray>();
    setUpRealArray(*RealArray1);
    ArrayRW2 = create<TKNArrayRW>();
    RealArray2 = create<TKNRealArray>();
    setUpRealArray(*RealArray2);
    ArrayEnum2 = create<TKNArrayEnum>();
    setUpArrayEnum(*ArrayEnum2);

    ForFrequency = create<TKNFor>();
    ForFrequency->Start = 10;
    ForFrequency->End = 83;
    ForFrequency->Step = 1;
    ForFrequency->IncludeEnd = true;
    ForFrequency->InData = false;
    ForFrequency->BreakEvent = false;

    MathScale = create<TKNMathParse>();
    setUpFormula(*MathScale, 1, "1.0 * ( %1 )");
    MathRatio = create<TKNMathParse>();
    setUpFormula(*MathRatio, 2, "(( %2 / %1) ^ 2 - 1.0)");

    ArrayEnum3 = create<TKNArrayEnum>();
    setUpArrayEnum(*ArrayEnum3);
    Message1 = create<TKNMessage>();
    setUpMessage(*Message1);
    HubEnum = create<TKNHub>();
    setUpHub(*HubEnum, 1, 5);
}

void TClassMainForm_4C58060::createTrackBars() {
    TControl* parent = MainForm->getControl();
    TrackStart = create<TKNTrackBar>(parent);
    setUpTrackBar(*TrackStart, {480, 270, 280, 30, colorButtonFace}, 0, 240);
    LabelStart = create<TKNLabel>(parent);
    setUpLabel(*LabelStart, {485, 245, 187, 17, colorButtonFace},
               "Начальная частота воздействия, Гц");
    LabelEnd = create<TKNLabel>(parent);
    setUpLabel(*LabelEnd, {490, 360, 180, 17, colorButtonFace}, "Конечная частота воздействия, Гц");
    TrackEnd = create<TKNTrackBar>(parent);
    setUpTrackBar(*TrackEnd, {480, 385, 280, 30, colorButtonFace}, 11, 250);
    LabelStartMin = create<TKNLabel>(parent);
    setUpLabel(*LabelStartMin, {485, 295, 37, 17, colorButtonFace}, "1.0  Гц");
    LabelStartMax = create<TKNLabel>(parent);
    setUpLabel(*LabelStartMax, {740, 295, 49, 17, colorButtonFace}, "250, 0 Гц");
    LabelEndMin = create<TKNLabel>(parent);
    setUpLabel(*LabelEndMin, {485, 415, 37, 17, colorButtonFace}, "1.0  Гц");
    LabelEndMax = create<TKNLabel>(parent);
    setUpLabel(*LabelEndMax, {735, 410, 49, 17, colorButtonFace}, "250, 0 Гц");

    MathEndFromTrack = create<TKNMathParse>();
    setUpFormula(*MathEndFromTrack, 1, "( %1 + 10.0 )");

    EditStart = create<TKNEdit>(parent);
    setUpEdit(*EditStart, {695, 245, 50, 20, colorWindow, true, false}, "", true);
    HubActivate = create<TKNHub>();
    setUpHub(*HubActivate, 1, 2);
    EditEnd = create<TKNEdit>(parent);
    setUpEdit(*EditEnd, {695, 360, 50, 20, colorWindow, true, false}, "", true);
}

void TClassMainForm_4C58060::createSpares() {
    HubSpare2 = create<TKNHub>();
    setUpHub(*HubSpare2, 2, 5);
    HubSpare3 = create<TKNHub>();
    setUpHub(*HubSpare3, 1, 5);
    HubSpare4 = create<TKNHub>();
    setUpHub(*HubSpare4, 2, 2);
    HubBuild = create<TKNHub>();
    setUpHub(*HubBuild, 1, 15);
    DoDataSpare1 = create<TKNDoData>();
    HubSpare5 = create<TKNHub>();
    setUpHub(*HubSpare5, 1, 2);
    HubEndCorrection = create<TKNHub>();
    setUpHub(*HubEndCorrection, 1, 2);
    DoDataSpare2 = create<TKNDoData>();
    HubTrackStart = create<TKNHub>();
    setUpHub(*HubTrackStart, 2, 2);
    MathSpare1 = create<TKNMathParse>();
    setUpFormula(*MathSpare1, 1, "( %1 * 1.0 )");

    MemoEffect = create<TKNMemo>(MainForm->getControl());
    setUpMemo(*MemoEffect, {375, 520, 305, 190, colorWindow}, 2);

    IfNaturalFreq = create<TKNIf_else>();
    setUpGreaterThanReal(*IfNaturalFreq, 0.001);
    MathEffect = create<TKNMathParse>();
    setUpFormula(*MathEffect, 1, "20.0 * lg ( ( %1 ) )");
    MathSpare2 = create<TKNMathParse>();
    setUpFormula(*MathSpare2, 0, "0.0");
    DoDataSpare3 = create<TKNDoData>();
    DoDataSpare4 = create<TKNDoData>();
    EventFromDataSpare1 = create<TKNEventFromData>();
    DoDataSpare5 = create<TKNDoData>();
    EventFromDataSpare2 = create<TKNEventFromData>();
    MathSpare3 = create<TKNMathParse>();
    setUpFormula(*MathSpare3, 1, "( %1 + 10.0 )");
    HubSpare6 = create<TKNHub>();
    setUpHub(*HubSpare6, 2, 1);
    HubTrackEnd = create<TKNHub>();
    setUpHub(*HubTrackEnd, 3, 1);
    DoDataSpare6 = create<TKNDoData>();
    MathSpare4 = create<TKNMathParse>();
    setUpFormula(*MathSpare4, 1, "( %1 - 10.0 )");
    MathEndFromStart = create<TKNMathParse>();
    setUpFormula(*MathEndFromStart, 1, "( %1 + 10.0 )");

    IfRange = create<TKNIf_else>();
    IfRange->Type = compareGreater;
    setInteger(IfRange->Op1, 0);
    setInteger(IfRange->Op2, 0);

    Message2 = create<TKNMessage>();
    setUpMessage(*Message2);
    HubTrackEndSet = create<TKNHub>();
    setUpHub(*HubTrackEndSet, 2, 1);
}

void TClassMainForm_4C58060::createResults() {
    TControl* parent = MainForm->getControl();
    EditStartInit = create<TKNEdit>(parent);
    setUpEdit(*EditStartInit, {695, 245, 50, 20, colorWindow, false, false}, "2.0", true);
    EditEndInit = create<TKNEdit>(parent);
    setUpEdit(*EditEndInit, {695, 245, 50, 20, colorWindow, false, false}, "20.0", true);
    HubSpare7 = create<TKNHub>();
    setUpHub(*HubSpare7, 1, 2);
    HubResult = create<TKNHub>();
    setUpHub(*HubResult, 1, 4);

    MemoFrequency = create<TKNMemo>(parent);
    setUpMemo(*MemoFrequency, {35, 520, 305, 190, colorWindow}, 2);

    LabelAxisX = create<TKNLabel>(parent);
    setUpLabel(*LabelAxisX, {90, 500, 134, 17, colorButtonFace}, "Частоты воздействия, Гц");
    LabelAxisY = create<TKNLabel>(parent);
    setUpLabel(*LabelAxisY, {440, 500, 104, 17, colorButtonFace}, "Эффективность, дБ");
    LabelTitle = create<TKNLabel>(parent);
    setUpLabel(*LabelTitle, {155, 70, 185, 17, colorButtonFace}, "Эффективность виброизоляции, дБ");
}

void TClassMainForm_4C58060::link() {
    MainForm->outActivate = makeLink<&TKNHub::inEvent>(HubActivate, 0);
    LinesEffect->srcY = makeLink<&TKNMathParse::getResult>(MathEffect, 0);
    LinesEffect->srcX = makeLink<&TKNFor::getPosition>(ForFrequency, 0);
    PointsEffect->srcY = makeLink<&TKNMathParse::getResult>(MathEffect, 0);
    PointsEffect->srcX = makeLink<&TKNFor::getPosition>(ForFrequency, 0);
    ButtonBuild->outClick = makeLink<&TKNHub::inEvent>(HubBuild, 0);
    DoDataNaturalFreq->outData = makeLink<&TKNEdit::inText>(EditNaturalFreqCopy, 0);
    DoDataNaturalFreq->srcData = makeLink<&TKNEdit::getValue>(EditNaturalFreq, 0);
    EditNaturalFreqCopy->outChange = makeLink<&TKNIf_else::inCompare>(IfNaturalFreq, 0);
    IfLogArgument->outTrue = makeLink<&TKNMathParse::inCalc>(MathEffect, 0);
    IfLogArgument->srcOp1 = makeLink<&TKNMathParse::getResult>(MathRatio, 0);
    MemoError->srcText = makeLink<&TKNVisualStrings::getLines>(StringsError, 0);
    ArrayEnum1->outItem = makeLink<&TKNHub::inEvent>(HubEnum, 0);
    ArrayRW1->srcArray = makeLink<&TKNRealArray::getArray>(RealArray1, 0);
    ArrayRW2->srcArray = makeLink<&TKNRealArray::getArray>(RealArray2, 0);
    ForFrequency->outEvent = makeLink<&TKNDoData::inDoData>(DoDataNaturalFreq, 0);
    ForFrequency->srcStart = makeLink<&TKNEdit::getValue>(EditStart, 0);
    ForFrequency->srcEnd = makeLink<&TKNEdit::getValue>(EditEnd, 0);
    MathRatio->outResult = makeLink<&TKNIf_else::inCompare>(IfLogArgument, 0);
    MathRatio->srcArg(1) = makeLink<&TKNEdit::getValue>(EditNaturalFreqCopy, 0);
    MathRatio->srcArg(2) = makeLink<&TKNFor::getPosition>(ForFrequency, 0);
    TrackStart->outPosition = makeLink<&TKNHub::inEvent>(HubTrackStart, 0);
    TrackEnd->outPosition = makeLink<&TKNHub::inEvent>(HubTrackEnd, 0);
    MathEndFromTrack->outResult = makeLink<&TKNHub::inEvent>(HubTrackEndSet, 0);
    EditStart->srcText = makeLink<&TKNTrackBar::getPosition>(TrackStart, 0);
    HubActivate->outEvent[0] = makeLink<&TKNEdit::inText>(EditStartInit, 0);
    EditEnd->srcText = makeLink<&TKNTrackBar::getPosition>(TrackEnd, 0);
    HubBuild->outEvent[0] = makeLink<&TPlotSeries::inClear>(LinesEffect, 1);
    HubBuild->outEvent[1] = makeLink<&TPlotSeries::inClear>(PointsEffect, 1);
    HubBuild->outEvent[2] = makeLink<&TKNWinList::inClear>(MemoFrequency, 1);
    HubBuild->outEvent[3] = makeLink<&TKNWinList::inClear>(MemoEffect, 1);
    HubBuild->outEvent[4] = makeLink<&TKNIf_else::inCompare>(IfRange, 0);
    HubBuild->outEvent[5] = makeLink<&TKNFor::inFor>(ForFrequency, 0);
    HubEndCorrection->outEvent[0] = makeLink<&TKNHub::inEvent>(HubTrackEndSet, 1);
    HubTrackStart->outEvent[0] = makeLink<&TKNMathParse::inCalc>(MathEndFromTrack, 0);
    HubTrackStart->outEvent[1] = makeLink<&TKNEdit::inText>(EditStart, 0);
    linkResults();
}

void TClassMainForm_4C58060::linkResults() {
    MemoEffect->srcText = makeLink<&TKNMathParse::getResult>(MathEffect, 0);
    IfNaturalFreq->outTrue = makeLink<&TKNMathParse::inCalc>(MathRatio, 0);
    IfNaturalFreq->outFalse = makeLink<&TKNWinList::inAdd>(MemoError, 0);
    IfNaturalFreq->srcOp1 = makeLink<&TKNEdit::getValue>(EditNaturalFreqCopy, 0);
    MathEffect->outResult = makeLink<&TKNHub::inEvent>(HubResult, 0);
    MathEffect->srcArg(1) = makeLink<&TKNMathParse::getResult>(MathRatio, 0);
    HubTrackEnd->outEvent[0] = makeLink<&TKNEdit::inText>(EditEnd, 0);
    MathEndFromStart->outResult = makeLink<&TKNHub::inEvent>(HubEndCorrection, 0);
    MathEndFromStart->srcArg(1) = makeLink<&TKNEdit::getValue>(EditStart, 0);
    IfRange->outTrue = makeLink<&TKNMathParse::inCalc>(MathEndFromStart, 0);
    IfRange->srcOp1 = makeLink<&TKNEdit::getValue>(EditStart, 0);
    IfRange->srcOp2 = makeLink<&TKNEdit::getValue>(EditEnd, 0);
    HubTrackEndSet->outEvent[0] = makeLink<&TKNTrackBar::inPosition>(TrackEnd, 0);
    EditStartInit->outChange = makeLink<&TKNTrackBar::inPosition>(TrackStart, 0);
    HubResult->outEvent[0] = makeLink<&TPlotSeries::inAdd>(LinesEffect, 0);
    HubResult->outEvent[1] = makeLink<&TPlotSeries::inAdd>(PointsEffect, 0);
    HubResult->outEvent[2] = makeLink<&TKNWinList::inAdd>(MemoEffect, 0);
    HubResult->outEvent[3] = makeLink<&TKNWinList::inAdd>(MemoFrequency, 0);
    MemoFrequency->srcText = makeLink<&TKNFor::getPosition>(ForFrequency, 0);
}

void TClassMainForm_4C58060::finish() {
    TKNWin* const windows[] = {
        MainForm,      EditNaturalFreq, LabelNaturalFreq,
        PlotterEffect, ButtonBuild,     EditNaturalFreqCopy,
        ImageScheme,   MemoError,       TrackStart,
        LabelStart,    LabelEnd,        TrackEnd,
        LabelStartMin, LabelStartMax,   LabelEndMin,
        LabelEndMax,   EditStart,       EditEnd,
        MemoEffect,    EditStartInit,   EditEndInit,
        MemoFrequency, LabelAxisX,      LabelAxisY,
        LabelTitle,
    };
    for (TKNWin* window : windows) {
        finishWindow(*window);
        if (window == PlotterEffect) {
            // The line first, so the markers are painted over it.
            LinesEffect->attach(PlotterEffect->getPlotter());
            PointsEffect->attach(PlotterEffect->getPlotter());
        }
    }
    enableNavigation(*MainForm->getControl());
}
