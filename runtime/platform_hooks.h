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

// Vertical dots per inch of the screen, asked once and kept.
std::int32_t screenDpi();

// Modal box captioned "String-Debug" with the text and a plain OK button.
void showDebugMessage(const std::string& text);
