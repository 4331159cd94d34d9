// Where a main form remembers its position and client size between runs:
// under HKEY_CURRENT_USER\Software\<key>, or in an INI file beside the
// program. Failures leave the window as it is.
#pragma once

#include "toolkit/control.h"

#include <string>

void saveFormPositionToRegistry(TControl& form, const std::string& key);
void loadFormPositionFromRegistry(TControl& form, const std::string& key);

// positionKey is "<name>.ini\<section>".
void saveFormPositionToIni(TControl& form, const std::string& positionKey);
void loadFormPositionFromIni(TControl& form, const std::string& positionKey);

// The outer size changes by the same amount as the client size.
void setClientWidth(TControl& control, std::int32_t width);
void setClientHeight(TControl& control, std::int32_t height);
std::int32_t clientWidth(TControl& control);
std::int32_t clientHeight(TControl& control);
