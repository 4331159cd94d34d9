// TKNImage: a picture drawn scaled into its window, by default kept whole,
// centred and surrounded by the background colour.
#pragma once

#include "visual/win_element.h"

#include <cstdint>

class TBitmap;

class TKNImage : public TKNWin {
public:
    explicit TKNImage(TControl* parent);
    ~TKNImage() override;

    void init() override;
    // The picture takes over the handle.
    void setPicture(HBITMAP bitmap);
    // Half-tone stretching where the system has it, else colour-on-colour.
    void setSmooth(bool flag);
    // The two layouts: the whole picture inside the window, or the window
    // covered by the picture (cropped).
    void useFitRoutine() { drawRoutine = bindMethod<&TKNImage::drawFit, HDC>(this); }
    void useFillRoutine() { drawRoutine = bindMethod<&TKNImage::drawFill, HDC>(this); }

    TBitmap* picture = nullptr; // owned
    std::int32_t stretchMode = COLORONCOLOR;
    TMethod<HDC> drawRoutine;
    bool AutoSize = false;
    TKN_Event outClick;

private:
    void drawFit(HDC dc) { drawScaled(dc, false); }
    void drawFill(HDC dc) { drawScaled(dc, true); }
    void drawScaled(HDC dc, bool cover);
    void paint(TControl* sender, HDC dc);
    void clicked(TControl* sender);
};

// Where a picture of the given size goes in a client area of the given size
// so that it keeps its proportions: inside it (cover false) or covering it.
RECT scaledPictureRect(std::int32_t clientWidth, std::int32_t clientHeight,
                       std::int32_t pictureWidth, std::int32_t pictureHeight, bool cover);
