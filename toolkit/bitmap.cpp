#include "toolkit/bitmap.h"

#include "toolkit/gdi_counter.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr DWORD redMask565 = 0xF800;
constexpr DWORD greenMask565 = 0x7E0;
constexpr DWORD blueMask565 = 0x1F;

BITMAPINFO* asInfo(TDibHeader& header) {
    return reinterpret_cast<BITMAPINFO*>(&header);
}

std::unique_ptr<TDibHeader> makeDibHeader(std::int32_t width, std::int32_t height,
                                          std::uint8_t pixelFormat) {
    auto result = std::make_unique<TDibHeader>();
    std::memset(result.get(), 0, sizeof(TDibHeader));
    BITMAPINFOHEADER& header = result->header;
    const std::uint8_t bits = bitsPerPixel(pixelFormat);
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = bits;
    header.biSizeImage =
        static_cast<DWORD>(scanLineSize(width, bits)) * static_cast<DWORD>(std::abs(height));
    if (pixelFormat == pf16Bit || pixelFormat == pfDevice) {
        header.biCompression = BI_BITFIELDS;
        const DWORD masks[3] = {redMask565, greenMask565, blueMask565};
        std::memcpy(result->colors, masks, sizeof masks);
    }
    return result;
}

void fillWithColor(HDC dc, std::int32_t width, std::int32_t height, std::int32_t color) {
    HBRUSH brush = countGdiObject(CreateSolidBrush(resolveColor(color)));
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, brush);
    deleteGdiObject(brush);
}

// Runs the body with the bitmap selected into a fresh memory DC.
template <class Body> void withBitmapDC(HBITMAP bitmap, Body body) {
    HDC dc = createMemoryDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    body(dc);
    SelectObject(dc, previous);
    deleteMemoryDC(dc);
}

} // namespace

std::uint8_t bitsPerPixel(std::uint8_t pixelFormat) {
    static constexpr std::uint8_t table[8] = {16, 1, 4, 8, 16, 16, 24, 32};
    return pixelFormat < 8 ? table[pixelFormat] : table[pfDevice];
}

std::int32_t scanLineSize(std::int32_t width, std::uint8_t bitsPerPixel) {
    const std::int64_t bits = static_cast<std::int64_t>(bitsPerPixel) * width + 31;
    return static_cast<std::int32_t>((bits / 8) & ~std::int64_t{3});
}

TBitmap::TBitmap(std::int32_t width, std::int32_t height) : height(height), width(width) {
    if (isEmpty())
        return;
    HDC screen = GetDC(nullptr);
    bitmapHandle = countGdiObject(CreateCompatibleBitmap(screen, width, height));
    ReleaseDC(nullptr, screen);
}

TBitmap* newBitmap(std::int32_t width, std::int32_t height) {
    return new TBitmap(width, height);
}

TBitmap::~TBitmap() {
    releaseCanvas();
    TObj::freeObject(canvas);
    canvas = nullptr;
    freeImage();
}

void TBitmap::freeImage() {
    releaseCanvas();
    deleteGdiObject(bitmapHandle);
    bitmapHandle = nullptr;
    ownMemory_.reset();
    dibBits = nullptr;
    dibSize = 0;
    dibHeader.reset();
    ownsBits = false;
}

void TBitmap::releaseCanvas() {
    if (selectedIn_ && canvas && canvas->dc == selectedIn_)
        SelectObject(selectedIn_, savedBitmap);
    selectedIn_ = nullptr;
}

void TBitmap::setWidth(std::int32_t value) {
    if (value == width)
        return;
    width = value;
    reformat();
}

void TBitmap::setHeight(std::int32_t value) {
    if (value == height)
        return;
    height = value;
    handleType = bmDDB;
    reformat();
}

void TBitmap::setHandleType(std::uint8_t value) {
    if (value == handleType)
        return;
    handleType = value;
    reformat();
}

void TBitmap::setPixelFormat(std::uint8_t value) {
    if (value == pixelFormat)
        return;
    pixelFormat = value;
    if (handleType == bmDIB)
        reformat();
}

