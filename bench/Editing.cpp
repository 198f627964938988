// One drag step of the pointer tool in a 10 000-element document: PlaceAt on 100 selected
// vertices, the crossing recount, and a repaint of the view into an off-screen image.

#include <benchmark/benchmark.h>

#include <QImage>

#include "BenchSupport.h"
#include "QtBenchMain.h"
#include "shell/formats/DrawingExport.h"

namespace {

// A view that repaints the way the editor window does: the whole picture, off-screen.
class ImageView final : public CLattixView {
public:
    void Repaint() override {
        CLattixDoc* doc = GetDocument();
        m_image = RenderViewImage(*doc, this, m_scroll, m_clientWidth, m_clientHeight, true);
    }
    QImage m_image;
};

void BM_DragStep(benchmark::State& state) {
    HeadlessPlatform platform;
    ImageView view;
    view.m_clientWidth = 1280;
    view.m_clientHeight = 800;
    view.m_scroll = {0, 0};
    view.m_guideMode = CLattixView::kGuideHorizontal;
    view.m_snapToGuides = true;
    platform.m_activeView = &view;
    CLattixDoc doc(platform);
    doc.AddView(&view);
    doc.OnNewDocument();
    AddRandomGraph(doc, 5000, 5000, 3, 600);
    doc.ClearSelection();
    std::vector<CVertex*> near;
    for (CElement* e : doc.m_elements)
        if (CVertex* v = e->AsVertex(); v && v->m_center.x < 4000 && v->m_center.y < 3000 && near.size() < 100)
            near.push_back(v);
    for (CVertex* v : near) doc.AddToSelection(v);
    doc.SetTool(kToolPointer);
    const Point grab = near.front()->m_center;
    doc.OnLButtonDown(&view, 0, grab);
    int step = 0;
    for (auto _ : state) {
        ++step;
        doc.OnMouseMove(&view, 0, {grab.x + step % 40, grab.y + step % 30});
    }
    doc.OnLButtonUp(&view, 0, grab);
    state.counters["selected"] = double(near.size());
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond);

} // namespace

ARBORIX_QT_BENCHMARK_MAIN()
