#include "toolkit/window_objects.h"

#include <unordered_map>

namespace {

// Reading a property is a round trip to the Wine server (some 35 us), and
// every message needs the answer: the process keeps its own table.
std::unordered_map<HWND, TControl*>& windowObjects() {
    static std::unordered_map<HWND, TControl*> objects;
    return objects;
}

} // namespace

TControl* controlOfWindow(HWND window) {
    if (!window)
        return nullptr;
    const auto& objects = windowObjects();
    const auto found = objects.find(window);
    return found == objects.end() ? nullptr : found->second;
}

void bindWindow(HWND window, TControl* control) {
    SetPropW(window, selfProperty, control);
    windowObjects()[window] = control;
}

void unbindWindow(HWND window) {
    RemovePropW(window, selfProperty);
    windowObjects().erase(window);
}
