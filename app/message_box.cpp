#include "app/message_box.h"

#include "toolkit/wide_text.h"

#include <windows.h>

#include <string>

const char* const informationCaption = "О программе";

void showInformation() {
    const std::string text = "График эффективности виброизоляции, дБ.\n\n"
                             "Введите первую собственную частоту системы виброизоляции, "
                             "выберите ползунками начальную и конечную частоты воздействия "
                             "и нажмите «Построить график».";
    MessageBoxW(nullptr, toWideText(text).c_str(), toWideText(informationCaption).c_str(),
                MB_OK | MB_ICONINFORMATION);
}
