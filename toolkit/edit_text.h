// An edit's text: its lines, through the codes of its action record, and
// text appended to it.
#pragma once

#include "toolkit/control.h"

#include <cstdint>
#include <string>

std::int32_t lineCount(TControl& edit);
// The position where the line starts; 0 for a line that does not exist.
std::int32_t lineIndex(TControl& edit, std::int32_t line);
std::string lineText(TControl& edit, std::int32_t line);
// A line is replaced with its line break; the last line to the end of the
// text. A line that does not exist leaves the text as it is.
void setLineText(TControl& edit, std::int32_t line, const std::string& text);
void addText(TControl& edit, const std::string& text);
// Appends to an edit's text. On a multi-line edit, appends made one after
// another (a list filled in one go) reach the window together when it next
// gets a message, at the latest the one posted here, so the edit lays out its
// lines and updates its scroll bar once instead of once per line; until then
// the caption holds the whole text. Any other edit is set whole, and notifies
// its change each time.
void appendLater(TControl& edit, const std::string& text);
void clearText(TControl& edit);
std::int32_t selStart(TControl& edit);
void setSelStart(TControl& edit, std::int32_t position);
void setSelLength(TControl& edit, std::int32_t length);

// The text still to come, which only this unit and the window procedure
// (it flushes before any message) touch.
class TEditText {
public:
    static void appendLater(TControl& edit, const std::string& text);
    static void flush(TControl& edit);
};
