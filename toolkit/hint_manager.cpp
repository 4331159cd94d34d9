#include "toolkit/hint_manager.h"

#include "toolkit/control_factory.h"
#include "toolkit/gdi_counter.h"
#include "toolkit/wide_text.h"

namespace {

constexpr UINT tipFlags = TTF_IDISHWND | TTF_SUBCLASS | TTF_TRANSPARENT;
constexpr DWORD tipStyle = WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX;
constexpr LONG boldWeight = 700;
constexpr std::uint8_t styleBold = 1;
constexpr std::uint8_t styleItalic = 2;
constexpr std::uint8_t styleUnderline = 4;
constexpr std::uint8_t styleStrikeOut = 8;
constexpr std::int32_t infoBackground = static_cast<std::int32_t>(0xFF000018);
constexpr std::int32_t infoText = static_cast<std::int32_t>(0xFF000017);

HFONT createTipFont(const TFontRec& font) {
    LOGFONTW record{};
    // The face-name field holds 31 characters: a longer name is cut there.
    const std::wstring face = toWideText(font.name);
    face.copy(record.lfFaceName, LF_FACESIZE - 1);
    record.lfHeight = fontHeight(font.size);
    record.lfCharSet = fontCharsetFor(font.charset);
    record.lfWeight = (font.style & styleBold) ? boldWeight : 0;
    record.lfItalic = (font.style & styleItalic) ? 1 : 0;
    record.lfUnderline = (font.style & styleUnderline) ? 1 : 0;
    record.lfStrikeOut = (font.style & styleStrikeOut) ? 1 : 0;
    return countGdiObject(CreateFontIndirectW(&record));
}

LRESULT sendToTip(const TTipRecord& tip, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(tipWindow(tip), message, wParam, lParam);
}

LPARAM recordParam(TTipRecord* tip) {
    return reinterpret_cast<LPARAM>(&tip->info);
}

} // namespace

TKNHintManager* hintManager = nullptr;

HWND tipWindow(const TTipRecord& tip) {
    return reinterpret_cast<HWND>(tip.info.lParam);
}

TKNHintManager::TKNHintManager() : tipInterface(std::make_unique<TTipInterface>()) {
    TTipInterface& block = *tipInterface;
    block.createTip = bindFuncMethod<&TKNHintManager::createTip, TTipRecord*, HWND>(this);
    block.destroyTip = bindMethod<&TKNHintManager::destroyTip, TTipRecord*>(this);
    block.setTipText = bindMethod<&TKNHintManager::setTipText, TTipRecord*, std::string_view>(this);
    block.setTipTitle =
        bindMethod<&TKNHintManager::setTipTitle, TTipRecord*, std::int32_t, std::string_view>(this);
    block.showTracked = bindMethod<&TKNHintManager::showTracked, TTipRecord*>(this);
    block.hideTracked = bindMethod<&TKNHintManager::hideTracked, TTipRecord*>(this);
    block.moveTracked =
        bindMethod<&TKNHintManager::moveTracked, TTipRecord*, std::int16_t, std::int16_t>(this);
}

void TKNHintManager::setUp() {
    Font = TFontRec{"Tahoma", 8, 0, 0, 1};
    PlainStyle = true;
    InitialDelay = 500;
    AutoPopDelay = 5000;
    Tracking = false;
    Margin = 0;
    BackColor = infoBackground;
    Font.color = infoText;
}

TTipRecord* TKNHintManager::createTip(HWND owner) {
    auto* tip = new TTipRecord{};
    TTTOOLINFOW& info = tip->info;
    // The record as comctl32 before version 6 knows it (44 bytes on 32-bit
    // Windows): the program runs without a manifest, so that is the library.
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = tipFlags;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(owner);

    const DWORD style = tipStyle | (PlainStyle ? 0 : TTS_BALLOON);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    info.lParam = reinterpret_cast<LPARAM>(window);
    if (!window)
        return tip;

    tip->font = createTipFont(Font);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(tip->font), TRUE);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    sendToTip(*tip, TTM_ADDTOOLW, 0, recordParam(tip));
    sendToTip(*tip, TTM_SETTIPTEXTCOLOR, resolveColor(Font.color), 0);
    sendToTip(*tip, TTM_SETTIPBKCOLOR, resolveColor(BackColor), 0);
    sendToTip(*tip, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(InitialDelay, 0));
    sendToTip(*tip, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(AutoPopDelay, 0));
    RECT margins{Margin, Margin, Margin, Margin};
    sendToTip(*tip, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margins));
    return tip;
}

void TKNHintManager::destroyTip(TTipRecord* tip) {
    if (!tip)
        return;
    if (HWND window = tipWindow(*tip)) {
        if (IsWindow(window)) {
            sendToTip(*tip, TTM_DELTOOLW, 0, recordParam(tip));
            DestroyWindow(window);
        }
    }
    // The font is the record's own: deleted even when the tool-tip window
    // went with its owner already.
    deleteGdiObject(tip->font);
    delete tip;
}

void TKNHintManager::setTipText(TTipRecord* tip, std::string_view text) {
    if (!tip)
        return;
    tip->text = toWideText(text);
    tip->info.lpszText = tip->text.data(); // never nil: no text is the empty text
    sendToTip(*tip, TTM_UPDATETIPTEXTW, 0, recordParam(tip));
}

void TKNHintManager::setTipTitle(TTipRecord* tip, std::int32_t icon, std::string_view title) {
    if (!tip)
        return;
    const std::wstring wide = toWideText(title);
    sendToTip(*tip, TTM_SETTITLEW, static_cast<WPARAM>(icon),
              reinterpret_cast<LPARAM>(wide.c_str()));
}

void TKNHintManager::showTracked(TTipRecord* tip) {
    if (Tracking && tip)
        sendToTip(*tip, TTM_TRACKACTIVATE, TRUE, recordParam(tip));
}

void TKNHintManager::hideTracked(TTipRecord* tip) {
    if (Tracking && tip)
        sendToTip(*tip, TTM_TRACKACTIVATE, FALSE, recordParam(tip));
}

void TKNHintManager::moveTracked(TTipRecord* tip, std::int16_t x, std::int16_t y) {
    if (Tracking && tip)
        sendToTip(*tip, TTM_TRACKPOSITION, 0,
                  MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}

TKNHintManager* createHintManager() {
    if (!hintManager) {
        initCommonControls();
        hintManager = new TKNHintManager;
        hintManager->setUp();
    }
    return hintManager;
}
