#include "elements/message.h"

namespace {

std::int32_t noMessageBox(const TMessageBoxRequest&) {
    return -1;
}

MessageBoxSink messageBoxSink = noMessageBox;

} // namespace

void setMessageBoxSink(MessageBoxSink sink) {
    messageBoxSink = sink ? sink : noMessageBox;
}

void TKNMessage::inMessage(TData& data, std::uint16_t) {
    TMessageBoxRequest request;
    request.text = pullString(data, TKN_Event(), Text);
    request.caption = Caption;
    request.icon = Icon;
    request.buttons = Buttons;
    request.defaultButton = DefaultButton;
    const std::int32_t answer = messageBoxSink(request);
    setForwardInteger(data, answer, &outResult);
}
