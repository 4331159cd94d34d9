// TBitmap: an off-screen image with its own canvas, copied to any DC. The
// image is a device-dependent bitmap or a device-independent one in one of
// eight pixel formats; a DIB may live as plain memory until a handle is
// needed, when it becomes a DIB section.
#pragma once

#include "toolkit/canvas.h"
#include "toolkit/obj.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>

enum THandleType : std::uint8_t { bmDIB = 0, bmDDB = 1 };

enum TPixelFormat : std::uint8_t {
    pfDevice = 0, // as a DIB: the 5-6-5 format
    pf1Bit = 1,
    pf4Bit = 2,
    pf8Bit = 3,
    pf15Bit = 4, // sixteen bits without masks
    pf16Bit = 5, // sixteen bits, masks 5-6-5
    pf24Bit = 6,
    pf32Bit = 7
};

// A DIB header with room for a full colour table (or the three masks).
struct TDibHeader {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};
static_assert(sizeof(TDibHeader) == 1064);

std::uint8_t bitsPerPixel(std::uint8_t pixelFormat);
// Bytes of one scan line: whole 32-bit words.
std::int32_t scanLineSize(std::int32_t width, std::uint8_t bitsPerPixel);

class TBitmap : public TObj {
public:
    // A device-dependent bitmap; no image is made while a size is 0.
    TBitmap(std::int32_t width, std::int32_t height);

    std::int32_t height = 0;
    std::int32_t width = 0;
    HBITMAP bitmapHandle = nullptr; // nil when the image is plain DIB memory or none
    TCanvas* canvas = nullptr;      // owned, made by getBitmapCanvas
    std::int32_t bkColor = 0;       // fills areas a re-format adds
    HBITMAP savedBitmap = nullptr;  // selected in the canvas DC before ours
    std::uint8_t handleType = bmDDB;
    std::unique_ptr<TDibHeader> dibHeader; // nil for a DDB
    void* dibBits = nullptr;
    std::size_t dibSize = 0;
    std::uint8_t pixelFormat = pfDevice;
    bool ownsBits = false; // the pixel memory belongs to a DIB section

    bool isEmpty() const { return width == 0 || height == 0; }
    // Each keeps the old pixels at the top left; a new area takes bkColor.
    void setWidth(std::int32_t value);
    void setHeight(std::int32_t value); // also makes the image device-dependent
    void setHandleType(std::uint8_t value);
    void setPixelFormat(std::uint8_t value);
    void setBkColor(std::int32_t value);
    // Takes over a bitmap handle; an unreadable one leaves the bitmap empty.
    void takeHandle(HBITMAP handle);
    // The image as a handle; DIB memory becomes a DIB section. 0 when empty
    // or when no section can be made.
    HBITMAP getHandle();
    // A canvas drawing into the image, or nil when there is none.
    TCanvas* getBitmapCanvas();
    // Lets go of the canvas's selection so the handle can be used elsewhere.
    void releaseCanvas();
    void draw(HDC dc, std::int32_t x, std::int32_t y);
    void stretchDraw(HDC dc, const RECT& rect);

protected:
    ~TBitmap() override;

private:
    void reformat();
    void freeImage();
    SIZE imageSize() const;
    bool copyImage(HDC dc, const RECT& target, SIZE size);
    bool copyFromCanvas(HDC dc, const RECT& target, SIZE size);
    void drawInto(HDC dc, const RECT& target, SIZE size);
    void takeDeviceImage(HDC memoryDC, HBITMAP image);
    void canvasChanged(TCanvas* changed);

    std::unique_ptr<std::byte[]> ownMemory_; // DIB memory not in a section
    HDC selectedIn_ = nullptr;               // the canvas DC holding our image
};

TBitmap* newBitmap(std::int32_t width, std::int32_t height);
