// Moving the focus between a form's controls with Tab, the arrows and the
// page keys, and pressing a form's default or cancel button with Enter or Esc.
#pragma once

#include "toolkit/control.h"

#include <vector>

// Installs the navigation handler on the control's parent form.
void enableNavigation(TControl& control);
// key 13 (Enter) or 27 (Esc); the flag registers or unregisters the button.
void setDefaultButton(TControl& button, std::int32_t key, bool flag);

// The form's tab stops in tab order (equal orders keep their tree order).
std::vector<TControl*> tabList(TControl& form);
// Moves the focus forward or backward from the form's focused control.
void moveFocus(TControl& form, bool forward);
