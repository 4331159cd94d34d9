#include "visual_fixture.h"

#include "toolkit/hint_manager.h"
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

struct SizeLimit {
    void limit(TData& data, std::uint16_t) {
        if (data.intValue > 10)
            setInteger(data, 10);
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

    auto disabled = makeLabel();
    disabled->Enabled = false;
    disabled->TabOrder = 5;
    disabled->init();
    TControl& control = *disabled->getControl();
    EXPECT_FALSE(IsWindowEnabled(control.handle));
    EXPECT_TRUE(control.tabStop);
    EXPECT_EQ(control.tabOrder, 5);

    auto hidden = makeLabel();
    hidden->Visible = false;
    hidden->TabOrder = -1;
    hidden->init();
    EXPECT_FALSE(GetWindowLongPtrW(hidden->getControl()->handle, GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(hidden->getControl()->tabStop);
}

TEST_F(WinElementTest, MouseMessagesBecomeEventsWithButtonAndMoveCodes) {
    EventLog downs, moves, ups, wheels, doubles;
    auto label = makeLabel();
    label->mouseCapture = true;
    label->init();
    label->outMouseDown = downs.link();
    label->outMouseMove = moves.link();
    label->outMouseUp = ups.link();
    label->outMouseWheel = wheels.link();
    label->outDblClick = doubles.link();
    HWND window = label->getControl()->handle;

    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
    EXPECT_EQ(GetCapture(), window);
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 6));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 6));
    EXPECT_NE(GetCapture(), window);
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(7, 8));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(9, 9));
    SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, 0);
    SendMessageW(window, WM_MOUSEMOVE, MK_RBUTTON, 0);
    SendMessageW(window, WM_MBUTTONDBLCLK, MK_MBUTTON, 0);
    ReleaseCapture();
    EXPECT_EQ(downs.integers(), (std::vector<std::int32_t>{0, 1}));
    EXPECT_EQ(ups.integers(), std::vector<std::int32_t>{0});
    // Each move reports the buttons of the mouse event before it.
    EXPECT_EQ(moves.integers(), (std::vector<std::int32_t>{0, -1, -1, 1}));
    EXPECT_EQ(doubles.integers(), std::vector<std::int32_t>{2});

    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -120), 0);
    EXPECT_EQ(wheels.integers(), (std::vector<std::int32_t>{120, -120, -119}));
    pumpMessages();
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

    EventLog downs, ups, presses;
    auto edit = std::make_unique<SwallowingEdit>(form);
    place(*edit, 0, 0, 100, 20);
    edit->Text = "abc";
    edit->useRealReader();
    edit->init();
    edit->outKeyDown = downs.link();
    edit->outKeyUp = ups.link();
    edit->outKeyPress = presses.link();
    ASSERT_NO_FATAL_FAILURE(focus(*edit->getControl()));
    HWND window = edit->getControl()->handle;
    SendMessageW(window, EM_SETSEL, 0, 0);

    for (int key : {int('A'), VK_F2, VK_DELETE})
        SendMessageW(window, WM_KEYDOWN, key, 1);
    SendMessageW(window, WM_KEYUP, 'A', 0xC0000001);
    typeText(window, L"q");
    EXPECT_EQ(formKeys.seen, (std::vector<std::int32_t>{'A', VK_F2, VK_DELETE}));
    EXPECT_EQ(downs.integers(), std::vector<std::int32_t>{'A'});
    EXPECT_EQ(ups.integers(), std::vector<std::int32_t>{'A'});
    ASSERT_EQ(presses.count(), 1);
    EXPECT_EQ(presses.last().strValue, "q");
    EXPECT_EQ(edit->getControl()->getCaption(), "abc"); // Delete never reached the edit

    edit->keyPreview = false;
    SendMessageW(window, WM_KEYDOWN, VK_F2, 1);
    EXPECT_EQ(formKeys.seen.size(), 3u);
    EXPECT_EQ(downs.integers(), (std::vector<std::int32_t>{'A', VK_F2}));
    form->onKeyDown = {};
}

TEST_F(WinElementTest, FocusSizeMoveAndVisibilityBecomeEventsButNotAtDestruction) {
    EventLog focusIn, focusOut, resized, moved, shown, hidden;
    auto first = std::make_unique<TKNButton>(form);
    auto second = std::make_unique<TKNButton>(form);
    place(*first, 0, 0, 80, 24);
    place(*second, 0, 40, 80, 24);
    first->init();
    second->init();
    first->outSetFocus = focusIn.link();
    first->outKillFocus = focusOut.link();
    first->outResize = resized.link();
    first->outMove = moved.link();
    first->outShow = shown.link();
    first->outHide = hidden.link();

    ASSERT_NO_FATAL_FAILURE(focus(*first->getControl()));
    ASSERT_NO_FATAL_FAILURE(focus(*second->getControl()));
    EXPECT_EQ(focusIn.count(), 1);
    EXPECT_EQ(focusOut.count(), 1);
    first->getControl()->setBounds({5, 5, 95, 35});
    EXPECT_GE(resized.count(), 1);
    EXPECT_GE(moved.count(), 1);
    first->getControl()->setVisible(false);
    first->getControl()->setVisible(true);
    EXPECT_EQ(hidden.count(), 1);
    EXPECT_EQ(shown.count(), 1);

    ASSERT_NO_FATAL_FAILURE(focus(*first->getControl()));
    first.reset();
    EXPECT_EQ(hidden.count(), 1);
    EXPECT_EQ(focusOut.count(), 1);
}

