#include "visual_fixture.h"

#include "visual/edit.h"

#include <memory>

namespace {

class EditTest : public VisualTest {
protected:
    std::unique_ptr<TKNEdit> makeEdit(const std::string& text, bool real) {
        auto edit = std::make_unique<TKNEdit>(form);
        place(*edit, 5, 5, 120, 20);
        edit->Ctl3D = 0;
        edit->Text = text;
        if (real)
            edit->useRealReader();
        else
            edit->useIntegerReader();
        edit->init();
        edit->outChange = changes.link();
        return edit;
    }
    HWND focusEdit(TKNEdit& edit) {
        focus(*edit.getControl());
        return edit.getControl()->handle;
    }
    static std::int32_t caret(TKNEdit& edit) { return edit.getControl()->selStart(); }

    EventLog changes;
};

TEST_F(EditTest, RealEditKeepsUnfinishedNumbersAndUndoesImpossibleKeystrokes) {
    auto edit = makeEdit("", true);
    HWND window = focusEdit(*edit);

    typeText(window, "7");
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.last().tag, tagReal);
    EXPECT_EQ(asReal(changes.last()), 7.0);

    SendMessageW(window, EM_SETSEL, 0, -1);
    typeText(window, "-");
    EXPECT_EQ(edit->getControl()->getCaption(), "-");
    EXPECT_EQ(changes.count(), 1);

    typeText(window, "x");
    EXPECT_EQ(edit->getControl()->getCaption(), "7");
    EXPECT_EQ(caret(*edit), 1);
    EXPECT_EQ(changes.count(), 1);

    // Typing goes on normally after a roll-back.
    SendMessageW(window, EM_SETSEL, 0, -1);
    typeText(window, "1e");
    EXPECT_EQ(edit->getControl()->getCaption(), "1e");
    EXPECT_EQ(changes.count(), 2); // "1" only
    typeText(window, "5");
    EXPECT_EQ(edit->getControl()->getCaption(), "1e5");
    ASSERT_EQ(changes.count(), 3);
    EXPECT_EQ(asReal(changes.last()), 1e5);

    // A character without an exact 1251 form never passes for its look-alike
    // (é for e, a full-width digit for a digit): it rolls back.
    for (const wchar_t* lookAlike : {L"\u00e9", L"\uff15"}) {
        SCOPED_TRACE(static_cast<int>(lookAlike[0]));
        SendMessageW(window, EM_SETSEL, 0, -1);
        typeText(window, L"1");
        typeText(window, lookAlike);
        typeText(window, L"5");
        wchar_t shown[8] = {};
        GetWindowTextW(window, shown, 8);
        EXPECT_STREQ(shown, L"15");
        EXPECT_EQ(asReal(changes.last()), 15.0);
    }
}

TEST_F(EditTest, RealEditRejectsANumberBeyondTheDoubleRangeAndAcceptsUpperCase) {
    auto edit = makeEdit("", true);
    HWND window = focusEdit(*edit);
    typeText(window, "1E308");
    EXPECT_EQ(edit->getControl()->getCaption(), "1E308"); // validated lower-cased, kept as typed
    EXPECT_EQ(asReal(changes.last()), 1e308);
    const int before = changes.count();
    typeText(window, "9");
    EXPECT_EQ(edit->getControl()->getCaption(), "1E308");
    EXPECT_EQ(caret(*edit), 5);
    EXPECT_EQ(changes.count(), before);
}

TEST_F(EditTest, IntegerEditBecomesZeroWhenEmptiedAndRollsBackADecimalText) {
    auto edit = makeEdit("", false);
    HWND window = focusEdit(*edit);
    typeText(window, "5");
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.last().tag, tagInteger);
    EXPECT_EQ(asInteger(changes.last()), 5);

    typeText(window, "\b");
    EXPECT_EQ(edit->getControl()->getCaption(), "0");
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(edit->lastGoodText, "0");

    // The replacement text is the last accepted one from here on.
    TData text;
    setString(text, "2.0");
    edit->inText(text, 0);
    EXPECT_EQ(edit->getControl()->getCaption(), "0");
    EXPECT_EQ(changes.count(), 1);

    setString(text, "$ff");
    edit->inText(text, 0);
    ASSERT_EQ(changes.count(), 2);
    EXPECT_EQ(asInteger(changes.last()), 255);
}

TEST_F(EditTest, InitialTextIsNotValidatedAndRollsBackOnlyWhenNextRead) {
    auto edit = makeEdit("2.0", false);
    EXPECT_EQ(edit->getControl()->getCaption(), "2.0");
    EXPECT_TRUE(edit->changeArmed);
    TData text;
    setString(text, "2.0");
    edit->inText(text, 0);
    EXPECT_EQ(edit->getControl()->getCaption(), "2.0"); // the initial text is the roll-back point
    EXPECT_EQ(changes.count(), 0);

    auto real = makeEdit("6,0", true);
    TData value;
    setInteger(value, 99);
    real->getValue(value, 0);
    EXPECT_EQ(value.tag, tagNull);
    EXPECT_EQ(real->getControl()->getCaption(), "6,0");

    // Once a number was accepted, an unacceptable text read by getValue
    // goes back to it.
    setString(text, "6.5");
    real->inText(text, 0);
    real->changeArmed = false; // a text that was never validated
    SetWindowTextW(real->getControl()->handle, L"6,0");
    EXPECT_EQ(real->getControl()->getCaption(), "6,0");
    setInteger(value, 99);
    real->getValue(value, 0);
    EXPECT_EQ(value.tag, tagNull);
    EXPECT_EQ(real->getControl()->getCaption(), "6.5");
    real->getValue(value, 0);
    EXPECT_EQ(asReal(value), 6.5);
}

TEST_F(EditTest, EveryAcceptedAssignmentRaisesOutChangeEvenWhenTheTextIsTheSame) {
    auto edit = makeEdit("", true);
    TData text;
    setString(text, "6");
    edit->inText(text, 0);
    setString(text, "6");
    edit->inText(text, 0);
    ASSERT_EQ(changes.count(), 2);
    EXPECT_EQ(asReal(changes.values[1]), 6.0);

    // An unlinked source with an empty value empties the box; the integer
    // reader then makes it "0" without an event.
    auto integer = makeEdit("12", false);
    TData empty;
    integer->inText(empty, 0);
    EXPECT_EQ(integer->getControl()->getCaption(), "0");
    EXPECT_EQ(changes.count(), 2);
}

TEST_F(EditTest, EnterRaisesOutEnterAndClearsOnlyWhenLinked) {
    auto edit = makeEdit("", true);
    EventLog enters, keys;
    edit->outKeyDown = keys.link();
    HWND window = focusEdit(*edit);
    typeText(window, "4.5");

    // Not linked: Enter is an ordinary key.
    SendMessageW(window, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(keys.integers(), std::vector<std::int32_t>{VK_RETURN});

    edit->outEnter = enters.link();
    edit->ClearAfterEnter = true;
    SendMessageW(window, WM_KEYDOWN, VK_RETURN, 1);
    ASSERT_EQ(enters.count(), 1);
    EXPECT_EQ(asReal(enters.last()), 4.5);
    EXPECT_EQ(edit->getControl()->getCaption(), "");
    EXPECT_EQ(keys.count(), 1);

    // An unfinished number: swallowed, nothing raised, nothing cleared.
    typeText(window, "-");
    SendMessageW(window, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(enters.count(), 1);
    EXPECT_EQ(edit->getControl()->getCaption(), "-");
    EXPECT_EQ(keys.count(), 1);
}

} // namespace
