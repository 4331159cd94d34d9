#include "visual/win_list.h"

#include "toolkit/edit_text.h"
#include "toolkit/wide_text.h"

TKNWinList::TKNWinList(TControl* parent) : TKNWin(parent), lines(new TStrList) {}

TKNWinList::~TKNWinList() {
    TObj::freeObject(lines);
}

void TKNWinList::loadLines() {
    lines->clear();
    const std::int32_t count = lineCount(*control);
    for (std::int32_t i = 0; i < count; ++i)
        lines->add(lineText(*control, i));
}

void TKNWinList::beginRewrite() {
    if (control->visible())
        control->send(WM_SETREDRAW, 0, 0);
    clearText(*control);
}

void TKNWinList::endRewrite() {
    if (!control->visible())
        return;
    control->send(WM_SETREDRAW, 1, 0);
    InvalidateRect(control->handle, nullptr, FALSE);
}

std::int32_t TKNWinList::addItem(const std::string& text) {
    appendItem(text);
    return lineCount(*control) - 1;
}

void TKNWinList::appendItem(const std::string& text) {
    addText(*control, text);
}

void TKNWinList::selectLine(std::int32_t index) {
    if (index < 0 || index >= lineCount(*control))
        index = -1;
    setSelStart(*control, index);
}

void TKNWinList::setLine(const TData& indexData, const TData& valueData) {
    const std::int32_t index = asInteger(indexData);
    if (index >= 0 && index < lineCount(*control))
        setLineText(*control, index, asString(valueData));
}

void TKNWinList::insertFirstLine(const std::string& text) {
    const std::string old = control->getCaption();
    // An empty box gets the line alone, not a line and an empty one.
    control->setCaption(old.empty() ? text : text + "\r\n" + old);
}

void TKNWinList::inAdd(TData& data, std::uint16_t) {
    const std::string text = pullString(data, srcText, std::string());
    std::int32_t added = 0;
    if (AddToTop)
        insertFirstLine(text);
    else if (SelectAdded)
        added = addItem(text);
    else
        appendItem(text);
    if (SelectAdded)
        selectLine(added);
    // The edit-based controls keep no value beside a line; the value is
    // still read, as the source may count on being asked.
    pullData(data, srcItemValue, nullptr);
    setForwardNull(data, &outChange);
}

void TKNWinList::inClear(TData& data, std::uint16_t) {
    clearText(*control);
    setForwardNull(data, &outChange);
}

void TKNWinList::getText(TData& data, std::uint16_t) {
    loadLines();
    std::string text = lines->text();
    lines->clear();
    // The lines joined by CR LF: the box's own text, whatever its last line.
    if (text.size() >= 2)
        text.resize(text.size() - 2);
    setString(data, std::move(text));
}

void TKNEWinList::replaceText(const std::string& text) {
    beginRewrite();
    const std::wstring wide = toWideText(text);
    control->send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    endRewrite();
}
