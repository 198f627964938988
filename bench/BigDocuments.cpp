// Every document command on the two big documents: a graph of 100 000 vertices and
// 300 000 edges between adjacent tracks ("grid", argument 0) and a path of 1 000 000 vertices
// whose tracks rise and fall between 1 and 1000 ("path", argument 1), the same documents
// that scripts/bigdocs times through arborix-cli. Each command runs once on a fresh copy;
// the time of building the copy is not counted. Undo memory: 500 checkpoints of a document
// of 100 000 elements.

#include <benchmark/benchmark.h>

#include <fstream>
#include <functional>
#include <string>

#include "BenchSupport.h"
#include "io/DocumentFormat.h"
#include "random/RandomTreeCommand.h"

namespace {

// 250 rows of 400 vertices, row r on track r + 1, each vertex of the first 249 rows joined
// to three of the next row (four for the first 1200): 300 000 edges.
void AddGrid(CLattixDoc& doc) {
    constexpr int rows = 250, cols = 400, offsets[] = {0, 1, 7, 13};
    std::vector<CVertex*> vs;
    vs.reserve(rows * cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            auto* v = new CVertex(40 + c * 49, 40 + r * 78, ColorIdToRgb(kColorIdBlue));
            v->m_trackNumber = r + 1;
            v->m_selected = false;
            doc.AddElement(v);
            vs.push_back(v);
        }
    for (int r = 0; r + 1 < rows; ++r)
        for (int c = 0; c < cols; ++c)
            for (int k = 0; k < 4; ++k) {
                const int i = r * cols + c;
                if (k == 3 && i >= 1200) break;
                const int d = c + offsets[k] < cols ? c + offsets[k] : c - offsets[k];
                auto* e = new CEdge(vs[i], vs[(r + 1) * cols + d], kEdgeBlue);
                e->m_selected = false;
                doc.AddElement(e);
            }
}

// Vertex i on track 1 + the triangle wave of period 1998; with `bends`, every second vertex
// is a bend point.
void AddPath(CLattixDoc& doc, bool bends = false) {
    constexpr int n = 1000000;
    CVertex* prev = nullptr;
    for (int i = 0; i < n; ++i) {
        const int p = i % 1998, t = p < 1000 ? p + 1 : 1999 - p;
        auto* v = new CVertex(20 + (i / 999) * 19, 10 + t * 19, ColorIdToRgb(kColorIdBlue));
        v->m_trackNumber = t;
        v->m_selected = false;
        if (bends && i % 2 == 1 && i + 1 < n) {
            v->m_isBend = true;
            v->SetRadius(5);
        }
        doc.AddElement(v);
        if (prev) {
            auto* e = new CEdge(prev, v, kEdgeBlue);
            e->m_selected = false;
            doc.AddElement(e);
        }
        prev = v;
    }
}

struct BigDoc : BenchDoc {
    explicit BigDoc(int which, bool bends = false) {
        if (which == 0) AddGrid(*doc);
        else AddPath(*doc, bends);
        doc->ClearSelection();
        platform.m_defaultAnswer = true;
        doc->CheckPoint();
        doc->SetModifiedFlag(false);
    }
};

// Runs `command` once on a fresh document; reports the messages it showed.
void RunOnce(benchmark::State& state, const std::function<void(BigDoc&)>& prepare,
             const std::function<void(BigDoc&)>& command, bool bends = false) {
    for (auto _ : state) {
        state.PauseTiming();
        auto big = std::make_unique<BigDoc>(int(state.range(0)), bends);
        if (prepare) prepare(*big);
        big->platform.m_messages.clear();
        state.ResumeTiming();
        command(*big);
        state.PauseTiming();
        std::string shown;
        for (const auto& m : big->platform.m_messages) shown += (shown.empty() ? "" : " | ") + m.substr(0, 60);
        state.SetLabel(shown);
        big.reset();
        state.ResumeTiming();
    }
}

void SelectEveryOther(BigDoc& b, bool vertices) {
    int i = 0;
    for (CElement* e : b.doc->m_elements)
        if (e->IsVertex() == vertices && i++ % 2 == 0) b.doc->AddToSelection(e);
}

#define BIG(name) BENCHMARK(name)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond)

void BM_Components(benchmark::State& s) { RunOnce(s, nullptr, [](BigDoc& b) { b.doc->OnConnectedComponents(); }); }
BIG(BM_Components);
void BM_Planarity(benchmark::State& s) { RunOnce(s, nullptr, [](BigDoc& b) { b.doc->OnPlanarityTesting(); }); }
BIG(BM_Planarity);
void BM_LevelPlanarity(benchmark::State& s) {
    RunOnce(s, nullptr, [](BigDoc& b) { b.doc->OnLevelPlanarityTesting(); });
}
BIG(BM_LevelPlanarity);
void BM_DrawLevelPlanar(benchmark::State& s) {
    RunOnce(s, nullptr, [](BigDoc& b) { b.doc->OnDrawLevelPlanarGraph(); });
}
BIG(BM_DrawLevelPlanar);
void BM_DrawUlpTrees(benchmark::State& s) { RunOnce(s, nullptr, [](BigDoc& b) { b.doc->OnDrawUlpTrees(); }); }
BIG(BM_DrawUlpTrees);
void BM_CountCrossings(benchmark::State& s) { RunOnce(s, nullptr, [](BigDoc& b) { b.doc->CountCrossings(); }); }
BIG(BM_CountCrossings);
void BM_UlpRecognitionMode(benchmark::State& s) {
    RunOnce(s, nullptr, [](BigDoc& b) { b.doc->OnUlpRecognitionMode(); });
}
BIG(BM_UlpRecognitionMode);
void BM_UpwardMode(benchmark::State& s) { RunOnce(s, nullptr, [](BigDoc& b) { b.doc->OnUpwardMode(); }); }
BIG(BM_UpwardMode);
void BM_SefeMode(benchmark::State& s) {
    // The SEFE highlighting shows after the next edit: switch on, then one edit's recomputation.
    RunOnce(s, nullptr, [](BigDoc& b) {
        b.doc->OnSefeMode();
        b.doc->RecomputeDerivedData();
    });
}
BIG(BM_SefeMode);
void BM_RemoveAllBends(benchmark::State& s) {
    // On the path, every second vertex is a bend: 499 999 bends.
    RunOnce(s, nullptr, [](BigDoc& b) { b.doc->OnRemoveAllBends(); }, true);
}
BIG(BM_RemoveAllBends);
void BM_DeleteHalfTheVertices(benchmark::State& s) {
    RunOnce(s, [](BigDoc& b) { SelectEveryOther(b, true); }, [](BigDoc& b) { b.doc->DeleteSelection(); });
}
BIG(BM_DeleteHalfTheVertices);
void BM_DeleteHalfTheEdges(benchmark::State& s) {
    RunOnce(s, [](BigDoc& b) { SelectEveryOther(b, false); }, [](BigDoc& b) { b.doc->DeleteSelection(); });
}
BIG(BM_DeleteHalfTheEdges);
void BM_CutAndPasteEverything(benchmark::State& s) {
    RunOnce(s, [](BigDoc& b) { for (CElement* e : b.doc->m_elements) b.doc->AddToSelection(e); },
            [](BigDoc& b) {
                b.doc->OnEditCut();
                b.doc->OnEditPaste();
            });
}
BIG(BM_CutAndPasteEverything);
void BM_UndoRedo(benchmark::State& s) {
    RunOnce(s, [](BigDoc& b) {
        auto* v = b.doc->m_elements.front()->AsVertex();
        v->PlaceAt(v->m_center.x + 5, v->m_center.y, nullptr);
        b.doc->CheckPoint();
    }, [](BigDoc& b) {
        b.doc->OnEditUndo();
        b.doc->OnEditRedo();
    });
}
BIG(BM_UndoRedo);
void BM_Save(benchmark::State& s) {
    RunOnce(s, nullptr, [](BigDoc& b) { b.doc->OnSaveDocument("/tmp/arborix-bench-big.lxd"); });
    std::remove("/tmp/arborix-bench-big.lxd");
}
BIG(BM_Save);

// The random generators at their largest size.
void BM_RandomTree(benchmark::State& state) {
    const auto method = static_cast<RandomTreeMethod>(state.range(0));
    for (auto _ : state) {
        BenchDoc b;
        b.platform.m_ticks = 7;
        b.platform.m_randomTreeAnswers.push_back(1000);
        RandomTreeOptions options;
        options.maxAttempts = 1000; // the labeled rejection sampler accepts next to nothing at 1000
        benchmark::DoNotOptimize(RunRandomTreeCommand(*b.doc, method, options));
    }
}
BENCHMARK(BM_RandomTree)
    ->Arg(int(RandomTreeMethod::Labeled))
    ->Arg(int(RandomTreeMethod::Rooted))
    ->Arg(int(RandomTreeMethod::FreeFromLabeled))
    ->Arg(int(RandomTreeMethod::FreeFromRooted))
    ->Arg(int(RandomTreeMethod::Wilf))
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// Resident memory of the process now and at its peak, in MB.
std::pair<double, double> ResidentMb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    double now = 0, peak = 0, kb;
    while (status >> key) {
        if (key == "VmRSS:" && status >> kb) now = kb / 1024;
        else if (key == "VmHWM:" && status >> kb) peak = kb / 1024;
    }
    return {now, peak};
}

