// Gives the platform-free runtime the screen resolution and the debug
// message box of the real screen. The program's entry installs them.
#pragma once

#include <cstdint>

void installPlatformHooks();
// The vertical dots per inch of the screen device.
std::int32_t deviceScreenDpi();
