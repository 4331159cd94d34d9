// TKNWin: the element that owns one window. The schematic writes its
// properties, then `init` copies them into the toolkit control and turns the
// control's mouse, keyboard, focus, size and visibility handlers into the
// element's output events.
#pragma once

#include "elements/element.h"
#include "runtime/font.h"
#include "runtime/links.h"
#include "toolkit/control.h"

#include <cstdint>
#include <string>

// An optional manager that places controls; none in this application.
class TKNLayoutManager {
public:
    virtual void registerControl(TControl& control, std::int32_t param1, std::int32_t param2) = 0;
    virtual void unregisterControl(TControl& control) = 0;

protected:
    ~TKNLayoutManager() = default;
};

class TKNHintManager;
struct TTipInterface;
struct TTipRecord;

// (element) -> its control
using TControlAccessor = TFuncMethod<TControl*>;

class TKNWin : public TKNElement {
public:
    explicit TKNWin(TControl* parent);
    ~TKNWin() override;

    // The creation step: configures the window from the properties.
    virtual void init();
    // The window's place and size on this screen: the properties, which are
    // pixels at 96 dpi, scaled to the screen's resolution.
    virtual RECT placement() const;
    // Lays the window out again after the screen's resolution changed: its
    // place, its size and its font.
    virtual void rescale();
    // Through this any element obtains the window's control.
    const TControlAccessor& getInterfaceControl() const { return controlAccessor; }

    // A given manager also gets the enter, leave and move notifications;
    // with none, only a non-empty Hint registers, with the program's manager.
    void attachHint(TKNHintManager* manager);
    void attachLayout(TKNLayoutManager* manager);

    TControl* getControl() const { return control; }

    TControlAccessor controlAccessor;
    bool windowDestroyed = false; // the toolkit destroyed the control already
    TControl* parentControl = nullptr;
    TMessageMethod previousMessageHandler;
    TMouseRecord lastMouse;
    std::int32_t keyResult = -1;
    TTipRecord* tooltipId = nullptr;
    TTipInterface* hintManager = nullptr; // the manager's operations
    TKNLayoutManager* layoutManager = nullptr;
    TKN_Event outMouseEnter, outMouseLeave;

    // Properties.
    std::string Name;
    std::int32_t Left = 0, Top = 0, Width = 0, Height = 0;
    std::uint8_t Align = 0;
    std::int32_t TabOrder = 0;
    std::int32_t Color = clButtonFace;
    std::uint8_t Ctl3D = 2;
    std::string Hint;
    TFontRec Font;
    bool ParentFont = false;
    bool Transparent = false;
    bool Visible = true;
    bool Enabled = true;
    std::int32_t Cursor = 0;
    bool mouseCapture = false;
    bool keyPreview = true;
    std::uint8_t Edge = 0;
    std::int32_t LayoutParam1 = 0, LayoutParam2 = 0;

    TKN_Event outKeyDown, outKeyUp, outKeyPress;
    TKN_Event outMouseDown, outMouseMove, outMouseUp, outMouseWheel;
    TKN_Event outSetFocus, outKillFocus, outDblClick;
    TKN_Event outResize, outShow, outHide, outMove;
    TKN_Event sizingWidth, sizingHeight;

protected:
    virtual void keyDown(TControl* sender, std::int32_t& key, std::uint32_t shift);
    virtual void keyUp(TControl* sender, std::int32_t& key, std::uint32_t shift);
    virtual void keyChar(TControl* sender, char& character, std::uint32_t shift);
    virtual void mouseDown(TControl* sender, TMouseRecord& record);
    virtual void mouseMove(TControl* sender, TMouseRecord& record);
    virtual void mouseEnter(TControl* sender);
    virtual void mouseLeave(TControl* sender);
    virtual void mouseUp(TControl* sender, TMouseRecord& record);
    virtual void mouseWheel(TControl* sender, TMouseRecord& record);
    virtual bool message(TMessage& msg, LRESULT& result);
    virtual void controlDestroyed(TObj* sender);
    virtual void resize(TControl* sender);
    virtual void show(TControl* sender);
    virtual void hide(TControl* sender);

    // Frees the control unless the toolkit already did; safe to call twice.
    void releaseControl();
    // The font from the properties, its height at the screen's resolution.
    void applyFont();
    // Installs mouseEnter and mouseLeave as the control's handlers.
    void installEnterLeave();

    TControl* control = nullptr; // owned

private:
    TControl* accessControl() { return control; }
    void previewKeyDown(TControl* sender, std::int32_t& key, std::uint32_t shift);
    void previewKeyUp(TControl* sender, std::int32_t& key, std::uint32_t shift);
    void mouseDblClk(TControl* sender, TMouseRecord& record);
    void applyBorder();
    void applyTabOrder();
    void applyEdge();
    void installHandlers();
    void detach(TControl& owned);
    void registerTip(TKNHintManager& manager);
    void removeTip();
    void applySizingHook(const TKN_Event& hook, int& proposed, int current);
};

// The button code of a mouse record as the events carry it: 0 left,
// 1 right, 2 middle, -1 none.
std::int32_t mouseButtonCode(const TMouseRecord& record);
