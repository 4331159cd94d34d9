// TControl: the one class behind every window: the applet, forms and child
// controls. The object holds the properties; its window is made on first
// need (control_factory.h). Messages reach the object through one window
// procedure and pass a fixed chain of handlers before the control's own
// processing (dispatch.h); events are set through setters that attach what
// serves them (control_events.cpp). An edit's lines are edit_text.h, the
// keyboard's way through a form navigation.h, buffered painting
// double_buffer.h.
#pragma once

#include "toolkit/control_types.h"
#include "toolkit/graphic_tool.h"
#include "toolkit/list.h"
#include "toolkit/obj.h"

#include <memory>
#include <string>
#include <vector>

class TCanvas;

class TControl : public TObj {
public:
    // Made under the parent (or none): it takes the parent's colours, font,
    // brush and cursor.
    TControl(TControl* parent, const TControlSetup& setup);

    HWND handle = nullptr;
    TControl* parent = nullptr;
    TObjPtr<TList> children; // of TControl*
    const TActionRecord actions;
    TMessageMethod messageHandler; // the element's: offered each message first
    TNavigation navigation;

    bool isApplet() const { return kind_ == TControlKind::applet; }
    bool isForm() const { return kind_ == TControlKind::form; }
    bool isControl() const { return kind_ == TControlKind::child; }
    bool isMainWindow() const;
    TControl* parentForm();
    TFormState* formState() { return formState_.get(); } // forms and the applet
    TControl* child(std::int32_t index) const;
    std::int32_t childCount() const { return children->count(); }
    const std::string& subclassName() const { return subclassName_; }
    std::uint16_t controlId() const { return controlId_; }

    // The window: made on first need, nil before and once the system destroyed it.
    HWND getHandle();
    virtual bool createWindow();
    HWND liveWindow() const { return windowGone_ ? nullptr : handle; }
    void invalidate();

    // Messages (dispatch.cpp).
    virtual LRESULT windowMethod(TMessage& msg);
    LRESULT defaultProcessing(const TMessage& msg);
    LRESULT send(UINT message, WPARAM wParam, LPARAM lParam);
    void attachHandler(TMessageHandler proc, bool keepAfterTermination);

    // Events (control_events.cpp): each setter attaches whatever serves it.
    void setOn(TNotice notice, TNotifyEvent handler);
    void setOn(TMouseAction action, TMouseEvent handler);
    void setOn(TKeyAction action, TKeyEvent handler);
    void setOnChar(TCharEvent handler);
    void setOnPaint(TPaintEvent handler);
    void clearEvents(); // an owner going: nothing of it is called any more
    const TNotifyEvent& handler(TNotice notice) const;
    const TKeyEvent& handler(TKeyAction action) const;
    bool paints() const { return static_cast<bool>(onPaint_); }
    // Raised by the toolkit's handlers.
    void notify(TNotice notice);
    void raise(TMouseAction action, TMouseRecord& record);
    void raise(TKeyAction action, std::int32_t& key, std::uint32_t shift);
    void raiseChar(char& character, std::uint32_t shift);
    void paint(HDC dc);

    // Place, visibility and state.
    RECT getBounds() const;
    void setBounds(const RECT& value);
    std::int32_t left() const { return getBounds().left; }
    std::int32_t top() const { return getBounds().top; }
    std::int32_t width() const;
    std::int32_t height() const;
    void setPosition(std::int32_t x, std::int32_t y);
    void setSize(std::int32_t w, std::int32_t h); // only the positive ones
    bool visible() const;
    void setVisible(bool value);
    void setCreateVisible(bool value); // the window is made as visible says
    bool enabled() const { return enabled_; }
    void setEnabled(bool value);
    std::uint32_t style() const { return style_; }
    void setStyle(std::uint32_t value);
    std::uint32_t exStyle() const { return exStyle_; }
    void setExStyle(std::uint32_t value);
    void setTextAlign(TTextAlign value);
    void setWindowState(std::uint8_t value); // SW_ order: 0 normal, 1 minimised, 2 maximised

