#include "visual/button.h"

#include "toolkit/control_factory.h"
#include "toolkit/navigation.h"

void TKNButton::init() {
    control = newButton(parentControl, Caption);
    control->setOn(TNotice::click, bindMethod<&TKNButton::clicked, TControl*>(this));
    // Unregistering a button that never was the default would take the
    // Enter key away from another button of the form that is.
    if (Default)
        setDefaultButton(*control, VK_RETURN, true);
    control->setStyle(control->style() | BS_MULTILINE);
    TKNWin::init();
}

void TKNButton::clicked(TControl*) {
    raiseData(outClick, Data);
}
