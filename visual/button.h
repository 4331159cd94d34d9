// TKNButton: a push button that raises outClick with a copy of Data.
#pragma once

#include "visual/win_element.h"

#include <string>

class TKNButton : public TKNWin {
public:
    explicit TKNButton(TControl* parent) : TKNWin(parent) {}

    void init() override;

    TKN_Event outClick;
    TData Data;
    std::string Caption;
    bool Default = false; // Enter on the form presses it

private:
    void clicked(TControl* sender);
};