    // Text and look.
    std::string getCaption() const;
    void setCaption(const std::string& text);
    std::int32_t color() const { return color_; }
    void setColor(std::int32_t value);
    std::int32_t textColor() const { return textColor_; }
    void setTextColor(std::int32_t value);
    bool transparent() const { return transparent_; }
    void setTransparentFlag(bool value) { transparent_ = value; } // control_paint's setTransparent
    HCURSOR cursor() const { return cursor_; }
    void setCursor(HCURSOR value) { cursor_ = value; }
    HICON icon() const { return icon_; }
    void setIcon(HICON value, bool shared); // a shared icon is not destroyed here
    std::uint8_t alphaBlend() const { return alphaBlend_; }
    void setAlphaBlendValue(std::uint8_t value) { alphaBlend_ = value; } // system's setAlphaBlend
    // The font and brush tools: made on first request, or nil while none.
    TGraphicTool& fontTool();
    TGraphicTool& brushTool();
    TGraphicTool* font() const { return font_; }
    TGraphicTool* brush() const { return brush_; }
    // Takes ownership of a tool; its changes re-apply to this control.
    void adoptFont(TGraphicTool* tool) { adoptTool(font_, tool); }
    void adoptBrush(TGraphicTool* tool) { adoptTool(brush_, tool); }
    void applyFont();
    HBRUSH backgroundBrush(); // the background is painted with it
    TCanvas* canvas() const { return canvas_; }
    void setCanvas(TCanvas* value) { canvas_ = value; } // owned; getCanvas makes it
    HDC paintDC() const { return paintDC_; }            // of the paint cycle under way
    void setPaintDC(HDC value) { paintDC_ = value; }

protected:
    ~TControl() override;
    void beforeDestruction() override;

private:
    friend bool enterLeaveHandler(TControl& control, TMessage& msg, LRESULT& result);
    friend class TEditText; // an edit's text still to come (edit_text.cpp)

    void changeStyle(std::uint32_t& field, int index, std::uint32_t value);
    void adoptTool(TGraphicTool*& slot, TGraphicTool* tool);
    void createChildWindows();
    HICON loadIcon();
    bool runHandlerChain(TMessage& msg, LRESULT& result);
    LRESULT builtinProcessing(TMessage& msg);
    LRESULT handleKeyMessage(TMessage& msg);
    LRESULT handleNcDestroy(TMessage& msg);
    void toolChanged(TGraphicTool* tool);
    void forgetInForm(TControl* form);

    struct HandlerEntry {
        TMessageHandler proc;
        bool keepAfterTermination;
    };
    const TControlKind kind_;
    const std::string subclassName_;
    std::unique_ptr<TFormState> formState_;
    std::vector<HandlerEntry> handlerList_; // attachHandler keeps each once
    TMessageHandler keyHook_ = nullptr;
    std::uint32_t classStyle_, style_, exStyle_;
    WNDPROC defaultProcedure_ = nullptr; // the system class's
    const std::uint16_t controlId_;
    bool createVisible_ = false;
    bool makeHidden_ = false;      // while getHandle makes the window early
    bool showAfterCreate_ = false; // made hidden as its handle was needed early
    bool leftChanged_ = false;     // the position is the caller's, not the system's
    bool topChanged_ = false;
    bool windowGone_ = false; // the system destroyed the window already
    bool enabled_ = true;
    std::uint8_t windowState_ = 0;
    std::int32_t savedShowCommand_ = 0;
    RECT bounds_{};
    std::string caption_;
    std::string pendingText_; // appended to a multi-line edit, not yet in its window
    HCURSOR cursor_ = nullptr;
    HICON icon_ = nullptr; // nil: not loaded yet; noIcon: none
    bool iconShared_ = false;
    TGraphicTool* font_ = nullptr;  // owned
    TGraphicTool* brush_ = nullptr; // owned
    std::int32_t textColor_ = clWindowText;
    std::int32_t color_ = clButtonFace;
    bool transparent_ = false;
    bool mouseInside_ = false;
    std::uint8_t alphaBlend_ = 255;
    TCanvas* canvas_ = nullptr; // owned
    HDC paintDC_ = nullptr;
    HBRUSH cachedBrush_ = nullptr; // solid background brush while no brush tool
    COLORREF cachedBrushColor_ = 0;
    TNotifyEvent notices_[static_cast<int>(TNotice::count)];
    TMouseEvent mouseEvents_[static_cast<int>(TMouseAction::count)];
    TKeyEvent keyEvents_[static_cast<int>(TKeyAction::count)];
    TCharEvent onChar_;
    TPaintEvent onPaint_;
};
