#include "elements/visual_strings.h"

void TKNVisualStrings::getLines(TData& data, std::uint16_t) {
    setString(data, Lines);
}