// 500 checkpoints of a document of 100 000 elements (40 000 vertices, 60 000 edges), each
// after a small edit: argument 0 moves a vertex, 1 deletes one (which renumbers the class
// tag of every later edge record), 2 moves every vertex (nothing left in common).
void BM_UndoHistory(benchmark::State& state) {
    for (auto _ : state) {
        BenchDoc b;
        AddRandomGraph(*b.doc, 40000, 60000, 1, 600);
        b.doc->ClearSelection();
        b.doc->CheckPoint();
        std::vector<CVertex*> vs;
        for (CElement* e : b.doc->m_elements)
            if (CVertex* v = e->AsVertex()) vs.push_back(v);
        for (int i = 0; i < 500; ++i) {
            switch (state.range(0)) {
            case 0: vs[i * 37 % vs.size()]->PlaceAt(vs[i * 37 % vs.size()]->m_center.x + 3, 500, nullptr); break;
            case 1:
                b.doc->DeleteElement(vs[i * 37 % vs.size()]);
                vs.erase(vs.begin() + i * 37 % vs.size());
                break;
            default:
                for (CVertex* v : vs) v->m_center.x += (v->m_center.x < 19000 ? 1 : -1);
                break;
            }
            b.doc->CheckPoint();
        }
        const auto [now, peak] = ResidentMb();
        state.counters["stored_MB"] = double(b.doc->StoredBytes()) / (1 << 20);
        state.counters["whole_MB"] = double(b.doc->SnapshotBytes()) / (1 << 20);
        state.counters["rss_MB"] = now;
        state.counters["peak_rss_MB"] = peak;
        state.counters["levels"] = double(b.doc->UndoDepth());
    }
}
BENCHMARK(BM_UndoHistory)->Arg(0)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
