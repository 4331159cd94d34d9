// TKNPlotter: the window element that shows the graph. Every repaint draws
// the whole picture into a back buffer of the client size and copies it to
// the window. The mouse pans (middle button), zooms to a band (Ctrl and the
// left button) and zooms around the cursor (wheel).
#pragma once

#include "plot/plot_view.h"
#include "runtime/events.h"
#include "visual/win_element.h"

#include <windows.h>

#include <cstdint>

class TBitmap;

enum TDragMode : std::uint8_t { dmNone = 0, dmPan = 1, dmZoomRect = 2 };

class TKNPlotter : public TKNWin, public TPlotView {
public:
    explicit TKNPlotter(TControl* parent);
    ~TKNPlotter() override;

    // The base creation step, then painting and sizing of the buffer.
    void init() override;
    // What a series element attaches to.
    TKNPlotter* getPlotter() { return this; }
    // Invalidates the window; the picture is rebuilt at the next paint.
    void redraw() override;
    // Draws the whole picture into the back buffer.
    void paintPlot();

    TBitmap& backBuffer() const { return *backBuffer_; }
    HRGN fullRegion() const { return fullRegion_; }

    TPixel lastPos;
    TPixel downPos;
    std::uint8_t dragMode = dmNone;
    // Called with the TMouseRecord of each press, move and release.
    TEvents mouseDownObservers;
    TEvents mouseUpObservers;
    TEvents mouseMoveObservers;

protected:
    void mouseDown(TControl* sender, TMouseRecord& record) override;
    void mouseMove(TControl* sender, TMouseRecord& record) override;
    void mouseUp(TControl* sender, TMouseRecord& record) override;
    void mouseWheel(TControl* sender, TMouseRecord& record) override;
    bool message(TMessage& msg, LRESULT& result) override;

private:
    void paintHandler(TControl* sender, HDC dc);
    void resizeHandler(TControl* sender);
    SIZE clientSize() const;
    // The rubber band, in exclusive-or so that drawing it again erases it.
    void drawBand(TPixel from, TPixel to);
    // Ends a drag that lost its button or the mouse: the band goes, the
    // view stays.
    void cancelDrag();

    TBitmap* backBuffer_;
    HRGN fullRegion_ = nullptr;
    bool repaintDue = false; // invalidated and not painted since
};
