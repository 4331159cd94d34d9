#include "visual_fixture.h"

#include "toolkit/edit_text.h"
#include "visual/edit.h"

#include <sstream>
#include <tuple>

namespace {

class EditTest : public VisualTest {
protected:
    std::unique_ptr<TKNEdit> makeEdit(const std::string& text, bool real) {
        changes.values.clear();
        auto edit = make<TKNEdit>(5, 5, 120, 20);
        edit->Text = text;
        real ? edit->useRealReader() : edit->useIntegerReader();
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
    // The value of each change raised.
    std::string raised() const {
        std::ostringstream text;
        for (const TData& value : changes.values)
            text << asReal(value) << ' ';
        return text.str();
    }

    EventLog changes;
};

// Each row types into an empty box of the real reader, as the keyboard does;
// a change is raised for each accepted text.
TEST_F(EditTest, KeystrokesThatCanNeverMakeANumberRollBack) {
    const std::tuple<const wchar_t*, const char*, int, const char*> cases[] = {
        {L"1e5", "1e5", 3, "1 100000 "}, // "1e" unfinished: kept, not announced
        // A character without an exact 1251 form never passes for its look-alike.
        {L"1\u00e95", "15", 2, "1 15 "},
        {L"1\uff155", "15", 2, "1 15 "},
        // Validated lower-cased, kept as typed; beyond the double range is no number.
        {L"1E3089", "1E308", 5, "1 1000 1e+30 1e+308 "}};
    for (auto [typed, shown, caret, events] : cases) {
        SCOPED_TRACE(shown);
        auto edit = makeEdit("", true);
        ASSERT_NO_FATAL_FAILURE(focus(*edit->getControl()));
        for (const wchar_t* c = typed; *c; ++c)
            SendMessageW(edit->getControl()->handle, WM_CHAR, *c, 1);
        EXPECT_EQ(edit->getControl()->getCaption(), shown);
        EXPECT_EQ(selStart(*edit->getControl()), caret);
        EXPECT_EQ(raised(), events);
        EXPECT_EQ(changes.values.back().tag, tagReal);
    }
}

// Each text is assigned twice: every accepted assignment is a change.
TEST_F(EditTest, AnAssignedTextIsCheckedAgainstTheLastAcceptedOrInitialText) {
    const std::tuple<bool, const char*, const char*, const char*, const char*> cases[] = {
        {false, "2.0", "2.0", "2.0", ""}, // the initial text is the roll-back point
        {false, "12", "$ff", "$ff", "255 255 "},
        {false, "12", nullptr, "0", ""}, // an empty value
        {true, "", "6", "6", "6 6 "}};
    for (auto [real, initial, assigned, shown, events] : cases) {
        SCOPED_TRACE(shown);
        auto edit = makeEdit(initial, real);
        assign(*edit, assigned);
        assign(*edit, assigned);
        EXPECT_EQ(edit->getControl()->getCaption(), shown);
        EXPECT_EQ(raised(), events);
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
