// Dragging one node that has 10 links in a graph of 100 000 objects: one mouse step
// is the hit test, the move, the link ends following and the repaint of what moved.
#include "GeneratedGraphs.h"
#include "graph/control/RaroviRovoz.h"
#include "graph/model/GraphLink.h"
#include "graph/model/GraphNode.h"

#include <QApplication>
#include <QMouseEvent>
#include <benchmark/benchmark.h>

namespace zov {
namespace {

void SendMouse(QWidget* view, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), view->mapToGlobal(QPointF(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(view, &event);
}

void BM_DragNodeWithTenLinks(benchmark::State& state) {
    TRaroviRovoz graph;
    graph.setAttribute(Qt::WA_DontShowOnScreen);
    graph.resize(1000, 800);
    graph.show();
    GenerateChain(graph.Document(), state.range(0));
    graph.SetSnapToGrid(false);
    // The hub, in view, and ten nodes around it to link to.
    TGraphNode* hub = graph.InsertNode({400, 300, 480, 340});
    for (int i = 0; i < 10; ++i) {
        graph.InsertLink(hub, graph.Objects().Items(i * 2));
    }
    QApplication::processEvents();
    int drawn = 0;
    graph.OnObjectBeforeDraw = [&drawn](TRaroviRovoz&, TGraphObject*, TCanvas&) {
        ++drawn;
    };
    QWidget* view = graph.viewport();
    QPoint at(440, 320);
    SendMouse(view, QEvent::MouseButtonPress, at, Qt::LeftButton);
    int step = 1;
    for (auto _ : state) {
        at += QPoint(step, step);
        step = -step;
        SendMouse(view, QEvent::MouseMove, at, Qt::LeftButton);
        QApplication::processEvents(); // paints what the move invalidated
    }
    SendMouse(view, QEvent::MouseButtonRelease, at, Qt::NoButton);
    state.counters["drawn/step"] = benchmark::Counter(drawn, benchmark::Counter::kAvgIterations);
    state.counters["objects"] = static_cast<double>(graph.Objects().Count());
}
BENCHMARK(BM_DragNodeWithTenLinks)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zov