void TBitmap::setBkColor(std::int32_t value) {
    bkColor = value;
    if (canvas)
        canvas->brushTool().setColor(value);
}

SIZE TBitmap::imageSize() const {
    if (dibHeader)
        return {dibHeader->header.biWidth, std::abs(dibHeader->header.biHeight)};
    BITMAP record{};
    if (bitmapHandle && GetObjectW(bitmapHandle, sizeof record, &record))
        return {record.bmWidth, std::abs(record.bmHeight)};
    return {0, 0};
}

bool TBitmap::copyImage(HDC dc, const RECT& target, SIZE size) {
    const int targetWidth = target.right - target.left;
    const int targetHeight = target.bottom - target.top;
    if (bitmapHandle) {
        withBitmapDC(bitmapHandle, [&](HDC source) {
            if (targetWidth == size.cx && targetHeight == size.cy)
                BitBlt(dc, target.left, target.top, size.cx, size.cy, source, 0, 0, SRCCOPY);
            else
                StretchBlt(dc, target.left, target.top, targetWidth, targetHeight, source, 0, 0,
                           size.cx, size.cy, SRCCOPY);
        });
        return true;
    }
    if (!dibBits || !dibHeader)
        return false;
    const int lines =
        StretchDIBits(dc, target.left, target.top, targetWidth, targetHeight, 0, 0, size.cx,
                      size.cy, dibBits, asInfo(*dibHeader), DIB_RGB_COLORS, SRCCOPY);
    return lines != 0 && lines != static_cast<int>(GDI_ERROR);
}

void TBitmap::reformat() {
    releaseCanvas();
    if (isEmpty() || width < 0) {
        freeImage();
        return;
    }
    const SIZE oldSize = imageSize();
    const std::int32_t pixelHeight = std::abs(height);
    HDC screen = GetDC(nullptr);
    HBITMAP image = countGdiObject(CreateCompatibleBitmap(screen, width, pixelHeight));
    ReleaseDC(nullptr, screen);
    if (!image) {
        freeImage();
        return;
    }
    // The new image: bkColor everywhere, the old pixels at the top left.
    HDC dc = createMemoryDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, image);
    fillWithColor(dc, width, pixelHeight, bkColor);
    if (oldSize.cx > 0 && oldSize.cy > 0)
        copyImage(dc, {0, 0, oldSize.cx, oldSize.cy}, oldSize);
    SelectObject(dc, previous);
    freeImage();
    if (handleType == bmDDB)
        bitmapHandle = image;
    else
        takeDeviceImage(dc, image);
    deleteMemoryDC(dc);
}

