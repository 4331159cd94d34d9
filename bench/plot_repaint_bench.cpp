// Mean time of one full repaint of the application's plot: 251 points on a
// line and as markers, drawn into the back buffer and copied out, as the
// paint handler does.
//
//   plot_repaint_bench [repaints]
//
// The repaints run in ten batches; the median batch is reported beside the
// mean, since a shared machine slows single batches down.
#include "plot/line_series.h"
#include "plot/plot_painter.h"
#include "plot/point_series.h"
#include "toolkit/bitmap.h"
#include "toolkit/gdi_counter.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr std::int32_t width = 435;
constexpr std::int32_t height = 375;
constexpr std::int32_t buttonFace = static_cast<std::int32_t>(0x8000000F);

double efficiency(double f) {
    const double ratio = f / 6.0;
    return 20.0 * std::log10(ratio * ratio - 1.0);
}

double seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / frequency.QuadPart;
}

} // namespace

int main(int argc, char** argv) {
    constexpr int batches = 10;
    const int perBatch = std::max(1, (argc > 1 ? std::atoi(argv[1]) : 3000) / batches);

    TPlotView view;
    view.GridColor = 0xC0C0C0;
    view.TextColor = 0xFF0000;
    auto* line = new TLineSeries;
    line->Color = 0xFF0000;
    line->Size = 4;
    auto* markers = new TPointSeries;
    markers->Color = 0x0000FF;
    markers->Size = 2;
    markers->PointType = ptCircle;
    view.addSeries(line);
    view.addSeries(markers);
    for (int f = 10; f <= 260; ++f) {
        line->addValue(efficiency(f), f);
        markers->addValue(efficiency(f), f);
    }

    TBitmap* buffer = newBitmap(width, height);
    HRGN fullRegion = countGdiObject(CreateRectRgn(0, 0, width, height));
    HDC screen = GetDC(nullptr);
    HDC window = createMemoryDC(screen);
    HBITMAP windowImage = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(window, windowImage);

    auto repaint = [&] {
        paintPlot(*buffer->getBitmapCanvas(), view, width, height, buttonFace, fullRegion);
        buffer->draw(window, 0, 0);
    };
    repaint(); // handles and fonts made once, as after the first paint
    std::array<double, batches> batchMs{};
    for (double& ms : batchMs) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        for (int i = 0; i < perBatch; ++i)
            repaint();
        QueryPerformanceCounter(&end);
        ms = seconds(start, end) * 1000.0 / perBatch;
    }
    double mean = 0.0;
    for (double ms : batchMs)
        mean += ms / batches;
    std::sort(batchMs.begin(), batchMs.end());
    std::printf("%d repaints of %d points: %.3f ms each (median batch %.3f, fastest %.3f)\n",
                perBatch * batches, line->count() * 2, mean,
                (batchMs[batches / 2 - 1] + batchMs[batches / 2]) / 2, batchMs.front());

    SelectObject(window, previous);
    DeleteObject(windowImage);
    deleteMemoryDC(window);
    deleteGdiObject(fullRegion);
    buffer->free();
    view.removeSeries(markers);
    view.removeSeries(line);
    return 0;
}
