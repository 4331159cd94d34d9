#include "visual/edit.h"

#include "runtime/number_text.h"
#include "toolkit/control_factory.h"
#include "toolkit/edit_text.h"
#include "visual/number_validators.h"

void TKNEdit::init() {
    std::uint32_t options = 0;
    if (Password)
        options |= eoPassword;
    if (ReadOnly)
        options |= eoReadonly;
    control = newEdit(parentControl, options);
    control->setTextAlign(static_cast<TTextAlign>(Alignment));
    TKNWin::init();
    control->send(EM_LIMITTEXT, static_cast<WPARAM>(MaxLength), 0);
    control->setOn(TNotice::change, bindMethod<&TKNEdit::changed, TControl*>(this));
    control->setCaption(Text);
    lastGoodText = Text;
}

bool TKNEdit::readReal(TData& value) {
    return readWith(validateReal, value);
}

bool TKNEdit::readInteger(TData& value) {
    return readWith(validateInteger, value);
}

// An accepted text becomes the roll-back point. A text that a further digit
// would complete ('-', '1e', '.') stays as it is; an empty one becomes "0";
// anything else is undone.
bool TKNEdit::readWith(Validator validate, TData& value) {
    const std::string text = control->getCaption();
    const std::int32_t caret = selStart(*control);
    const std::string lowered = lowerCaseAscii(text);
    if (validate(lowered, value)) {
        lastGoodCaret = caret;
        lastGoodText = text;
        return true;
    }
    TData unused;
    if (validate(lowered + "0", unused)) {
        if (text.empty()) {
            changeArmed = false;
            control->setCaption("0");
            lastGoodText = "0";
        }
    } else {
        changeArmed = false;
        control->setCaption(lastGoodText);
        setSelStart(*control, lastGoodCaret);
    }
    return false;
}

void TKNEdit::changed(TControl*) {
    if (changeArmed) {
        TData value;
        if (runReader(value))
            callEvent(outChange, value);
    }
    changeArmed = true;
}

void TKNEdit::inText(TData& data, std::uint16_t) {
    const std::int32_t caret = selStart(*control);
    const std::string text = pullString(data, srcText, std::string());
    control->setCaption(text);
    setSelStart(*control, caret);
}

void TKNEdit::getValue(TData& data, std::uint16_t) {
    if (!runReader(data))
        setNull(data);
}

void TKNEdit::keyDown(TControl* sender, std::int32_t& key, std::uint32_t shift) {
    if (!outEnter.connected() || key != VK_RETURN) {
        TKNWin::keyDown(sender, key, shift);
        return;
    }
    TData value;
    if (runReader(value)) {
        callEvent(outEnter, value);
        if (ClearAfterEnter) {
            changeArmed = false;
            control->setCaption("");
        }
    }
    key = 0;
    keyResult = 0;
}
