#include "app/message_box.h"

#include "toolkit/text_codec.h"

#include <windows.h>

const char* const informationCaption = "О программе";

namespace {

constexpr UINT iconStyles[] = {0, MB_ICONERROR, MB_ICONQUESTION, MB_ICONWARNING,
                               MB_ICONINFORMATION};
constexpr UINT buttonStyles[] = {MB_OK, MB_OKCANCEL, MB_YESNO, MB_YESNOCANCEL};
constexpr UINT defaultStyles[] = {MB_DEFBUTTON1, MB_DEFBUTTON2, MB_DEFBUTTON3};

// The pressed button's place in its button set.
std::int32_t buttonNumber(int pressed) {
    switch (pressed) {
    case IDOK:
    case IDYES:
        return 0;
    case IDNO:
        return 1;
    case IDCANCEL:
        return 1; // OK and Cancel; Yes, No and Cancel is handled by the caller
    default:
        return -1;
    }
}

template <std::size_t N> UINT styleOf(const UINT (&table)[N], std::uint8_t index) {
    return index < N ? table[index] : table[0];
}

} // namespace

std::int32_t showMessageBox(const TMessageBoxRequest& request) {
    const UINT style = styleOf(iconStyles, request.icon) | styleOf(buttonStyles, request.buttons) |
                       styleOf(defaultStyles, request.defaultButton) | MB_TASKMODAL;
    const int pressed = MessageBoxW(GetActiveWindow(), toWideText(request.text).c_str(),
                                    toWideText(request.caption).c_str(), style);
    if (pressed == IDCANCEL && request.buttons == 3)
        return 2;
    return buttonNumber(pressed);
}

void installMessageBoxSink() {
    setMessageBoxSink(showMessageBox);
}

void showInformation() {
    const std::string text = "График эффективности виброизоляции, дБ.\n\n"
                             "Введите первую собственную частоту системы виброизоляции, "
                             "выберите ползунками начальную и конечную частоты воздействия "
                             "и нажмите «Построить график».";
    MessageBoxW(nullptr, toWideText(text).c_str(), toWideText(informationCaption).c_str(),
                MB_OK | MB_ICONINFORMATION);
}
