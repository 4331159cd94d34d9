// The information box of the "/ih" switch.
#pragma once

// The caption of the information box, so that it can be found.
extern const char* const informationCaption;
// Shows the information box and returns when the user closes it.
void showInformation();
