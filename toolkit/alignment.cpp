#include "toolkit/alignment.h"

#include "toolkit/application.h"

#include <unordered_map>

namespace {

// The gap aligned children keep from the edges and from each other.
constexpr std::int32_t alignMargin = 2;

// The alignment of the controls that have one: few, and only this unit asks.
std::unordered_map<const TControl*, std::uint8_t>& alignments() {
    static std::unordered_map<const TControl*, std::uint8_t> table;
    return table;
}

std::uint8_t alignmentOf(const TControl& control) {
    const auto found = alignments().find(&control);
    return found == alignments().end() ? std::uint8_t{alNone} : found->second;
}

void forgetAlignment(void* control) {
    alignments().erase(static_cast<const TControl*>(control));
}

RECT clientArea(const TControl& control) {
    RECT area{};
    if (control.liveWindow()) {
        GetClientRect(control.handle, &area);
    } else {
        const RECT bounds = control.getBounds();
        area.right = bounds.right - bounds.left;
        area.bottom = bounds.bottom - bounds.top;
    }
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
    const std::int32_t m = alignMargin;
    for (int pass = 0; pass < 3; ++pass) {
        for (std::int32_t i = 0; i < control.childCount(); ++i) {
            TControl* child = control.child(i);
            const std::uint8_t align = alignmentOf(*child);
            if (!child->visible() || !inPass(align, pass))
                continue;
            const RECT current = child->getBounds();
            const RECT placed = placeChild(align, current, remaining, m);
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
    application.alignProc = alignChildren;
    if (value == alignmentOf(control) || value > alClient)
        return;
    if (!alignments().contains(&control))
        control.addCleanup(forgetAlignment, &control);
    alignments()[&control] = value;
    if (control.parent)
        alignChildren(*control.parent);
}
