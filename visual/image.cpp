#include "visual/image.h"

#include "toolkit/bitmap.h"
#include "toolkit/canvas.h"
#include "toolkit/control_factory.h"
#include "toolkit/control_paint.h"
#include "toolkit/system.h"

#include <cmath>

namespace {

constexpr std::uint8_t firstNtVersion = 3;

std::int32_t roundHalfEven(double value) {
    return static_cast<std::int32_t>(std::nearbyint(value));
}

} // namespace

RECT scaledPictureRect(std::int32_t clientWidth, std::int32_t clientHeight,
                       std::int32_t pictureWidth, std::int32_t pictureHeight, bool cover) {
    const double w = clientWidth;
    const double h = clientHeight;
    const double ratio = static_cast<double>(pictureHeight) / pictureWidth;
    // Relatively wider than the window: full width, bands above and below
    // (or, covering, full height and cropped at the sides).
    if ((w * ratio <= h) != cover) {
        const std::int32_t offset = roundHalfEven((h - w * ratio) / 2);
        return {0, offset, clientWidth, clientHeight - offset};
    }
    const std::int32_t offset = roundHalfEven((w - h / ratio) / 2);
    return {offset, 0, clientWidth - offset, clientHeight};
}

TKNImage::TKNImage(TControl* parent) : TKNWin(parent), picture(newBitmap(0, 0)) {}

TKNImage::~TKNImage() {
    TObj::freeObject(picture);
}

void TKNImage::setPicture(HBITMAP bitmap) {
    picture->takeHandle(bitmap);
}

void TKNImage::setSmooth(bool flag) {
    stretchMode = flag && windowsVersion() >= firstNtVersion ? HALFTONE : COLORONCOLOR;
}

void TKNImage::init() {
    control = newPictureBox(parentControl);
    TKNWin::init();
    control->setOn(TNotice::click, bindMethod<&TKNImage::clicked, TControl*>(this));
    control->setOnPaint(bindMethod<&TKNImage::paint, TControl*, HDC>(this));
    getCanvas(*control)->brushTool().setColor(Color);
    if (!picture->isEmpty() && AutoSize)
        control->setSize(picture->width, picture->height);
}

void TKNImage::paint(TControl*, HDC dc) {
    if (picture->isEmpty()) {
        RECT client{};
        GetClientRect(control->handle, &client);
        getCanvas(*control)->fillRect(client);
        return;
    }
    drawRoutine(dc);
}

void TKNImage::drawScaled(HDC dc, bool cover) {
    RECT client{};
    GetClientRect(control->handle, &client);
    const RECT target =
        scaledPictureRect(client.right, client.bottom, picture->width, picture->height, cover);
    TCanvas& canvas = *getCanvas(*control);
    // The bands the picture leaves; empty when it covers the window.
    if (target.top > 0) {
        canvas.fillRect({0, 0, client.right, target.top});
        canvas.fillRect({0, target.bottom, client.right, client.bottom});
    } else if (target.left > 0) {
        canvas.fillRect({0, 0, target.left, client.bottom});
        canvas.fillRect({target.right, 0, client.right, client.bottom});
    }
    SetStretchBltMode(dc, stretchMode);
    if (stretchMode == HALFTONE)
        SetBrushOrgEx(dc, 0, 0, nullptr);
    picture->stretchDraw(dc, target);
}

void TKNImage::clicked(TControl*) {
    raiseEvent(outClick);
}
