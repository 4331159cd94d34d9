#include "elements/message.h"
#include "elements/visual_strings.h"

#include "recorder.h"

#include <vector>

namespace {

std::vector<TMessageBoxRequest> shown;
std::int32_t answer = 0;

std::int32_t captureBox(const TMessageBoxRequest& request) {
    shown.push_back(request);
    return answer;
}

class Messages : public LiveLinks {
protected:
    void SetUp() override {
        LiveLinks::SetUp();
        shown.clear();
        setMessageBoxSink(captureBox);
    }
    void TearDown() override {
        setMessageBoxSink(nullptr);
        LiveLinks::TearDown();
    }
};

} // namespace

TEST_F(Messages, MessageShowsItsTextOrTheEventsAndSendsTheAnswer) {
    TKNMessage message;
    Sink result;
    message.outResult = makeLink<&Sink::inRecord>(&result);
    message.Text = "Сохранить?";
    message.Caption = "Вопрос";
    message.Icon = 2;
    message.Buttons = 3;
    message.DefaultButton = 1;
    answer = 2;
    raiseInteger(makeLink<&TKNMessage::inMessage>(&message), 5);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Сохранить?");
    EXPECT_EQ(shown[0].caption, "Вопрос");
    EXPECT_EQ(shown[0].icon, 2);
    EXPECT_EQ(shown[0].buttons, 3);
    EXPECT_EQ(shown[0].defaultButton, 1);
    ASSERT_EQ(result.received.size(), 1u);
    EXPECT_EQ(result.received[0].intValue, 2);

    message.Text.clear();
    raiseInteger(makeLink<&TKNMessage::inMessage>(&message), 5);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text, "5");

    // With no platform behind it, no box and the answer -1.
    setMessageBoxSink(nullptr);
    raiseEvent(makeLink<&TKNMessage::inMessage>(&message));
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_EQ(result.received.back().intValue, -1);
}

TEST_F(Messages, VisualStringsGivesItsLinesExactly) {
    TKNVisualStrings strings;
    strings.Lines = "Первая строка\r\nвторая";
    TData data = integerData(3);
    strings.getLines(data, 0);
    EXPECT_EQ(data.tag, tagString);
    EXPECT_EQ(data.strValue, "Первая строка\r\nвторая");

    TKNVisualStrings empty;
    empty.getLines(data, 0);
    EXPECT_EQ(data.tag, tagString);
    EXPECT_EQ(data.strValue, "");
}
