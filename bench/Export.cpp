// The drawing export: time and file size of a 10 000-element drawing in every format, with
// Qt's own SVG generator (the earlier SVG export) as the peer; and the memory an export
// takes beyond the document: SVG of 2 million elements, written as it is drawn, against
// the generator on a tenth of that, and PNG of a small drawing far from the canvas origin.
//
// Memory is the growth of the process's peak resident set during the export (the peak is
// reset just before it through /proc/self/clear_refs).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <QPainter>
#include <QSvgGenerator>

#include "BenchSupport.h"
#include "QtBenchMain.h"
#include "shell/formats/DrawingExport.h"
#include "shell/formats/QPainterDrawTarget.h"

namespace {

const std::filesystem::path kDir = std::filesystem::temp_directory_path();

// n vertices on a square grid of the given spacing, each joined to its right neighbour
// (and, from the second row on, to the one above every other column), named by number.
void AddGridGraph(CLattixDoc& doc, int n, int edges, int spacing, int origin) {
    const int cols = std::max(1, int(std::ceil(std::sqrt(double(n)))));
    std::vector<CVertex*> vs;
    vs.reserve(n);
    for (int i = 0; i < n; ++i) {
        auto* v = new CVertex(origin + (i % cols) * spacing, origin + (i / cols) * spacing, ColorIdToRgb(101 + i % 8));
        v->m_name = std::to_string(i);
        doc.AddElement(v);
        vs.push_back(v);
    }
    for (int i = 0, added = 0; added < edges && i < n; ++i) {
        if (i % cols + 1 < cols && i + 1 < n && added < edges) {
            doc.AddElement(new CEdge(vs[i], vs[i + 1], std::uint16_t(1 + added % 8)));
            ++added;
        }
        if (i >= cols && i % 2 == 0 && added < edges) {
            doc.AddElement(new CEdge(vs[i - cols], vs[i], std::uint16_t(1 + added % 8)));
            ++added;
        }
    }
    doc.ClearSelection();
}

long StatusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0) return std::stol(line.substr(key.size()));
    return 0;
}

void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

struct ExportDoc : BenchDoc {
    ExportDoc(int vertices, int edges, int spacing, int origin = 100) {
        AddGridGraph(*doc, vertices, edges, spacing, origin);
        view.m_guideMode = CLattixView::kGuideHorizontal;
    }
};

void ExportOnce(benchmark::State& state, ExportDoc& d, const std::string& name, DrawingExportOptions options = {}) {
    const std::string path = (kDir / name).string();
    std::string error;
    for (auto _ : state)
        if (!ExportDrawing(*d.doc, &d.view, path, options, error)) state.SkipWithError(error.c_str());
    state.counters["bytes"] = double(std::filesystem::file_size(path));
    std::filesystem::remove(path);
}

// 5 000 vertices with labels and 5 000 edges, about 2 900 pixels square, guides on.
void BM_Export10k(benchmark::State& state, const char* file) {
    ExportDoc d(5000, 5000, 40);
    DrawingExportOptions options;
    options.guides = true;
    ExportOnce(state, d, file, options);
}
BENCHMARK_CAPTURE(BM_Export10k, svg, "arborix-bench.svg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export10k, png, "arborix-bench.png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export10k, pdf, "arborix-bench.pdf")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export10k, tikz, "arborix-bench.tex")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export10k, ipe, "arborix-bench.ipe")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export10k, dot, "arborix-bench.dot")->Unit(benchmark::kMillisecond);

// The peer: the same drawing through QSvgGenerator, which holds the document in memory.
void SvgThroughGenerator(ExportDoc& d, const std::string& path) {
    const Rect area = ExportArea(*d.doc, 20);
    QSvgGenerator svg;
    svg.setFileName(QString::fromStdString(path));
    svg.setSize(QSize(area.Width(), area.Height()));
    svg.setViewBox(QRect(0, 0, area.Width(), area.Height()));
    QPainter painter(&svg);
    painter.fillRect(QRect(0, 0, area.Width(), area.Height()), Qt::white);
    QPainterDrawTarget target(painter, Rect{0, 0, area.Width(), area.Height()});
    d.doc->DrawGraph(target, area.left, area.top, 0, &d.view, true);
}

void BM_Export10kSvgQtGenerator(benchmark::State& state) {
    ExportDoc d(5000, 5000, 40);
    const std::string path = (kDir / "arborix-bench-qt.svg").string();
    for (auto _ : state) SvgThroughGenerator(d, path);
    state.counters["bytes"] = double(std::filesystem::file_size(path));
    std::filesystem::remove(path);
}
BENCHMARK(BM_Export10kSvgQtGenerator)->Unit(benchmark::kMillisecond);

// Peak memory beyond the document, in MB, of an SVG export of `elements` elements.
void BM_SvgPeakMemory(benchmark::State& state, bool stream) {
    const int n = int(state.range(0) / 2);
    ExportDoc d(n, n, 19);
    const std::string path = (kDir / "arborix-bench-peak.svg").string();
    double extraMb = 0;
    for (auto _ : state) {
        const long before = StatusKb("VmRSS");
        ResetPeak();
        std::string error;
        if (stream) ExportDrawing(*d.doc, &d.view, path, {}, error);
        else SvgThroughGenerator(d, path);
        extraMb = double(StatusKb("VmHWM") - before) / 1024;
    }
    state.counters["extra_MB"] = extraMb;
    state.counters["bytes"] = double(std::filesystem::file_size(path));
    std::filesystem::remove(path);
}
BENCHMARK_CAPTURE(BM_SvgPeakMemory, streamed, true)->Arg(200'000)->Arg(2'000'000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_SvgPeakMemory, qt_generator, false)->Arg(200'000)->Arg(2'000'000)->Iterations(1)->Unit(benchmark::kSecond);

// A 100-vertex drawing in the middle of the canvas: the image covers the drawing only.
void BM_PngPeakMemory(benchmark::State& state) {
    ExportDoc d(100, 100, 40, 9000);
    const std::string path = (kDir / "arborix-bench-peak.png").string();
    double extraMb = 0;
    for (auto _ : state) {
        const long before = StatusKb("VmRSS");
        ResetPeak();
        std::string error;
        ExportDrawing(*d.doc, &d.view, path, {}, error);
        extraMb = double(StatusKb("VmHWM") - before) / 1024;
    }
    state.counters["extra_MB"] = extraMb;
    state.counters["whole_canvas_MB"] = 20000.0 * 20000.0 * 4 / (1024 * 1024);
    std::filesystem::remove(path);
}
BENCHMARK(BM_PngPeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

ARBORIX_QT_BENCHMARK_MAIN()
