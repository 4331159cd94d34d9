#include "visual_fixture.h"

#include "visual/edit.h"

#include <memory>

namespace {

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
        TData data; // nullptr: an empty value
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
        {true, L"7", "7", 1, 1, 7},
        {true, L"-", "-", 1, 0, 0}, // unfinished: kept, not announced
        {true, L"7x", "7", 1, 1, 7},
        {true, L"1e5", "1e5", 3, 2, 1e5},
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

TEST_F(EditTest, AnAssignedTextIsCheckedAgainstTheLastAcceptedOrInitialText) {
    const struct {
        bool real;
        const char* initial;
        const char* assigned[2]; // the second may be missing
        const char* shown;
        int changes;
        double last;
    } cases[] = {
        {false, "2.0", {"2.0"}, "2.0", 0, 0}, // the initial text is the roll-back point
        {false, "12", {"$ff"}, "$ff", 1, 255},
        {false, "12", {nullptr}, "0", 0, 0},
        {true, "", {"6", "6"}, "6", 2, 6}, // the same text again is a change again
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        changes.values.clear();
        auto edit = makeEdit(c.initial, c.real);
        assign(*edit, c.assigned[0]);
        if (c.assigned[1])
            assign(*edit, c.assigned[1]);
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

TEST_F(EditTest, EnterRaisesOutEnterAndClearsOnlyWhenLinked) {
    auto edit = makeEdit("", true);
    EventLog enters, keys;
    edit->outKeyDown = keys.link();
    ASSERT_NO_FATAL_FAILURE(focus(*edit->getControl()));
    HWND window = edit->getControl()->handle;
    typeText(window, L"4.5");
    SendMessageW(window, WM_KEYDOWN, VK_RETURN, 1); // not linked: an ordinary key
    EXPECT_EQ(keys.integers(), std::vector<std::int32_t>{VK_RETURN});

    edit->outEnter = enters.link();
    edit->ClearAfterEnter = true;
    SendMessageW(window, WM_KEYDOWN, VK_RETURN, 1);
    ASSERT_EQ(enters.count(), 1);
    EXPECT_EQ(asReal(enters.last()), 4.5);
    EXPECT_EQ(edit->getControl()->getCaption(), "");

    typeText(window, L"-"); // unfinished: swallowed, nothing raised, nothing cleared
    SendMessageW(window, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(enters.count(), 1);
    EXPECT_EQ(edit->getControl()->getCaption(), "-");
    EXPECT_EQ(keys.count(), 1);
}

} // namespace
