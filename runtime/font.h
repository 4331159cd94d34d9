// The font description handed to visual elements.
#pragma once

#include <cstdint>
#include <string>

struct TFontRec {
    std::string name;
    std::uint8_t size = 0;  // points
    std::uint8_t style = 0; // bits read by the visual elements
    std::int32_t color = 0;
    std::uint8_t charset = 1; // 1: the system default
};

// Pixel height (negative: character height) of a font of the given point
// size on the screen, rounded half up. The screen's resolution is asked once.
std::int32_t fontHeight(std::int32_t points);
