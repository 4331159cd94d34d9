#include "toolkit/graphic_tool.h"

#include "toolkit/application.h"
#include "toolkit/gdi_counter.h"
#include "toolkit/wide_text.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr std::uint8_t bsClear = 1;
constexpr std::uint8_t bsFirstHatch = 2;
constexpr std::uint8_t defaultPenMode = 12; // R2_COPYPEN - 1
constexpr LONG boldWeight = 700;

HGDIOBJ createBrushHandle(const TGraphicTool& tool, COLORREF color) {
    const TBrushData& brush = tool.data.brush;
    LOGBRUSH record{};
    record.lbColor = color;
    if (brush.bitmap) {
        record.lbStyle = BS_PATTERN;
        record.lbHatch = reinterpret_cast<ULONG_PTR>(brush.bitmap);
    } else if (brush.brushStyle == 0) {
        record.lbStyle = BS_SOLID;
    } else if (brush.brushStyle == bsClear) {
        record.lbStyle = BS_NULL;
    } else {
        record.lbStyle = BS_HATCHED;
        record.lbHatch = brush.brushStyle - bsFirstHatch;
        record.lbColor = resolveColor(brush.hatchColor);
    }
    return CreateBrushIndirect(&record);
}

HGDIOBJ createFontHandle(const TGraphicTool& tool, COLORREF) {
    const LOGFONTA& font = tool.data.logFont;
    LOGFONTW wide{};
    std::memcpy(&wide, &font, offsetof(LOGFONTA, lfFaceName));
    wide.lfCharSet = fontCharsetFor(font.lfCharSet);
    const std::wstring face =
        toWideText(std::string(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE)));
    face.copy(wide.lfFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectW(&wide);
}

HGDIOBJ createPenHandle(const TGraphicTool& tool, COLORREF color) {
    LOGPEN record{};
    record.lopnStyle = tool.data.pen.penStyle;
    record.lopnWidth.x = tool.data.pen.penWidth;
    record.lopnColor = color;
    return CreatePenIndirect(&record);
}

} // namespace

COLORREF resolveColor(std::int32_t color) {
    if (color < 0)
        return GetSysColor(color & 0xFF);
    return static_cast<COLORREF>(color);
}

TGraphicTool::TGraphicTool(TToolKind kind, std::int32_t color, TToolFactory factory,
                           TToolHandleCreator createHandle)
    : kind(kind), color(color), factory(factory), createHandle(createHandle) {
    std::memset(&data, 0, sizeof data);
}

TGraphicTool::~TGraphicTool() {
    deleteGdiObject(toolHandle);
    setParentTool(nullptr);
}

void TGraphicTool::setColor(std::int32_t value) {
    if (color == value)
        return;
    color = value;
    changed();
}

void TGraphicTool::setParentTool(TGraphicTool* tool) {
    // The parent may be freed by its owner first; the reference keeps it
    // alive for as long as this tool may borrow its handle.
    if (tool) {
        tool->addRef();
        tool->borrowers_.push_back(this);
    }
    if (parentTool) {
        auto& list = parentTool->borrowers_;
        list.erase(std::find(list.begin(), list.end(), this));
        parentTool->release();
    }
    parentTool = tool;
}

// The owner told of the change may free this tool (its control went): the
// tool then goes when this ends, and its owner is not told again.
void TGraphicTool::changed() {
    const TObjHold hold(*this);
    HGDIOBJ old = std::exchange(toolHandle, nullptr);
    onChange(this);
    if (old) {
        deleteGdiObject(old);
        if (!freeRequested())
            onChange(this);
    }
    // A borrower without a handle of its own showed ours or our parent's, and
    // so do its borrowers, at any depth. The list may shrink while a
    // borrower's owner reacts.
    for (std::size_t i = borrowers_.size(); i-- > 0;)
        if (i < borrowers_.size() && !borrowers_[i]->toolHandle)
            borrowers_[i]->changed();
}

bool TGraphicTool::sameSettings(const TGraphicTool& other) const {
    return kind == other.kind && color == other.color &&
           std::memcmp(&data, &other.data, sizeof data) == 0;
}

