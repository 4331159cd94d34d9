// TGraphicTool: a brush, font or pen held as plain values; the GDI object is
// made on first need and dropped when a property changes. A tool cloned from
// another keeps that one as its parent and borrows its handle while their
// settings are equal.
#pragma once

#include "runtime/method.h"
#include "toolkit/obj.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

enum class TToolKind : std::uint8_t { brush = 0, font = 1, pen = 2 };

constexpr std::int32_t clButtonFace = static_cast<std::int32_t>(0x8000000F);
constexpr std::int32_t clWindowText = static_cast<std::int32_t>(0x80000008);

// A negative colour names a system colour by its low byte.
COLORREF resolveColor(std::int32_t color);

struct TBrushData {
    HBITMAP bitmap;
    std::uint8_t brushStyle; // 0 solid, 1 clear, 2.. hatched with style - 2
    std::int32_t hatchColor;
};

struct TPenData {
    std::uint8_t penStyle;
    std::int32_t penWidth;
    std::uint8_t penMode; // the ROP2 mode is penMode + 1
};

// The kind data is compared as one block when deciding whether a handle can
// be shared, so it is zeroed whole before any field is set.
union TToolData {
    TBrushData brush;
    TPenData pen;
    LOGFONTA logFont;
};
static_assert(sizeof(LOGFONTA) == 60);

class TGraphicTool;
using TToolFactory = TGraphicTool* (*)();
using TToolHandleCreator = HGDIOBJ (*)(const TGraphicTool& tool, COLORREF color);

class TGraphicTool : public TObj {
public:
    TGraphicTool(TToolKind kind, std::int32_t color, TToolFactory factory,
                 TToolHandleCreator createHandle);

    TToolKind kind;
    HGDIOBJ toolHandle = nullptr;
    TGraphicTool* parentTool = nullptr; // referenced while set
    TMethod<TGraphicTool*> onChange;    // called when the handle is dropped
    COLORREF resolvedColor = 0;
    std::int32_t color;
    TToolData data;
    TToolFactory factory;
    TToolHandleCreator createHandle;

    void setColor(std::int32_t value);
    void setParentTool(TGraphicTool* tool);
    // Drops the handle (telling onChange before and after it is deleted);
    // tools that borrowed it are told after it.
    void changed();
    // The handle to draw with: made now, or borrowed from an equal parent.
    HGDIOBJ getToolHandle();
    bool sameSettings(const TGraphicTool& other) const;

    // Font settings.
    std::uint8_t fontStyle() const; // 1 bold, 2 italic, 4 underline, 8 strike-out
    void setFontStyle(std::uint8_t bits);
    void setFontHeight(std::int32_t height);
    void setFontName(const std::string& name);
    void setFontCharset(std::uint8_t charset);
    // Brush settings.
    void setBrushStyle(std::uint8_t style);
    void setBrushBitmap(HBITMAP bitmap); // a pattern; the tool does not own it
    void setHatchColor(std::int32_t value);
    // Pen settings.
    void setPenStyle(std::uint8_t style); // the Win32 pen style
    void setPenWidth(std::int32_t width);
    void setPenMode(std::uint8_t mode); // the ROP2 mode is mode + 1

protected:
    ~TGraphicTool() override;

private:
    std::vector<TGraphicTool*> borrowers_; // the tools whose parent this is
};

TGraphicTool* newBrush();
TGraphicTool* newFont();
TGraphicTool* newPen();

// Copies the source's colour and kind data into the destination (made from the
// source's factory when nil); nil source frees the destination. Returns the
// destination.
TGraphicTool* assignTool(TGraphicTool* destination, const TGraphicTool* source);
// A copy that borrows the source's handle while their settings are equal.
TGraphicTool* cloneTool(TGraphicTool* source);
