// Making controls: the applet, forms and the child controls of the system
// classes, with the handlers each kind needs.
#pragma once

#include "toolkit/control.h"

#include <cstdint>
#include <string>

// Options of newEdit, one bit each.
enum TEditOption : std::uint32_t {
    eoNoHScroll = 1u << 0,
    eoNoVScroll = 1u << 1,
    eoLowercase = 1u << 2,
    eoMultiline = 1u << 3,
    eoNoHideSel = 1u << 4,
    eoOemConvert = 1u << 5,
    eoPassword = 1u << 6,
    eoReadonly = 1u << 7,
    eoUpperCase = 1u << 8,
    eoWantReturn = 1u << 9,
    eoWantTab = 1u << 10,
    eoNumber = 1u << 11
};

// Bit i of options selects row i: a negative row adds its complement when the
// option is not set, a non-negative row is added when it is set.
std::uint32_t makeStyle(std::uint32_t options, const std::int32_t* table, int highestIndex);

TControl* createControl(TControl* parent, const TControlSetup& setup);
TControl* newApplet(const std::string& caption);
TControl* newForm(TControl* parent, const std::string& caption);
TControl* newChildControl(TControl* parent, const std::string& className, std::uint32_t style,
                          const TActionRecord& actions, bool ctl3D);
TControl* newEdit(TControl* parent, std::uint32_t options);
TControl* newButton(TControl* parent, const std::string& caption);
TControl* newLabel(TControl* parent, const std::string& caption);
TControl* newPictureBox(TControl* parent);
TControl* newCommonControl(TControl* parent, const std::string& className, std::uint32_t style,
                           const TActionRecord& actions, bool ctl3D);

// InitCommonControls, then InitCommonControlsEx (looked up by name) with all
// classes; the library is loaded once.
void initCommonControls();