TEST_F(WinElementTest, SizingHooksMayAnswerAnotherChange) {
    auto label = makeLabel();
    label->init();
    SizeLimit limit;
    label->sizingWidth = makeLink<&SizeLimit::limit>(&limit);
    TControl& control = *label->getControl();
    control.setBounds({20, 30, 170, 100}); // 50 wider and 30 higher than at init
    EXPECT_EQ(control.width(), 110);
    EXPECT_EQ(control.height(), 70);
    label->sizingHeight = makeLink<&SizeLimit::limit>(&limit);
    control.setBounds({20, 30, 110, 200});
    EXPECT_EQ(control.width(), 90); // narrower: the hook lets it be
    EXPECT_EQ(control.height(), 80);
}

TEST_F(WinElementTest, AControlGoesOnceWhetherTheToolkitOrTheElementFreesItFirst) {
    auto label = makeLabel();
    label->init();
    label->getControl()->free();
    EXPECT_TRUE(label->windowDestroyed);
    EXPECT_EQ(label->getInterfaceControl()(), nullptr);
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

TEST_F(WinElementTest, ButtonClickCarriesACopyOfDataAndDefaultTakesEnter) {
    EventLog clicks;
    auto button = std::make_unique<TKNButton>(form);
    place(*button, 0, 0, 205, 20);
    button->Caption = "Построить график";
    button->init();
    button->outClick = clicks.link();
    HWND window = button->getControl()->handle;
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_STYLE) & BS_MULTILINE);
    EXPECT_EQ(button->getControl()->getCaption(), "Построить график");

    SendMessageW(window, BM_CLICK, 0, 0);
    setString(button->Data, "payload");
    SendMessageW(window, BM_CLICK, 0, 0);
    ASSERT_EQ(clicks.count(), 2);
    EXPECT_EQ(clicks.values[0].tag, tagNull);
    EXPECT_EQ(clicks.values[1].strValue, "payload");
    EXPECT_EQ(button->Data.strValue, "payload");
    EXPECT_EQ(form->defaultButton, nullptr);

    auto preferred = std::make_unique<TKNButton>(form);
    preferred->Default = true;
    preferred->init();
    auto other = std::make_unique<TKNButton>(form);
    other->init(); // not the default: takes nothing away
    EXPECT_EQ(form->defaultButton, preferred->getControl());
}

TEST_F(WinElementTest, LabelShowsItsCaptionSizesToItAndClicks) {
    EventLog clicks;
    auto label = makeLabel();
    label->setAutoSize(true);
    label->Caption = "Эффективность, дБ";
    label->init();
    label->outClick = clicks.link();
    TControl& control = *label->getControl();
    EXPECT_EQ(control.getCaption(), "Эффективность, дБ");
    const std::int32_t width = control.width();
    EXPECT_GT(width, 20);
    EXPECT_NE(width, 100);
    control.setCaption("Эффективность виброизоляции, дБ");
    EXPECT_GT(control.width(), width);
    SendMessageW(control.handle, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(control.handle, WM_LBUTTONUP, 0, 0);
    pumpMessages();
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(control.onMouseEnter); // no hover colours: no enter and leave handlers
}

struct PretendedMouse {
    bool inside = false;
    bool hit(TControl*, std::int32_t, std::int32_t) { return inside; }
};

TEST_F(WinElementTest, LabelHoverChangesColourAndUnderlineWhileTheMouseIsOver) {
    EventLog enters, leaves;
    PretendedMouse mouse;
    auto label = makeLabel();
    label->Caption = "hover";
    label->Font = {"MS Sans Serif", 8, 0, 0, 1};
    label->HoverColor = 0x0000FF;
    label->HoverUnderline = true;
    label->init();
    label->outMouseEnter = enters.link();
    label->outMouseLeave = leaves.link();
    TControl& control = *label->getControl();
    control.hitTest =
        bindFuncMethod<&PretendedMouse::hit, bool, TControl*, std::int32_t, std::int32_t>(&mouse);

    for (bool inside : {true, false}) {
        mouse.inside = inside;
        SendMessageW(control.handle, WM_MOUSEMOVE, 0, 0);
        EXPECT_EQ(control.textColor, inside ? 0x0000FF : 0);
        EXPECT_EQ((control.fontTool().fontStyle() & 4) != 0, inside);
    }
    EXPECT_EQ(enters.count(), 1);
    EXPECT_EQ(leaves.count(), 1);
    pumpMessages();
}

TEST_F(WinElementTest, HintsMakeATipOnlyWhenThereIsATextOrAManager) {
    auto plain = makeLabel();
    plain->init();
    plain->attachHint(nullptr);
    EXPECT_EQ(plain->tooltipId, nullptr);

    auto hinted = makeLabel();
    hinted->Hint = "Подсказка";
    hinted->init();
    hinted->attachHint(nullptr);
    ASSERT_NE(hinted->tooltipId, nullptr);
    HWND tip = tipWindow(*hinted->tooltipId);
    EXPECT_TRUE(IsWindow(tip));
    hinted.reset();
    EXPECT_FALSE(IsWindow(tip)); // the tip goes with its element

    // A manager given: a tip even without a text, and enter and leave handlers.
    auto managed = makeLabel();
    managed->init();
    managed->attachHint(createHintManager());
    EXPECT_NE(managed->tooltipId, nullptr);
    EXPECT_TRUE(managed->getControl()->onMouseEnter);
    pumpMessages();
}

} // namespace
