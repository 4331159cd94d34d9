#include "toolkit/canvas.h"

#include "toolkit/gdi_counter.h"
#include "toolkit/wide_text.h"

#include <iterator>
#include <string>

namespace {

constexpr std::uint8_t toolBits = csPen | csBrush | csFont;
constexpr std::uint8_t firstBrokenPenStyle = PS_DASH; // dashed and dotted styles
constexpr std::uint8_t lastBrokenPenStyle = PS_DASHDOTDOT;

// Text for the wide drawing calls: short texts (all a plot draws) need no
// allocation. Code page 1251 is single-byte, so the lengths agree.
class WideText {
public:
    explicit WideText(std::string_view text) {
        if (text.size() <= std::size(inline_)) {
            const int length = text.empty()
                                   ? 0
                                   : MultiByteToWideChar(cyrillicCodePage, 0, text.data(),
                                                         static_cast<int>(text.size()), inline_,
                                                         static_cast<int>(std::size(inline_)));
            data_ = inline_;
            length_ = length;
        } else {
            heap_ = toWideText(text);
            data_ = heap_.data();
            length_ = static_cast<int>(heap_.size());
        }
    }
    const wchar_t* data() const { return data_; }
    int length() const { return length_; }

private:
    wchar_t inline_[128];
    std::wstring heap_;
    const wchar_t* data_;
    int length_;
};

struct StockObjects {
    HGDIOBJ pen = GetStockObject(BLACK_PEN);
    HGDIOBJ brush = GetStockObject(NULL_BRUSH);
    HGDIOBJ font = GetStockObject(SYSTEM_FONT);
};

const StockObjects& stockObjects() {
    static const StockObjects objects;
    return objects;
}

TGraphicTool* cloneTool(TGraphicTool& source) {
    TGraphicTool* tool = assignTool(nullptr, &source);
    tool->setParentTool(&source);
    return tool;
}

} // namespace

TCanvas::~TCanvas() {
    setDC(nullptr);
    TObj::freeObject(pen);
    TObj::freeObject(brush);
    TObj::freeObject(font);
}

// A drawing call made before the tool existed marked its slot selected with
// whatever the DC held: the new tool must be selected by the next call.
void TCanvas::adoptTool(TGraphicTool*& slot, TGraphicTool* tool) {
    slot = tool;
    tool->onChange = bindMethod<&TCanvas::toolChanged, TGraphicTool*>(this);
    deselectTools();
}

TGraphicTool& TCanvas::brushTool() {
    if (!brush) {
        if (owner) {
            TGraphicTool* tool = cloneTool(owner->brushTool());
            tool->color = owner->color();
            adoptTool(brush, tool);
        } else {
            adoptTool(brush, newBrush());
        }
    }
    return *brush;
}

TGraphicTool& TCanvas::fontTool() {
    if (!font) {
        if (owner) {
            TGraphicTool* tool = cloneTool(owner->fontTool());
            tool->color = owner->textColor();
            adoptTool(font, tool);
        } else {
            adoptTool(font, newFont());
        }
    }
    return *font;
}

TGraphicTool& TCanvas::penTool() {
    if (!pen)
        adoptTool(pen, newPen());
    return *pen;
}

void TCanvas::deselectTools() {
    if (!(selected & toolBits))
        return;
    const StockObjects& stock = stockObjects();
    SelectObject(dc, stock.pen);
    SelectObject(dc, stock.brush);
    SelectObject(dc, stock.font);
    selected &= static_cast<std::uint8_t>(~toolBits);
}

void TCanvas::setDC(HDC value) {
    if (value == dc)
        return;
    if (dc) {
        deselectTools();
        POINT position{};
        if (GetCurrentPositionEx(dc, &position))
            penPos = position;
        const bool ownersPaintDC = isPaintDC || (owner && owner->paintDC() == dc);
        if (!ownersPaintDC) {
            if (dcFromWindow)
                ReleaseDC(owner ? owner->handle : nullptr, dc);
            else
                deleteMemoryDC(dc);
        }
        dc = nullptr;
        isPaintDC = false;
        dcFromWindow = false;
        selected &= static_cast<std::uint8_t>(~csHandle);
    }
    if (value) {
        selected |= csHandle;
        dc = value;
        MoveToEx(dc, penPos.x, penPos.y, nullptr);
    }
}

void TCanvas::selectFont() {
    if (font) {
        SelectObject(dc, font->getToolHandle());
        SetTextColor(dc, resolveColor(font->color));
    } else if (owner) {
        SetTextColor(dc, resolveColor(owner->textColor()));
    }
}

void TCanvas::selectPen(std::uint8_t& bits) {
    if (!pen)
        return;
    SelectObject(dc, pen->getToolHandle());
    SetROP2(dc, pen->data.pen.penMode + 1);
    const std::uint8_t style = pen->data.pen.penStyle;
    // The gaps of a broken line are painted with the background colour.
    if (style >= firstBrokenPenStyle && style <= lastBrokenPenStyle)
        bits |= csBrush;
}

