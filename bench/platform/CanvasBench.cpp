// Text measuring and shape drawing on an image canvas: what caption layout and
// painting cost per object.
#include "platform/graphics/Canvas.h"

#include <benchmark/benchmark.h>

namespace zov {
namespace {

void SetCaptionFont(TCanvas& canvas) {
    canvas.Font().SetName(QStringLiteral("Liberation Sans"));
    canvas.Font().SetHeight(-13);
}

void BM_TextExtent(benchmark::State& state) {
    TBitmapCanvas bitmap(10, 10);
    SetCaptionFont(bitmap.Canvas());
    const QString text = QStringLiteral("Order received from the customer");
    for (auto _ : state) {
        benchmark::DoNotOptimize(bitmap.Canvas().TextExtent(text));
    }
}
BENCHMARK(BM_TextExtent);

void BM_DrawTextEndEllipsis(benchmark::State& state) {
    TBitmapCanvas bitmap(10, 10);
    SetCaptionFont(bitmap.Canvas());
    using namespace DrawTextFlag;
    for (auto _ : state) {
        QString text = QStringLiteral("Order received from the customer, checked against stock");
        TRect r{0, 0, 120, 0};
        bitmap.Canvas().DrawText(text, r,
                                 CalcRect | NoPrefix | EditControl | EndEllipsis | ModifyString);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_DrawTextEndEllipsis);

void BM_DrawShapes(benchmark::State& state) {
    TBitmapCanvas bitmap(400, 300);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(clYellow);
    for (auto _ : state) {
        canvas.Rectangle(10, 10, 130, 60);
        canvas.Ellipse({150, 10, 270, 60});
        canvas.Polygon({{300, 10}, {360, 60}, {240, 60}});
    }
}
BENCHMARK(BM_DrawShapes);

} // namespace
} // namespace zov
