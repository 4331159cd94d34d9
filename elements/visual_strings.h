// TKNVisualStrings: holds a fixed text and gives it to whoever reads it.
#pragma once

#include "elements/element.h"
#include "runtime/font.h"
#include "runtime/links.h"

#include <cstdint>
#include <string>

class TKNVisualStrings : public TKNElement {
public:
    void getLines(TData& data, std::uint16_t index);

    std::string Lines; // may hold line breaks
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    TFontRec Font;
};
