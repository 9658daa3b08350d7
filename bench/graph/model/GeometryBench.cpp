// Costs of the geometry routines that run per object while painting, hit testing
// and laying out captions.
#include "graph/model/Geometry.h"
#include "platform/graphics/Canvas.h"

#include <benchmark/benchmark.h>
#include <cmath>

namespace zov {
namespace {

class FixedWidth : public TTextMeasure {
public:
    TSize TextExtent(const QString& text) const override {
        return {static_cast<int32_t>(text.size()) * 7, 15};
    }
    bool HasGlyph(char32_t) const override { return true; }
};

void BM_BreakIntoLines(benchmark::State& state) {
    const FixedWidth measure;
    const QString caption =
        QStringLiteral("Order received from the customer, checked against stock, then passed on to "
                       "shipping together with the invoice and the delivery note for the carrier.");
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            BreakIntoLines(measure, caption, static_cast<int32_t>(state.range(0))));
    }
}
BENCHMARK(BM_BreakIntoLines)->Arg(60)->Arg(200);

void BM_FitTextToBox(benchmark::State& state) {
    const FixedWidth measure;
    const QString caption =
        QStringLiteral("Order received from the customer, checked against stock, then passed on to "
                       "shipping together with the invoice and the delivery note for the carrier.");
    for (auto _ : state) {
        benchmark::DoNotOptimize(FitTextToBox(measure, caption, {0, 0, 120, 45}));
    }
}
BENCHMARK(BM_FitTextToBox);

// The same with a real font, measuring through the canvas.
void BM_FitTextToBoxRealFont(benchmark::State& state) {
    TBitmapCanvas bitmap(10, 10);
    bitmap.Canvas().Font().SetName(QStringLiteral("Liberation Sans"));
    bitmap.Canvas().Font().SetHeight(-13);
    const QString caption =
        QStringLiteral("Order received from the customer, checked against stock, then passed on to "
                       "shipping together with the invoice and the delivery note for the carrier.");
    for (auto _ : state) {
        benchmark::DoNotOptimize(FitTextToBox(bitmap.Canvas(), caption, {0, 0, 120, 45}));
    }
}
BENCHMARK(BM_FitTextToBoxRealFont);

void BM_CrossPolygon(benchmark::State& state) {
    TPoints polygon;
    const auto n = static_cast<int>(state.range(0));
    for (int i = 0; i < n; ++i) {
        const double a = 2 * Pi * i / n;
        polygon.push_back({static_cast<int32_t>(500 + 400 * std::cos(a)),
                           static_cast<int32_t>(500 + 300 * std::sin(a))});
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(CrossPolygon({500, 500}, 0.3, polygon));
    }
}
BENCHMARK(BM_CrossPolygon)->Arg(6)->Arg(100);

void BM_ClosestOnSegment(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(ClosestOnSegment({-40000, 1000}, {60000, 52000}, {1234, 40321}));
    }
}
BENCHMARK(BM_ClosestOnSegment);

void BM_CrossEllipse(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(CrossEllipse({150, 90}, 0.7, {100, 60, 220, 110}));
    }
}
BENCHMARK(BM_CrossEllipse);

} // namespace
} // namespace zov
