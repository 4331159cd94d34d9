#include "runtime/font.h"

#include "runtime/platform_hooks.h"

std::int32_t fontHeight(std::int32_t points) {
    return -((points * screenDpi() + 36) / 72);
}