// Turns a device-dependent image into this bitmap's DIB: plain memory in the
// pixel format, or a DIB section when the conversion comes out short.
void TBitmap::takeDeviceImage(HDC memoryDC, HBITMAP image) {
    auto header = makeDibHeader(width, height, pixelFormat);
    const std::size_t size = header->header.biSizeImage;
    std::unique_ptr<std::byte[]> memory(new (std::nothrow) std::byte[size]);
    const int lines = std::abs(height);
    const bool converted =
        memory &&
        GetDIBits(memoryDC, image, 0, static_cast<UINT>(lines), memory.get(), asInfo(*header),
                  DIB_RGB_COLORS) == lines &&
        // Some systems do not convert to masked formats and say so only by
        // changing the masks.
        std::memcmp(header->colors, makeDibHeader(width, height, pixelFormat)->colors,
                    header->header.biCompression == BI_BITFIELDS ? 3 * sizeof(DWORD) : 0) == 0;
    if (converted) {
        dibBits = memory.get();
        ownMemory_ = std::move(memory);
    } else {
        header = makeDibHeader(width, height, pixelFormat);
        void* bits = nullptr;
        HBITMAP section = countGdiObject(
            CreateDIBSection(memoryDC, asInfo(*header), DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!section) {
            deleteGdiObject(image);
            return;
        }
        withBitmapDC(section, [&](HDC target) {
            withBitmapDC(image, [&](HDC source) {
                BitBlt(target, 0, 0, width, lines, source, 0, 0, SRCCOPY);
            });
        });
        GdiFlush();
        bitmapHandle = section;
        dibBits = bits;
        ownsBits = true;
    }
    deleteGdiObject(image);
    dibSize = size;
    dibHeader = std::move(header);
}

void TBitmap::takeHandle(HBITMAP handle) {
    freeImage();
    width = 0;
    height = 0;
    handleType = bmDDB;
    BITMAP record{};
    // Any GDI object reads as something: only a bitmap is taken.
    if (!handle || GetObjectType(handle) != OBJ_BITMAP ||
        !GetObjectW(handle, sizeof record, &record))
        return;
    width = record.bmWidth;
    height = record.bmHeight;
    bitmapHandle = countGdiObject(handle);
}

HBITMAP TBitmap::getHandle() {
    if (isEmpty())
        return nullptr;
    if (bitmapHandle || !dibBits || !dibHeader)
        return bitmapHandle;
    HDC screen = GetDC(nullptr);
    void* bits = nullptr;
    HBITMAP section = countGdiObject(
        CreateDIBSection(screen, asInfo(*dibHeader), DIB_RGB_COLORS, &bits, nullptr, 0));
    ReleaseDC(nullptr, screen);
    if (!section)
        return nullptr; // the memory stays as it was
    std::memcpy(bits, dibBits, dibSize);
    ownMemory_.reset();
    dibBits = bits;
    ownsBits = true;
    bitmapHandle = section;
    return section;
}

void TBitmap::canvasChanged(TCanvas* changed) {
    if (changed->brush)
        bkColor = changed->brush->color;
}

TCanvas* TBitmap::getBitmapCanvas() {
    if (isEmpty())
        return nullptr;
    HBITMAP image = getHandle();
    if (!image)
        return nullptr;
    if (!canvas) {
        canvas = new TCanvas(nullptr);
        canvas->brushTool().setColor(bkColor);
        canvas->onChange = bindMethod<&TBitmap::canvasChanged, TCanvas*>(this);
    }
    if (!canvas->dc)
        canvas->setDC(createMemoryDC(nullptr));
    if (selectedIn_ != canvas->dc) {
        savedBitmap = static_cast<HBITMAP>(SelectObject(canvas->dc, image));
        selectedIn_ = canvas->dc;
    }
    return canvas;
}

bool TBitmap::copyFromCanvas(HDC dc, const RECT& target, SIZE size) {
    // The canvas holds the image already: copying from its DC spares two
    // selections of the bitmap, which are slow for device bitmaps.
    if (!selectedIn_ || !canvas || canvas->dc != selectedIn_)
        return false;
    const int targetWidth = target.right - target.left;
    const int targetHeight = target.bottom - target.top;
    if (targetWidth == size.cx && targetHeight == size.cy)
        BitBlt(dc, target.left, target.top, size.cx, size.cy, selectedIn_, 0, 0, SRCCOPY);
    else
        StretchBlt(dc, target.left, target.top, targetWidth, targetHeight, selectedIn_, 0, 0,
                   size.cx, size.cy, SRCCOPY);
    return true;
}

void TBitmap::drawInto(HDC dc, const RECT& target, SIZE size) {
    if (copyFromCanvas(dc, target, size))
        return;
    releaseCanvas();
    if (copyImage(dc, target, size))
        return;
    // The memory could not be drawn directly: through a DIB section.
    if (getHandle())
        copyImage(dc, target, size);
}

void TBitmap::draw(HDC dc, std::int32_t x, std::int32_t y) {
    if (isEmpty())
        return;
    const SIZE size = imageSize();
    drawInto(dc, {x, y, x + size.cx, y + size.cy}, size);
}

void TBitmap::stretchDraw(HDC dc, const RECT& rect) {
    if (isEmpty())
        return;
    drawInto(dc, rect, imageSize());
}
