#include "visual_fixture.h"

#include "visual/button.h"
#include "visual/edit.h"
#include "visual/label.h"

#include <memory>

namespace {

// Swallows Delete through the key result, as an override does.
class SwallowingEdit : public TKNEdit {
public:
    using TKNEdit::TKNEdit;

protected:
    void keyDown(TControl* sender, std::int32_t& key, std::uint32_t shift) override {
        if (key == VK_DELETE)
            keyResult = 0;
        else
            TKNEdit::keyDown(sender, key, shift);
    }
};

class WinElementTest : public VisualTest {
protected:
    std::unique_ptr<TKNLabel> makeLabel() {
        auto label = std::make_unique<TKNLabel>(form);
        place(*label, 20, 30, 100, 40);
        return label;
    }
};

TEST_F(WinElementTest, InitCopiesThePropertiesIntoTheWindow) {
    const struct {
        std::uint8_t ctl3D, edge;
        LONG_PTR border, edges;
    } borders[] = {{0, 0, 0, WS_EX_CLIENTEDGE},
                   {1, 0, WS_BORDER, 0},
                   {2, 0, 0, 0}, // the class default
                   {0, 2, 0, WS_EX_STATICEDGE}};
    for (const auto& b : borders) {
        auto label = makeLabel();
        label->Ctl3D = b.ctl3D;
        label->Edge = b.edge;
        label->init();
        HWND window = label->getControl()->handle;
        EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & WS_BORDER, b.border) << int(b.ctl3D);
        EXPECT_EQ(GetWindowLongPtrW(window, GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE),
                  b.edges)
            << int(b.ctl3D);
    }
    auto label = makeLabel();
    label->Enabled = false;
    label->Visible = false;
    label->init();
    EXPECT_FALSE(IsWindowEnabled(label->getControl()->handle));
    EXPECT_FALSE(GetWindowLongPtrW(label->getControl()->handle, GWL_STYLE) & WS_VISIBLE);
}

TEST_F(WinElementTest, KeysPassTheParentFirstAndAnOverrideCanSwallowThem) {
    struct FormKeys {
        std::vector<std::int32_t> seen;
        void keyDown(TControl*, std::int32_t& key, std::uint32_t) {
            seen.push_back(key);
            if (key == VK_F2)
                key = 0;
        }
    } formKeys;
    form->onKeyDown =
        bindMethod<&FormKeys::keyDown, TControl*, std::int32_t&, std::uint32_t>(&formKeys);
    EventLog downs, presses;
    auto edit = std::make_unique<SwallowingEdit>(form);
    place(*edit, 0, 0, 100, 20);
    edit->Text = "abc";
    edit->init();
    edit->outKeyDown = downs.link();
    edit->outKeyPress = presses.link();
    ASSERT_NO_FATAL_FAILURE(focus(*edit->getControl()));
    HWND window = edit->getControl()->handle;
    SendMessageW(window, EM_SETSEL, 0, 0);

    for (int key : {int('A'), VK_F2, VK_DELETE})
        SendMessageW(window, WM_KEYDOWN, key, 1);
    typeText(window, L"q");
    EXPECT_EQ(formKeys.seen, (std::vector<std::int32_t>{'A', VK_F2, VK_DELETE}));
    EXPECT_EQ(downs.integers(), std::vector<std::int32_t>{'A'});
    ASSERT_EQ(presses.count(), 1);
    EXPECT_EQ(presses.last().strValue, "q");
    EXPECT_EQ(edit->getControl()->getCaption(), "qabc"); // Delete never reached the edit

    edit->keyPreview = false;
    SendMessageW(window, WM_KEYDOWN, VK_F2, 1);
    EXPECT_EQ(formKeys.seen.size(), 3u);
    EXPECT_EQ(downs.integers(), (std::vector<std::int32_t>{'A', VK_F2}));
    form->onKeyDown = {};
}

TEST_F(WinElementTest, FocusAndVisibilityBecomeEventsButNotAtDestruction) {
    EventLog focusIn, focusOut, hidden;
    auto first = std::make_unique<TKNButton>(form);
    auto second = std::make_unique<TKNButton>(form);
    place(*second, 0, 40, 80, 24);
    for (TKNButton* button : {first.get(), second.get()})
        button->init();
    first->outSetFocus = focusIn.link();
    first->outKillFocus = focusOut.link();
    first->outHide = hidden.link();
    ASSERT_NO_FATAL_FAILURE(focus(*first->getControl()));
    ASSERT_NO_FATAL_FAILURE(focus(*second->getControl()));
    first->getControl()->setVisible(false);
    first->getControl()->setVisible(true);
    ASSERT_NO_FATAL_FAILURE(focus(*first->getControl()));
    first.reset();
    EXPECT_EQ(focusIn.count(), 2);
    EXPECT_EQ(focusOut.count(), 1);
    EXPECT_EQ(hidden.count(), 1);
}

TEST_F(WinElementTest, AControlGoesOnceWhetherTheToolkitOrTheElementFreesItFirst) {
    auto label = makeLabel();
    label->init();
    label->getControl()->free(); // as the form does with its children
    label.reset();
    EXPECT_EQ(form->childCount(), 0);

    // Destroyed through the common base of all elements.
    std::vector<std::unique_ptr<TKNElement>> owned;
    owned.push_back(std::make_unique<TKNEdit>(form));
    owned.push_back(std::make_unique<TKNLabel>(form));
    for (auto& element : owned)
        static_cast<TKNWin&>(*element).init();
    EXPECT_EQ(form->childCount(), 2);
    owned.clear();
    EXPECT_EQ(form->childCount(), 0);
}

TEST_F(WinElementTest, AButtonClickCarriesACopyOfItsData) {
    EventLog clicks;
    auto button = std::make_unique<TKNButton>(form);
    place(*button, 0, 0, 205, 20);
    button->init();
    button->outClick = clicks.link();
    EXPECT_TRUE(GetWindowLongPtrW(button->getControl()->handle, GWL_STYLE) & BS_MULTILINE);
    SendMessageW(button->getControl()->handle, BM_CLICK, 0, 0);
    setString(button->Data, "payload");
    SendMessageW(button->getControl()->handle, BM_CLICK, 0, 0);
    ASSERT_EQ(clicks.count(), 2);
    EXPECT_EQ(clicks.values[0].tag, tagNull);
    EXPECT_EQ(clicks.values[1].strValue, "payload");
    EXPECT_EQ(button->Data.strValue, "payload");
}

TEST_F(WinElementTest, AnAutoSizedLabelFollowsItsCaption) {
    auto label = makeLabel();
    label->setAutoSize(true);
    label->Caption = "Эффективность, дБ";
    label->init();
    TControl& control = *label->getControl();
    EXPECT_EQ(control.getCaption(), "Эффективность, дБ");
    const std::int32_t width = control.width();
    EXPECT_GT(width, 20);
    EXPECT_NE(width, 100);
    control.setCaption("Эффективность виброизоляции, дБ");
    EXPECT_GT(control.width(), width);
}

} // namespace
