// The two places where the platform-free runtime needs the platform: the
// screen resolution and the debug message box. The windowing side fills
// them at start-up; tests fill them to capture what is shown.
#pragma once

#include <cstdint>
#include <string>

using ScreenDpiSource = std::int32_t (*)();
using DebugMessageSink = void (*)(const std::string& text, const std::string& caption);

void setScreenDpiSource(ScreenDpiSource source); // also forgets a cached value
void setDebugMessageSink(DebugMessageSink sink); // nullptr: back to stderr

// The resolution every layout is drawn at.
constexpr std::int32_t designDpi = 96;

// Vertical dots per inch of the screen, asked once and kept.
std::int32_t screenDpi();
// The program's window now shows on a screen of another resolution.
void setScreenDpi(std::int32_t dpi);
// A length in pixels at 96 dpi, on this screen: scaled by dpi/96 and rounded
// to the nearest pixel (halves away from zero).
std::int32_t scaledToScreen(std::int32_t pixelsAtDesignDpi);

// Modal box captioned "String-Debug" with the text and a plain OK button.
void showDebugMessage(const std::string& text);
