// TKNMainForm: the element of the application's top-level window. It makes
// the toolkit's applet when there is none, keeps the window hidden until the
// application starts, can remember the window's place between runs, and
// closing it ends the application.
#pragma once

#include "toolkit/str_list.h"
#include "visual/win_element.h"

#include <cstdint>
#include <string>

class TBitmap;

class TKNMainForm : public TKNWin {
public:
    explicit TKNMainForm(TControl* parent = nullptr);
    ~TKNMainForm() override;

    void init() override;
    // The client area scales with the screen; the frame is the system's.
    RECT placement() const override;

    void setCaption(const std::string& text);
    void setBorderStyle(std::uint8_t style); // 0 .. 9; others are ignored
    void setIcon(HICON icon);
    void setHideFromTaskbar(std::uint8_t flag);

    bool ownsApplication = false;
    bool shownOnce = false;
    TBitmap* background = nullptr; // owned; drawn at (0, 0) when not empty
    TMethod<bool> positionHandler; // (save) -> stores, else loads
    bool DragForm = false;
    std::uint8_t AlphaBlendValue = 255;
    std::uint8_t WindowState = 0;
    std::string PositionKey;
    bool ClientSize = false;
    TMethod<> createHook;
    TKN_Event srcCloseBlock;
    TKN_Event outActivate, outDeactivate, outStart, outClose;

protected:
    void mouseDown(TControl* sender, TMouseRecord& record) override;
    bool message(TMessage& msg, LRESULT& result) override;
    void show(TControl* sender) override;

private:
    static void startProc(void* self);
    void start();
    void paintBackground(TControl* sender, HDC dc);
    bool closeRoutine(bool userClose);
    // The screen's resolution changed: the window takes the rectangle the
    // system suggests, and the form and its controls are laid out again.
    void rescaleTo(std::int32_t dpi, const RECT& suggested);
    void postInnerMessage();
    void choosePositionHandler();
    void registryPosition(bool save);
    void iniPosition(bool save);

    TControl* createdApplet_ = nullptr;
};

// The windows of the forms that do not own the applet, and the message the
// forms post to each other when a named form moves or changes size.
TStrListEx& formWindows();
UINT innerMessage();
