// The drawing in every export format, checked where Debian has a tool for the format:
// pdfinfo and pdftotext for PDF, neato for DOT, pdflatex for TikZ, ipetoipe for Ipe.
// The checks that need no tool always run; the others say why they were skipped.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QXmlStreamReader>

#include "shell/formats/DrawingExport.h"
#include "support/TestDoc.h"

namespace {

void GuiApp() {
    static int argc = 1;
    static char name[] = "formats_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
}

bool Have(const std::string& tool) { return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0; }

// Output of a shell command, or nullopt when it failed.
std::optional<std::string> RunTool(const std::string& command) {
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe) return std::nullopt;
    std::string out;
    char buf[4096];
    while (std::size_t n = std::fread(buf, 1, sizeof buf, pipe)) out.append(buf, n);
    return pclose(pipe) == 0 ? std::optional(out) : std::nullopt;
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Drawing {
    TestDoc t;
    std::filesystem::path dir = std::filesystem::temp_directory_path() / ("arborix-export-" + std::to_string(getpid()));
    Drawing() {
        GuiApp();
        std::filesystem::create_directories(dir);
        CVertex* a = t.Vertex(1000, 1000, "alpha");
        CVertex* b = t.Vertex(1300, 1100, "beta");
        CVertex* c = t.Vertex(1150, 1400, "gamma");
        t.Edge(a, b, kEdgeBlue);
        t.Edge(b, c, kEdgeRed);
        t.Edge(c, a, kEdgeGreen);
        t.d().m_directed = true;
        t.d().ClearSelection();
    }
    ~Drawing() { std::filesystem::remove_all(dir); }
    std::string Export(const std::string& name, DrawingExportOptions options = {}) {
        const std::string path = (dir / name).string();
        std::string error;
        EXPECT_TRUE(ExportDrawing(t.d(), t.view.get(), path, options, error)) << error;
        return path;
    }
};

} // namespace

TEST(DrawingExport, PngShowsTheDrawingsAreaAtItsScale) {
    Drawing d;
    // Far from the canvas origin, the picture is still only as large as the drawing.
    const QImage one(QString::fromStdString(d.Export("a.png")));
    ASSERT_FALSE(one.isNull());
    const Rect area = ExportArea(d.t.d(), 20);
    EXPECT_EQ(one.width(), area.Width());
    EXPECT_EQ(one.height(), area.Height());
    DrawingExportOptions twice;
    twice.scale = 2;
    const QImage two(QString::fromStdString(d.Export("b.png", twice)));
    EXPECT_EQ(two.width(), 2 * area.Width());
    // The blue vertex disc of alpha is in the picture where the drawing has it.
    const QColor centre = one.pixelColor(1000 - area.left, 1000 - area.top - 8);
    EXPECT_GT(centre.blue(), 200);
    EXPECT_LT(centre.red(), 100);
}

TEST(DrawingExport, SvgIsWellFormedWithEveryShapeAndLabel) {
    Drawing d;
    DrawingExportOptions guides;
    guides.guides = true;
    d.t.view->m_guideMode = CLattixView::kGuideGrid;
    QFile file(QString::fromStdString(d.Export("a.svg", guides)));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    int ellipses = 0, lines = 0;
    std::vector<std::string> texts;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (xml.name() == u"ellipse") ++ellipses;
        else if (xml.name() == u"path") ++lines;
        else if (xml.name() == u"text") texts.push_back(xml.readElementText().toStdString());
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(ellipses, 3);
    // Three edges with two arrow strokes each, and guide lines besides.
    EXPECT_GT(lines, 9);
    for (const char* label : {"alpha", "beta", "gamma"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), label), texts.end()) << label;
}

TEST(DrawingExport, SelectionOnlyLeavesTheDocumentAsItWas) {
    Drawing d;
    CVertex* a = d.t.VertexNamed("alpha");
    d.t.d().AddToSelection(a);
    a->m_hidden = false;
    DrawingExportOptions only;
    only.selectionOnly = true;
    const QImage part(QString::fromStdString(d.Export("sel.png", only)));
    EXPECT_LT(part.width(), 100); // one vertex with its margin
    for (CElement* e : d.t.d().m_elements) {
        EXPECT_FALSE(e->m_hidden);
        EXPECT_EQ(e->m_selected, e == a);
    }
}

TEST(DrawingExport, AFailedExportLeavesNoFileAndSaysSo) {
    Drawing d;
    std::string error;
    const std::string path = (d.dir / "missing" / "a.pdf").string();
    EXPECT_FALSE(ExportDrawing(d.t.d(), d.t.view.get(), path, {}, error));
    EXPECT_EQ(error, "Couldn't save the file");
    EXPECT_FALSE(std::filesystem::exists(path));
    DrawingExportOptions huge;
    huge.scale = 16;
    d.t.Vertex(19000, 19000, "far");
    EXPECT_FALSE(ExportDrawing(d.t.d(), d.t.view.get(), (d.dir / "big.png").string(), huge, error));
    EXPECT_NE(error.find("too large"), std::string::npos);
}