void TCanvas::selectBrush() {
    if (brush) {
        SelectObject(dc, brush->getToolHandle());
        const COLORREF color = resolveColor(brush->color);
        if (brush->data.brush.brushStyle == 0 && !brush->data.brush.bitmap) {
            SetBkColor(dc, color);
            SetBkMode(dc, OPAQUE);
        } else {
            SetBkColor(dc, ~color & 0xFFFFFF);
            SetBkMode(dc, TRANSPARENT);
        }
    } else if (owner) {
        SetBkColor(dc, resolveColor(owner->color()));
        SetBkMode(dc, OPAQUE);
    }
}

HDC TCanvas::require(std::uint8_t bits) {
    if (bits & csNotify)
        onChange(this);
    if (!dc && getDC) {
        HDC supplied = getDC(this);
        if (supplied)
            setDC(supplied);
    }
    if (!dc)
        return nullptr;
    std::uint8_t missing = bits & toolBits & static_cast<std::uint8_t>(~selected);
    if (missing & csFont)
        selectFont();
    if (missing & csPen) {
        selectPen(bits);
        missing = bits & toolBits & static_cast<std::uint8_t>(~selected);
    }
    if (missing & csBrush)
        selectBrush();
    selected |= missing;
    return dc;
}

void TCanvas::moveTo(std::int32_t x, std::int32_t y) {
    MoveToEx(require(csHandle), x, y, nullptr);
    penPos = {x, y};
}

void TCanvas::lineTo(std::int32_t x, std::int32_t y) {
    LineTo(require(csHandle | csPen | csBrush | csNotify), x, y);
    penPos = {x, y};
}

void TCanvas::rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                        std::int32_t bottom) {
    Rectangle(require(csHandle | csPen | csBrush | csNotify), left, top, right, bottom);
}

void TCanvas::ellipse(std::int32_t left, std::int32_t top, std::int32_t right,
                      std::int32_t bottom) {
    Ellipse(require(csHandle | csPen | csBrush | csNotify), left, top, right, bottom);
}

void TCanvas::polygon(const POINT* points, std::int32_t count) {
    if (!points || count <= 0)
        return;
    Polygon(require(csHandle | csPen | csBrush | csNotify), points, count);
}

void TCanvas::fillRect(const RECT& rect) {
    HDC target = require(csHandle | csBrush | csNotify);
    if (brush) {
        FillRect(target, &rect, static_cast<HBRUSH>(brush->getToolHandle()));
    } else if (owner && owner->brush()) {
        FillRect(target, &rect, static_cast<HBRUSH>(owner->brush()->getToolHandle()));
    } else if (owner) {
        HBRUSH temporary = countGdiObject(CreateSolidBrush(resolveColor(owner->color())));
        FillRect(target, &rect, temporary);
        deleteGdiObject(temporary);
    } else {
        FillRect(target, &rect, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
    }
}

void TCanvas::textOut(std::int32_t x, std::int32_t y, std::string_view text) {
    const WideText wide(text);
    TextOutW(require(csHandle | csBrush | csFont | csNotify), x, y, wide.data(), wide.length());
}

void TCanvas::drawText(std::string_view text, RECT& rect, UINT format) {
    const WideText wide(text);
    // DrawText may write into its text with DT_MODIFYSTRING: never asked here.
    DrawTextW(require(csHandle | csBrush | csFont | csNotify), wide.data(), wide.length(), &rect,
              format & ~static_cast<UINT>(DT_MODIFYSTRING));
}

void TCanvas::textRect(const RECT& rect, std::int32_t x, std::int32_t y, std::string_view text) {
    const WideText wide(text);
    ExtTextOutW(require(csHandle | csBrush | csFont | csNotify), x, y, ETO_CLIPPED, &rect,
                wide.data(), static_cast<UINT>(wide.length()), nullptr);
}

template <class Measure> void TCanvas::measureWith(Measure&& measure) {
    bool attachedHere = false;
    if (!dc) {
        setDC(createMemoryDC(nullptr));
        attachedHere = true;
    }
    if (HDC target = require(csHandle | csFont))
        measure(target);
    // A DC fetched from the window only to measure is not held; a DC the
    // canvas was given (a bitmap's) stays.
    if (attachedHere || dcFromWindow)
        setDC(nullptr);
}

SIZE TCanvas::textExtent(std::string_view text) {
    SIZE size{};
    const WideText wide(text);
    measureWith(
        [&](HDC target) { GetTextExtentPoint32W(target, wide.data(), wide.length(), &size); });
    return size;
}

std::int32_t TCanvas::lineHeight() {
    TEXTMETRICW metrics{};
    measureWith([&](HDC target) { GetTextMetricsW(target, &metrics); });
    return metrics.tmHeight;
}

namespace {

HDC controlCanvasDC(void*, TCanvas* canvas) {
    TControl* owner = canvas->owner;
    if (owner->paintDC()) {
        canvas->isPaintDC = true;
        return owner->paintDC();
    }
    if (canvas->dc)
        return canvas->dc;
    HDC windowDC = GetDC(owner->getHandle());
    canvas->dcFromWindow = windowDC != nullptr;
    return windowDC;
}

} // namespace

TCanvas* getCanvas(TControl& control) {
    if (!control.canvas()) {
        auto* canvas = new TCanvas(&control);
        canvas->getDC = {controlCanvasDC, nullptr};
        control.setCanvas(canvas);
    }
    return control.canvas();
}
