// TKNHintManager: the program's one tool-tip service. Window elements reach
// it through a block of seven operations bound to the manager.
#pragma once

#include "runtime/font.h"
#include "runtime/method.h"
#include "toolkit/control.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// One tool-tip: the tool record the tool-tip control knows it by, plus what
// the manager keeps for it. The tool-tip window is the record's lParam.
struct TTipRecord {
    TTTOOLINFOW info;
    std::wstring text; // what info.lpszText points at
    HFONT font = nullptr;
};

HWND tipWindow(const TTipRecord& tip);

struct TTipInterface {
    TFuncMethod<TTipRecord*, HWND> createTip;
    TMethod<TTipRecord*> destroyTip;
    TMethod<TTipRecord*, std::string_view> setTipText;
    TMethod<TTipRecord*, std::int32_t /*icon*/, std::string_view /*title*/> setTipTitle;
    TMethod<TTipRecord*> showTracked;
    TMethod<TTipRecord*> hideTracked;
    TMethod<TTipRecord*, std::int16_t, std::int16_t> moveTracked;
};

class TKNHintManager {
public:
    TKNHintManager();

    std::unique_ptr<TTipInterface> tipInterface;
    bool PlainStyle = false;
    std::int32_t BackColor = 0;
    std::int32_t InitialDelay = 0; // milliseconds
    std::int32_t AutoPopDelay = 0; // milliseconds
    std::int32_t Margin = 0;       // pixels, all four sides
    bool Tracking = false;
    TFontRec Font; // its colour is the text colour

    // The values the program runs with.
    void setUp();

    // The caller owns the record until destroyTip.
    TTipRecord* createTip(HWND owner);
    void destroyTip(TTipRecord* tip);
    void setTipText(TTipRecord* tip, std::string_view text);
    void setTipTitle(TTipRecord* tip, std::int32_t icon, std::string_view title);
    void showTracked(TTipRecord* tip);
    void hideTracked(TTipRecord* tip);
    void moveTracked(TTipRecord* tip, std::int16_t x, std::int16_t y);
};

// The program-wide manager, nil until createHintManager.
extern TKNHintManager* hintManager;
// Makes and sets up the program-wide manager once; later calls return it.
TKNHintManager* createHintManager();
