// TKNMemo: a multi-line text box that the schematic fills line by line.
#pragma once

#include "visual/win_list.h"

#include <cstdint>
#include <string>

class TKNMemo : public TKNEWinList {
public:
    explicit TKNMemo(TControl* parent) : TKNEWinList(parent) {}

    void init() override;
    void loadLines() override;
    void appendItem(const std::string& text) override;
    void selectLine(std::int32_t index) override;
    void setLine(const TData& indexData, const TData& valueData) override;

    std::uint8_t ScrollBars = 0; // 0 none, 1 horizontal, 2 vertical, 3 both
    bool Editable = true;
    std::string Text;

private:
    void changed(TControl* sender);
};
