// The boxes the program shows itself: the message element's box and the
// information box of the "/ih" switch.
#pragma once

#include "elements/message.h"

#include <cstdint>

// The message element's box as the user sees it; answers the number of the
// pressed button counted from 0, or -1 when no box could be shown.
std::int32_t showMessageBox(const TMessageBoxRequest& request);
// Makes the message elements show their boxes through showMessageBox.
void installMessageBoxSink();

// The caption of the information box, so that it can be found.
extern const char* const informationCaption;
// Shows the information box and returns when the user closes it.
void showInformation();
