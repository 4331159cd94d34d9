#include "visual/memo.h"

#include "toolkit/control_factory.h"
#include "toolkit/edit_text.h"

#include <string_view>

namespace {

constexpr std::string_view lineBreak = "\r\n";

bool endsWithLineBreak(std::string_view text) {
    return text.ends_with(lineBreak);
}

} // namespace

void TKNMemo::init() {
    std::uint32_t options = eoNoHScroll | eoNoVScroll | eoMultiline | eoNoHideSel;
    if (ScrollBars & 1)
        options &= ~static_cast<std::uint32_t>(eoNoHScroll);
    if (ScrollBars & 2)
        options &= ~static_cast<std::uint32_t>(eoNoVScroll);
    if (!Editable)
        options |= eoReadonly;
    control = newEdit(parentControl, options);
    control->setOn(TNotice::change, bindMethod<&TKNMemo::changed, TControl*>(this));
    if (Ctl3D == 0)
        control->setStyle(control->style() & ~static_cast<std::uint32_t>(WS_BORDER));
    TKNEWinList::init();
    control->setCaption(Text);
}

// The lines as the text holds them: a wrapped line is still one line.
void TKNMemo::loadLines() {
    lines->clear();
    const std::string text = control->getCaption();
    std::string_view rest = text;
    for (;;) {
        const std::size_t end = rest.find(lineBreak);
        lines->add(rest.substr(0, end));
        if (end == std::string_view::npos)
            break;
        rest.remove_prefix(end + lineBreak.size());
    }
}

// Each addition is one line: a break goes first unless the box is empty or
// its last line already is.
void TKNMemo::appendItem(const std::string& text) {
    const std::string old = control->getCaption();
    std::string added;
    if (!old.empty() && !endsWithLineBreak(old))
        added = lineBreak;
    added += text;
    addText(*control, added);
}

void TKNMemo::selectLine(std::int32_t index) {
    if (index < 0 || index >= lineCount(*control)) {
        control->send(EM_SETSEL, static_cast<WPARAM>(-1), 0);
        return;
    }
    const auto start = static_cast<LPARAM>(control->send(EM_LINEINDEX, index, 0));
    const auto next = static_cast<LPARAM>(control->send(EM_LINEINDEX, index + 1, 0));
    control->send(EM_SETSEL, static_cast<WPARAM>(start), next);
}

void TKNMemo::setLine(const TData& indexData, const TData& valueData) {
    const std::int32_t index = asInteger(indexData);
    const std::int32_t count = lineCount(*control);
    if (index < 0 || index >= count)
        return;
    std::string text = asString(valueData);
    if (index < count - 1)
        text += lineBreak;
    setLineText(*control, index, text);
}

void TKNMemo::changed(TControl*) {
    raiseString(outChange, control->getCaption());
}