TEST(DrawingExport, PdfHasTheDrawingsSizeAndItsTextAsText) {
    if (!Have("pdfinfo") || !Have("pdftotext")) GTEST_SKIP() << "poppler-utils (pdfinfo, pdftotext) not installed";
    Drawing d;
    const std::string pdf = d.Export("a.pdf");
    const auto info = RunTool("pdfinfo '" + pdf + "'");
    ASSERT_TRUE(info);
    std::smatch m;
    ASSERT_TRUE(std::regex_search(*info, m, std::regex("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")));
    const Rect area = ExportArea(d.t.d(), 20);
    EXPECT_NEAR(std::stod(m[1]), area.Width() * 0.75, 1.0);
    EXPECT_NEAR(std::stod(m[2]), area.Height() * 0.75, 1.0);
    const auto text = RunTool("pdftotext '" + pdf + "' -");
    ASSERT_TRUE(text);
    for (const char* label : {"alpha", "beta", "gamma"}) EXPECT_NE(text->find(label), std::string::npos) << label;
}

TEST(DrawingExport, NeatoKeepsTheDotPositions) {
    if (!Have("neato")) GTEST_SKIP() << "graphviz (neato) not installed";
    Drawing d;
    const std::string dot = Slurp(d.Export("a.dot"));
    const auto laid = RunTool("neato -n2 -Tplain '" + (d.dir / "a.dot").string() + "'");
    ASSERT_TRUE(laid);
    // plain output: "node NAME X Y ..." in inches; ours are points, 72 to the inch.
    std::istringstream lines(*laid);
    std::string line;
    int nodes = 0;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string kind, name;
        double x = 0, y = 0;
        if (!(words >> kind >> name >> x >> y) || kind != "node") continue;
        ++nodes;
        std::smatch m;
        ASSERT_TRUE(std::regex_search(dot, m, std::regex(name + " \\[pos=\"([0-9.]+),([0-9.]+)!\"")));
        EXPECT_NEAR(x * 72, std::stod(m[1]), 0.5) << name;
        EXPECT_NEAR(y * 72, std::stod(m[2]), 0.5) << name;
    }
    EXPECT_EQ(nodes, 3);
}

TEST(DrawingExport, PdflatexCompilesTheTikzFigure) {
    if (!Have("pdflatex") || !RunTool("kpsewhich standalone.cls") || !RunTool("kpsewhich tikz.sty"))
        GTEST_SKIP() << "pdflatex with the standalone class and TikZ not installed "
                        "(texlive-latex-base, texlive-latex-extra, texlive-pictures)";
    Drawing d;
    // What TeX would choke on: special characters in a name, weights, highlights, dashes.
    d.t.Vertex(1400, 1000, "x_1 & {50%} #$^~\\");
    d.t.d().m_showWeight = true;
    d.t.VertexNamed("beta")->m_highlight = MakeRgb(255, 200, 0);
    d.t.Edges()[0]->m_highlight = MakeRgb(0, 255, 0);
    d.t.view->m_showDashedEdges = true;
    DrawingExportOptions guides;
    guides.guides = true;
    d.t.view->m_guideMode = CLattixView::kGuideHorizontal;
    d.Export("fig.tex", guides);
    ASSERT_TRUE(RunTool("cd '" + d.dir.string() + "' && pdflatex -interaction=nonstopmode -halt-on-error fig.tex"));
    const auto text = RunTool("pdftotext '" + (d.dir / "fig.pdf").string() + "' -");
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("gamma"), std::string::npos);
}

TEST(DrawingExport, IpetoipeConvertsTheIpeDrawing) {
    if (!Have("ipetoipe")) GTEST_SKIP() << "ipe (ipetoipe) not installed";
    Drawing d;
    // Labels go through LaTeX in Ipe; without them no LaTeX is needed for the check.
    const bool latex = RunTool("kpsewhich xcolor.sty").has_value();
    if (!latex) d.t.d().m_showName = d.t.d().m_showTrackLabels = false;
    DrawingExportOptions guides;
    guides.guides = true;
    d.t.view->m_guideMode = CLattixView::kGuideGrid;
    const std::string ipe = d.Export("a.ipe", guides);
    const std::string pdf = (d.dir / "a.pdf").string();
    ASSERT_TRUE(RunTool("ipetoipe -pdf '" + ipe + "' '" + pdf + "'"));
    EXPECT_TRUE(std::filesystem::file_size(pdf) > 500);
    if (!latex) std::cout << "[ note ] labels left out: LaTeX for Ipe's text (xcolor) not installed\n";
}

TEST(DrawingExport, ALargeExportReportsProgressAndCanBeCancelled) {
    Drawing d;
    for (int i = 0; i < 30'000; ++i) {
        CVertex* a = d.t.Vertex(100 + (i % 300) * 40, 2000 + (i / 300) * 40);
        if (i % 300) d.t.Edge(a, d.t.Vertex(a->m_center.x + 5, a->m_center.y + 5));
    }
    std::int64_t reported = 0;
    d.t.platform.m_progress = [&](std::string_view, std::int64_t done, std::int64_t total) {
        EXPECT_LE(done, total);
        reported = done;
        return done < 20'000;
    };
    std::string error;
    const std::string path = (d.dir / "big.svg").string();
    EXPECT_FALSE(ExportDrawing(d.t.d(), d.t.view.get(), path, {}, error));
    EXPECT_TRUE(error.empty()) << error;
    EXPECT_GE(reported, 20'000);
    EXPECT_FALSE(std::filesystem::exists(path));
    d.t.platform.m_progress = nullptr;
    EXPECT_TRUE(ExportDrawing(d.t.d(), d.t.view.get(), path, {}, error)) << error;
}
