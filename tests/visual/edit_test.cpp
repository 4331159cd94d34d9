#include "visual_fixture.h"

#include "visual/edit.h"

#include <memory>
#include <string_view>

namespace {

// WM_CHAR for each character, as the keyboard gives them, to the focused window.
void typeText(HWND window, std::wstring_view text) {
    for (wchar_t c : text)
        SendMessageW(window, WM_CHAR, c, 1);
}

class EditTest : public VisualTest {
protected:
    std::unique_ptr<TKNEdit> makeEdit(const std::string& text, bool real) {
        auto edit = std::make_unique<TKNEdit>(form);
        place(*edit, 5, 5, 120, 20);
        edit->Text = text;
        if (real)
            edit->useRealReader();
        else
            edit->useIntegerReader();
        edit->init();
        edit->outChange = changes.link();
        return edit;
    }
    static void assign(TKNEdit& edit, const char* text) {
        TData data;
        if (text)
            setString(data, text);
        edit.inText(data, 0);
    }

    EventLog changes;
};

// Each row types into an empty box; a change is raised for each accepted text.
TEST_F(EditTest, KeystrokesThatCanNeverMakeANumberRollBack) {
    const struct {
        bool real;
        const wchar_t* typed;
        const char* shown;
        int caret, changes;
        double last;
    } cases[] = {
        {true, L"1e5", "1e5", 3, 2, 1e5}, // "1e" unfinished: kept, not announced
        // A character without an exact 1251 form never passes for its
        // look-alike (é for e, a full-width digit for a digit).
        {true, L"1\u00e95", "15", 2, 2, 15},
        {true, L"1\uff155", "15", 2, 2, 15},
        // Validated lower-cased, kept as typed; beyond the double range is no number.
        {true, L"1E3089", "1E308", 5, 4, 1e308},
        {false, L"5\b", "0", 0, 1, 5}, // emptied: 0 without an event
        {false, L"2.", "2", 1, 1, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        changes.values.clear();
        auto edit = makeEdit("", c.real);
        ASSERT_NO_FATAL_FAILURE(focus(*edit->getControl()));
        typeText(edit->getControl()->handle, c.typed);
        EXPECT_EQ(edit->getControl()->getCaption(), c.shown);
        EXPECT_EQ(edit->getControl()->selStart(), c.caret);
        ASSERT_EQ(changes.count(), c.changes);
        if (c.changes) {
            EXPECT_EQ(changes.last().tag, c.real ? tagReal : tagInteger);
            EXPECT_EQ(asReal(changes.last()), c.last);
        }
    }
}

// Each text is assigned twice: every accepted assignment is a change.
TEST_F(EditTest, AnAssignedTextIsCheckedAgainstTheLastAcceptedOrInitialText) {
    const struct {
        bool real;
        const char* initial;
        const char* assigned; // nullptr: an empty value
        const char* shown;
        int changes;
        double last;
    } cases[] = {
        {false, "2.0", "2.0", "2.0", 0, 0}, // the initial text is the roll-back point
        {false, "12", "$ff", "$ff", 2, 255},
        {false, "12", nullptr, "0", 0, 0},
        {true, "", "6", "6", 2, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        changes.values.clear();
        auto edit = makeEdit(c.initial, c.real);
        assign(*edit, c.assigned);
        assign(*edit, c.assigned);
        EXPECT_EQ(edit->getControl()->getCaption(), c.shown);
        ASSERT_EQ(changes.count(), c.changes);
        if (c.changes) {
            EXPECT_EQ(asReal(changes.last()), c.last);
        }
    }
}

TEST_F(EditTest, AReadOfAnUncheckedTextRollsBackOnlyOnceANumberWasAccepted) {
    auto edit = makeEdit("6,0", true);
    TData value;
    edit->getValue(value, 0);
    EXPECT_EQ(value.tag, tagNull);
    EXPECT_EQ(edit->getControl()->getCaption(), "6,0");

    assign(*edit, "6.5");
    edit->changeArmed = false; // a text that was never validated
    SetWindowTextW(edit->getControl()->handle, L"6,0");
    edit->getValue(value, 0);
    EXPECT_EQ(value.tag, tagNull);
    EXPECT_EQ(edit->getControl()->getCaption(), "6.5");
    edit->getValue(value, 0);
    EXPECT_EQ(asReal(value), 6.5);
}

} // namespace