HGDIOBJ TGraphicTool::getToolHandle() {
    if (toolHandle && resolveColor(color) != resolvedColor)
        changed(); // a system colour changed since the handle was made
    if (toolHandle)
        return toolHandle;
    if (parentTool && sameSettings(*parentTool))
        return parentTool->getToolHandle();
    resolvedColor = resolveColor(color);
    toolHandle = countGdiObject(createHandle(*this, resolvedColor));
    return toolHandle;
}

std::uint8_t TGraphicTool::fontStyle() const {
    const LOGFONTA& font = data.logFont;
    std::uint8_t bits = 0;
    if (font.lfWeight >= boldWeight)
        bits |= 1;
    if (font.lfItalic)
        bits |= 2;
    if (font.lfUnderline)
        bits |= 4;
    if (font.lfStrikeOut)
        bits |= 8;
    return bits;
}

void TGraphicTool::setFontStyle(std::uint8_t bits) {
    bits &= 0x0F;
    if (bits == fontStyle())
        return;
    LOGFONTA& font = data.logFont;
    if (bits & 1) {
        if (font.lfWeight < boldWeight)
            font.lfWeight = boldWeight;
    } else if (font.lfWeight >= boldWeight) {
        font.lfWeight = 0;
    }
    font.lfItalic = (bits & 2) ? 1 : 0;
    font.lfUnderline = (bits & 4) ? 1 : 0;
    font.lfStrikeOut = (bits & 8) ? 1 : 0;
    changed();
}

void TGraphicTool::setFontHeight(std::int32_t height) {
    if (data.logFont.lfHeight == height)
        return;
    data.logFont.lfHeight = height;
    changed();
}

void TGraphicTool::setFontName(const std::string& name) {
    char face[LF_FACESIZE] = {};
    name.copy(face, LF_FACESIZE - 1);
    if (std::memcmp(face, data.logFont.lfFaceName, LF_FACESIZE) == 0)
        return;
    std::memcpy(data.logFont.lfFaceName, face, LF_FACESIZE);
    changed();
}

void TGraphicTool::setFontCharset(std::uint8_t charset) {
    if (data.logFont.lfCharSet == charset)
        return;
    data.logFont.lfCharSet = charset;
    changed();
}

void TGraphicTool::setBrushStyle(std::uint8_t style) {
    if (data.brush.brushStyle == style)
        return;
    data.brush.brushStyle = style;
    changed();
}

void TGraphicTool::setBrushBitmap(HBITMAP bitmap) {
    if (data.brush.bitmap == bitmap)
        return;
    data.brush.bitmap = bitmap;
    changed();
}

void TGraphicTool::setHatchColor(std::int32_t value) {
    if (data.brush.hatchColor == value)
        return;
    data.brush.hatchColor = value;
    changed();
}

void TGraphicTool::setPenStyle(std::uint8_t style) {
    if (data.pen.penStyle == style)
        return;
    data.pen.penStyle = style;
    changed();
}

void TGraphicTool::setPenWidth(std::int32_t width) {
    if (data.pen.penWidth == width)
        return;
    data.pen.penWidth = width;
    changed();
}

void TGraphicTool::setPenMode(std::uint8_t mode) {
    if (data.pen.penMode == mode)
        return;
    data.pen.penMode = mode;
    changed();
}

TGraphicTool* newBrush() {
    application.brushToolsMade = true;
    return new TGraphicTool(TToolKind::brush, clButtonFace, newBrush, createBrushHandle);
}

TGraphicTool* newFont() {
    auto* tool = new TGraphicTool(TToolKind::font, clWindowText, newFont, createFontHandle);
    tool->data.logFont.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(tool->data.logFont.lfFaceName, "MS Sans Serif");
    return tool;
}

TGraphicTool* newPen() {
    auto* tool = new TGraphicTool(TToolKind::pen, 0, newPen, createPenHandle);
    tool->data.pen.penMode = defaultPenMode;
    return tool;
}

TGraphicTool* assignTool(TGraphicTool* destination, const TGraphicTool* source) {
    if (!source) {
        TObj::freeObject(destination);
        return nullptr;
    }
    if (!destination)
        destination = source->factory();
    if (destination == source || destination->sameSettings(*source))
        return destination;
    destination->changed();
    destination->color = source->color;
    std::memcpy(&destination->data, &source->data, sizeof destination->data);
    return destination;
}

TGraphicTool* cloneTool(TGraphicTool* source) {
    TGraphicTool* tool = assignTool(nullptr, source);
    tool->setParentTool(source);
    return tool;
}
