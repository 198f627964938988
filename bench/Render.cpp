// One full repaint of a 10 000-element document into an off-screen image, as the editor
// view does on every change.

#include <benchmark/benchmark.h>


#include "BenchSupport.h"
#include "QtBenchMain.h"
#include "shell/formats/DrawingExport.h"

namespace {

struct RenderDoc : BenchDoc {
    explicit RenderDoc(int zoomIndex) {
        AddRandomGraph(*doc, 5000, 5000, 7, 600);
        doc->m_zoomIndex = zoomIndex;
        view.m_guideMode = CLattixView::kGuideGrid;
    }
};

// 100 %: a 1280 x 800 window somewhere in the middle of the canvas, guides on.
void BM_RepaintAt100Percent(benchmark::State& state) {
    RenderDoc d(9);
    d.view.m_clientWidth = 1280;
    d.view.m_clientHeight = 800;
    for (auto _ : state) {
        QImage image = RenderViewImage(*d.doc, &d.view, {9000, 9000}, 1280, 800, true);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RepaintAt100Percent)->Unit(benchmark::kMillisecond);

// 10 %: the whole canvas in a 2000 x 2000 picture, every element drawn.
void BM_RepaintWholeCanvasAt10Percent(benchmark::State& state) {
    RenderDoc d(0);
    d.view.m_clientWidth = 2000;
    d.view.m_clientHeight = 2000;
    for (auto _ : state) {
        QImage image = RenderViewImage(*d.doc, &d.view, {0, 0}, 2000, 2000, true);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RepaintWholeCanvasAt10Percent)->Unit(benchmark::kMillisecond);

} // namespace

ARBORIX_QT_BENCHMARK_MAIN()
