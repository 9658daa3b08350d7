// Repainting a 1400 x 900 view over the 100 000-object box diagram at the zoom levels
// a user takes to see all of it, and scrolling such a zoomed-out view.
#include "GeneratedGraphs.h"
#include "graph/control/RaroviRovoz.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>

namespace zov {
namespace {

constexpr int64_t kBoxes = 50000; // and 49 999 links

// The diagram shown in a view of 1400 x 900 pixels at the zoom given in percent.
class TZoomedView {
public:
    explicit TZoomedView(int32_t zoom) {
        fGraph.setAttribute(Qt::WA_DontShowOnScreen);
        fGraph.show();
        GenerateBoxDiagram(fGraph.Document(), kBoxes);
        fGraph.SetZoom(zoom);
        QApplication::processEvents();
        // Sized once the scroll bars are there: the frame grows by them.
        fGraph.resize(1400 + fGraph.width() - fGraph.viewport()->width(),
                      900 + fGraph.height() - fGraph.viewport()->height());
        QApplication::processEvents();
    }
    TRaroviRovoz& Graph() { return fGraph; }

private:
    TRaroviRovoz fGraph;
};

void BM_RepaintZoomedView(benchmark::State& state) {
    TZoomedView view(static_cast<int32_t>(state.range(0)));
    QWidget* viewport = view.Graph().viewport();
    QImage image(viewport->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        viewport->render(&image);
    }
    state.counters["width"] = viewport->width();
    state.counters["height"] = viewport->height();
}
BENCHMARK(BM_RepaintZoomedView)->Arg(5)->Arg(10)->Arg(25)->Arg(100)->Unit(benchmark::kMillisecond);

// One wheel notch of scrolling down and one back: Qt moves the painted pixels and
// only the uncovered strip is drawn.
void BM_ScrollZoomedView(benchmark::State& state) {
    TZoomedView view(static_cast<int32_t>(state.range(0)));
    TGraphScrollBar& bar = view.Graph().VertScrollBar();
    const int32_t start = bar.Position();
    int32_t direction = 1;
    for (auto _ : state) {
        bar.SetPosition(start + direction * bar.Increment());
        direction = -direction;
        QApplication::processEvents(); // paints the uncovered strip
    }
}
BENCHMARK(BM_ScrollZoomedView)->Arg(5)->Arg(10)->Arg(25)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zov
