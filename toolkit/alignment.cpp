#include "toolkit/alignment.h"

namespace {

RECT clientArea(const TControl& control) {
    RECT area{};
    if (control.liveWindow()) {
        GetClientRect(control.handle, &area);
    } else {
        area.right = control.bounds.right - control.bounds.left;
        area.bottom = control.bounds.bottom - control.bounds.top;
    }
    area.left += control.clientMargins.left;
    area.top += control.clientMargins.top;
    area.right -= control.clientMargins.right;
    area.bottom -= control.clientMargins.bottom;
    return area;
}

// Where the child goes; the remaining area shrinks by what it takes.
RECT placeChild(std::uint8_t align, const RECT& current, RECT& remaining, std::int32_t m) {
    const std::int32_t width = current.right - current.left;
    const std::int32_t height = current.bottom - current.top;
    RECT placed = current;
    switch (align) {
    case alLeft:
        placed = {remaining.left + m, remaining.top + m, remaining.left + m + width,
                  remaining.bottom - m};
        remaining.left += m + width;
        break;
    case alRight:
        placed = {remaining.right - m - width, remaining.top + m, remaining.right - m,
                  remaining.bottom - m};
        remaining.right -= m + width;
        break;
    case alTop:
        placed = {remaining.left + m, remaining.top + m, remaining.right - m,
                  remaining.top + m + height};
        remaining.top += m + height;
        break;
    case alBottom:
        placed = {remaining.left + m, remaining.bottom - m - height, remaining.right - m,
                  remaining.bottom - m};
        remaining.bottom -= m + height;
        break;
    case alClient:
        placed = {remaining.left + m, remaining.top + m, remaining.right - m, remaining.bottom - m};
        break;
    default:
        break;
    }
    if (placed.right < placed.left)
        placed.right = placed.left;
    if (placed.bottom < placed.top)
        placed.bottom = placed.top;
    return placed;
}

bool inPass(std::uint8_t align, int pass) {
    switch (pass) {
    case 0:
        return align == alTop || align == alBottom;
    case 1:
        return align == alLeft || align == alRight;
    default:
        return align == alClient;
    }
}

} // namespace

void alignChildren(TControl& control) {
    RECT remaining = clientArea(control);
    const std::int32_t m = control.margin;
    for (int pass = 0; pass < 3; ++pass) {
        for (std::int32_t i = 0; i < control.childCount(); ++i) {
            TControl* child = control.child(i);
            if (!child->visible || !inPass(child->align, pass))
                continue;
            const RECT current = child->getBounds();
            const RECT placed = placeChild(child->align, current, remaining, m);
            if (EqualRect(&placed, &current))
                continue;
            const bool resized = placed.right - placed.left != current.right - current.left ||
                                 placed.bottom - placed.top != current.bottom - current.top;
            child->setBounds(placed);
            if (resized)
                alignChildren(*child);
        }
    }
}

void setAlign(TControl& control, std::uint8_t value) {
    alignProc = alignChildren;
    if (value == control.align || value > alClient)
        return;
    control.align = value;
    if (control.parent)
        alignChildren(*control.parent);
}
