// TCanvas: one device context and the pen, brush and font it draws with.
// Each drawing call first makes sure the DC and the tools it needs are in
// place; a tool stays selected until the DC or the tool changes, so repeated
// calls cost one GDI call each.
#pragma once

#include "toolkit/control.h"
#include "toolkit/graphic_tool.h"
#include "toolkit/obj.h"

#include <windows.h>

#include <cstdint>
#include <string_view>

// Bits of TCanvas::selected and of the state a drawing call requires.
enum TCanvasState : std::uint8_t {
    csHandle = 1,
    csPen = 2,
    csBrush = 4,
    csFont = 8,
    csNotify = 16 // not a state: tell onChange before drawing
};

class TCanvas : public TObj {
public:
    explicit TCanvas(TControl* owner = nullptr) : owner(owner) {}

    TControl* owner;
    HDC dc = nullptr;
    POINT penPos{};
    TGraphicTool* brush = nullptr; // owned, made on demand
    TGraphicTool* font = nullptr;
    TGraphicTool* pen = nullptr;
    std::uint8_t selected = 0;
    DWORD copyMode = SRCCOPY;
    TMethod<TCanvas*> onChange;       // before drawing calls that ask for it
    TFuncMethod<HDC, TCanvas*> getDC; // supplies a DC when one is needed
    bool isPaintDC = false;           // the DC belongs to the owner's paint cycle
    bool dcFromWindow = false;        // the DC came from GetDC of the owner's window

    // The tools, made on first request; a control canvas clones the control's
    // brush and font.
    TGraphicTool& brushTool();
    TGraphicTool& fontTool();
    TGraphicTool& penTool();

    // Attaches a DC (nil: none), giving the old one back first.
    void setDC(HDC value);
    // Makes sure of the DC and the tools named by the bits; returns the DC.
    HDC require(std::uint8_t bits);
    // Puts the stock objects back into the DC, so no tool of ours stays
    // selected; the tools are selected again by the next drawing call.
    void deselectTools();

    void moveTo(std::int32_t x, std::int32_t y);
    void lineTo(std::int32_t x, std::int32_t y);
    void rectangle(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
    void ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
    void polygon(const POINT* points, std::int32_t count);
    void fillRect(const RECT& rect);
    void textOut(std::int32_t x, std::int32_t y, std::string_view text);
    void drawText(std::string_view text, RECT& rect, UINT format);
    // Text at (x, y), clipped to the rectangle.
    void textRect(const RECT& rect, std::int32_t x, std::int32_t y, std::string_view text);
    SIZE textExtent(std::string_view text);
    // The height of one line of text in the current font.
    std::int32_t lineHeight();

protected:
    ~TCanvas() override;

private:
    void adoptTool(TGraphicTool*& slot, TGraphicTool* tool);
    void toolChanged(TGraphicTool*) { deselectTools(); }
    void selectFont();
    void selectPen(std::uint8_t& bits);
    void selectBrush();
    // Runs measure(dc) with the font selected, on a DC borrowed for the
    // purpose when the canvas holds none.
    template <class Measure> void measureWith(Measure&& measure);
};

// The canvas of a control, made once and cached in the control.
TCanvas* getCanvas(TControl& control);
