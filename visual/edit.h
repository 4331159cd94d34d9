// TKNEdit: a one-line text box that is also a number source. Its reader
// checks the text as a real or an integer on every change and rolls back
// what can never become a number.
#pragma once

#include "visual/win_element.h"

#include <cstdint>
#include <string>
#include <string_view>

// (value) -> accepted
using TEditReader = TFuncMethod<bool, TData&>;

class TKNEdit : public TKNWin {
public:
    explicit TKNEdit(TControl* parent) : TKNWin(parent) {}

    void init() override;

    // The two readers the schematic chooses from.
    bool readReal(TData& value);
    bool readInteger(TData& value);
    void useRealReader() { reader = bindFuncMethod<&TKNEdit::readReal, bool, TData&>(this); }
    void useIntegerReader() { reader = bindFuncMethod<&TKNEdit::readInteger, bool, TData&>(this); }

    void inText(TData& data, std::uint16_t index);
    void getValue(TData& data, std::uint16_t index);

    std::string lastGoodText;
    std::int32_t lastGoodCaret = 0;
    bool changeArmed = false; // false: the next change notification is ignored
    TEditReader reader;

    bool Password = false;
    bool ClearAfterEnter = false;
    std::string Text;
    bool ReadOnly = false;
    std::uint8_t Alignment = 0;
    std::int32_t MaxLength = 0;
    TKN_Event srcText;
    TKN_Event outEnter;
    TKN_Event outChange;

protected:
    void keyDown(TControl* sender, std::int32_t& key, std::uint32_t shift) override;

private:
    using Validator = bool (*)(std::string_view text, TData& value);
    bool readWith(Validator validate, TData& value);
    bool runReader(TData& value) { return reader && reader(value); }
    void changed(TControl* sender);
};
