// The algorithms on documents and on light graphs (vertex count and index pairs, which
// the Python side makes from a networkx graph). Every run releases the interpreter lock;
// documents passed in are left as they were, algorithms that change a graph work on a copy.

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <chrono>
#include <map>

#include <QGuiApplication>

#include "Bindings.h"
#include "DocumentHandle.h"
#include "editor/StatusPanes.h"
#include "graph/ComponentLabels.h"
#include "io/FileIO.h"
#include "level/LevelPlanarityOf.h"
#include "planarity/PlanarityVerdict.h"
#include "random/RandomTreeCommand.h"
#include "shell/formats/DrawingExport.h"
#include "trees/CrossingCount.h"
#include "level/TreeClassOf.h"

namespace py = pybind11;

namespace {

using Edges = std::vector<std::pair<std::int32_t, std::int32_t>>;

LightGraph MakeLight(std::int32_t n, Edges edges) {
    if (n < 0) throw std::invalid_argument("the vertex count cannot be negative");
    LightGraph g{n, std::move(edges)};
    if (!g.Valid()) throw std::invalid_argument("an edge names a vertex that is not in the graph");
    return g;
}

// The document's graph as a light graph, vertices in element order; `ids` receives the
// vertex id of every index.
LightGraph LightOf(CLattixDoc& doc, std::vector<std::uint32_t>& ids, std::vector<std::int32_t>* tracks = nullptr) {
    LightGraph g;
    std::unordered_map<const CVertex*, std::int32_t> index;
    for (CElement* e : doc.m_elements)
        if (CVertex* v = e->AsVertex()) {
            index.emplace(v, g.vertexCount++);
            ids.push_back(v->m_id);
            if (tracks) tracks->push_back(v->m_trackNumber);
        }
    for (CElement* e : doc.m_elements)
        if (CEdge* edge = e->AsEdge(); edge && edge->m_v1 && edge->m_v2)
            g.edges.emplace_back(index.at(edge->m_v1), index.at(edge->m_v2));
    return g;
}

// The preamble of the graph commands: a simple, undirected graph.
void RequireSimpleUndirected(CLattixDoc& doc) {
    doc.RebuildAllLists();
    if (!doc.IsSimple()) throw ArborixError("The graph is not simple.");
    if (doc.m_directed) throw ArborixError("The graph is not undirected.");
}

std::vector<std::vector<std::int32_t>> Groups(const std::vector<std::int32_t>& labels) {
    std::vector<std::vector<std::int32_t>> groups;
    for (std::size_t v = 0; v < labels.size(); ++v) {
        if (labels[v] >= std::int32_t(groups.size())) groups.resize(labels[v] + 1);
        groups[labels[v]].push_back(std::int32_t(v));
    }
    return groups;
}

std::vector<std::vector<std::int32_t>> ComponentsLight(std::int32_t n, Edges edges) {
    LightGraph g = MakeLight(n, std::move(edges));
    CoreCall unlocked;
    return Groups(ComponentLabels(g));
}

std::vector<std::vector<std::uint32_t>> ComponentsDoc(DocumentHandle& h) {
    std::vector<std::uint32_t> ids;
    std::vector<std::vector<std::int32_t>> groups;
    {
        CoreCall unlocked;
        RequireSimpleUndirected(h.Doc());
        groups = Groups(ComponentLabels(LightOf(h.Doc(), ids)));
    }
    std::vector<std::vector<std::uint32_t>> out;
    for (const auto& group : groups) {
        out.emplace_back();
        for (std::int32_t v : group) out.back().push_back(ids[v]);
    }
    return out;
}

bool Verdict(const PlanarityVerdict& v) {
    if (!v.planar) throw ArborixError(v.message);
    return *v.planar;
}

bool IsPlanarLight(std::int32_t n, Edges edges) {
    LightGraph g = MakeLight(n, std::move(edges));
    CoreCall unlocked;
    return Verdict(TestPlanarity(g));
}

bool IsPlanarDoc(DocumentHandle& h) {
    CoreCall unlocked;
    if (h.Doc().m_directed) throw ArborixError("The graph is not undirected.");
    std::vector<std::uint32_t> ids;
    if (!h.Doc().HasBends()) return Verdict(TestPlanarity(LightOf(h.Doc(), ids)));
    // The command removes the bends first; on a copy, so that the document stays as it is.
    auto copy = h.Copy();
    copy->Doc().RemoveAllBends();
    return Verdict(TestPlanarity(LightOf(copy->Doc(), ids)));
}

using Orders = std::vector<std::pair<std::int32_t, std::vector<std::int64_t>>>;

std::pair<bool, Orders> Level(const LightGraph& g, const std::vector<std::int32_t>& levels,
                              const std::vector<std::int64_t>& names) {
    LevelPlanarityVerdict verdict;
    {
        CoreCall unlocked;
        verdict = TestLevelPlanarityOf(g, levels);
    }
    if (!verdict.planar) throw ArborixError(verdict.message);
    Orders orders;
    for (const auto& [level, order] : verdict.orders) {
        orders.emplace_back(level, std::vector<std::int64_t>());
        for (std::int32_t v : order) orders.back().second.push_back(names[v]);
    }
    return {*verdict.planar, orders};
}

std::pair<bool, Orders> IsLevelPlanarLight(std::int32_t n, Edges edges, const std::vector<std::int32_t>& levels) {
    LightGraph g = MakeLight(n, std::move(edges));
    if (levels.size() != std::size_t(n)) throw std::invalid_argument("every vertex needs a level");
    std::vector<std::int64_t> names(n);
    for (std::int32_t v = 0; v < n; ++v) names[v] = v;
    return Level(g, levels, names);
}

std::pair<bool, Orders> IsLevelPlanarDoc(DocumentHandle& h, std::optional<std::map<std::uint32_t, std::int32_t>> given) {
    std::vector<std::uint32_t> ids;
    std::vector<std::int32_t> tracks;
    LightGraph g;
    {
        CoreCall unlocked;
        if (h.Doc().m_directed) throw ArborixError("The graph is not undirected.");
        g = LightOf(h.Doc(), ids, &tracks);
    }
    if (given) {
        for (std::size_t v = 0; v < ids.size(); ++v) {
            auto it = given->find(ids[v]);
            if (it == given->end()) throw std::invalid_argument("every vertex needs a level");
            tracks[v] = it->second;
        }
    }
    return Level(g, tracks, std::vector<std::int64_t>(ids.begin(), ids.end()));
}

const std::map<std::string, RandomTreeMethod> kMethods = {
    {"labeled", RandomTreeMethod::Labeled},          {"rooted", RandomTreeMethod::Rooted},
    {"free-labeled", RandomTreeMethod::FreeFromLabeled}, {"free-rooted", RandomTreeMethod::FreeFromRooted},
    {"wilf", RandomTreeMethod::Wilf},
};

std::unique_ptr<DocumentHandle> RandomTree(int n, const std::string& method, std::optional<std::uint32_t> seed,
                                           std::int64_t maxAttempts) {
    auto it = kMethods.find(method);
    if (it == kMethods.end())
        throw std::invalid_argument("method is one of labeled, rooted, free-labeled, free-rooted, wilf");
    if (n < kMinRandomTreeSize || n > kMaxRandomTreeSize)
        throw std::invalid_argument("n is a number of vertices from 3 to 1000");
    if (maxAttempts < 0) throw std::invalid_argument("max_attempts cannot be negative");
    auto h = std::make_unique<DocumentHandle>();
    // A given seed makes the tree repeatable; without one, the clock picks it.
    h->Platform().m_ticks = seed ? *seed
                                 : std::uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                     std::chrono::steady_clock::now().time_since_epoch())
                                                     .count());
    h->Platform().m_randomTreeAnswers.push_back(n);
    RandomTreeOptions options;
    options.maxAttempts = maxAttempts;
    GenerateOutcome outcome;
    {
        CoreCall unlocked;
        outcome = RunRandomTreeCommand(h->Doc(), it->second, options);
    }
    if (outcome == GenerateOutcome::AttemptLimitReached)
        throw ArborixError("No tree was accepted in " + std::to_string(maxAttempts) + " attempts.");
    if (outcome != GenerateOutcome::Added) throw ArborixError(h->LastMessageSince(0, "No tree was made."));
    return h;
}

// The same tree as RandomTree with the same seed, without a document: vertices in the
// order the command adds them with their grid column, row, track and colour; edges as index pairs.
py::dict RandomTreeLight(int n, const std::string& method, std::optional<std::uint32_t> seed, std::int64_t maxAttempts) {
    auto it = kMethods.find(method);
    if (it == kMethods.end())
        throw std::invalid_argument("method is one of labeled, rooted, free-labeled, free-rooted, wilf");
    if (n < kMinRandomTreeSize || n > kMaxRandomTreeSize)
        throw std::invalid_argument("n is a number of vertices from 3 to 1000");
    if (maxAttempts < 0) throw std::invalid_argument("max_attempts cannot be negative");
    LcgRandom random(seed ? *seed
                          : std::uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                                              std::chrono::steady_clock::now().time_since_epoch())
                                              .count()));
    RandomTreeOptions options;
    options.maxAttempts = maxAttempts;
    GeneratedTree tree;
    GenerateOutcome outcome;
    {
        CoreCall unlocked;
        outcome = RandomTreeGenerator(tree, random, options).Generate(it->second, n);
    }
    if (outcome == GenerateOutcome::AttemptLimitReached)
        throw ArborixError("No tree was accepted in " + std::to_string(maxAttempts) + " attempts.");
    if (outcome != GenerateOutcome::Added) throw ArborixError("No tree was made.");
    py::dict d;
    d["columns"] = tree.columns;
    d["rows"] = tree.rows;
    d["tracks"] = tree.tracks;
    d["colors"] = tree.colors;
    d["edges"] = tree.edges;
    return d;
}

std::unique_ptr<DocumentHandle> Experiment(int size) {
    if (size != 8 && size != 9) throw std::invalid_argument("the built-in experiments are those of 8 and 9 vertices");
    auto h = std::make_unique<DocumentHandle>();
    h->Platform().m_defaultAnswer = true;
    {
        CoreCall unlocked;
        h->Doc().OnLevelExperiment(size);
    }
    return h;
}

py::dict ClassifyTreeOfDocument(DocumentHandle& h) {
    std::unique_ptr<DocumentHandle> copy;
    std::string text;
    {
        CoreCall unlocked;
        RequireSimpleUndirected(h.Doc());
        // The classification cuts labels and sets highlights, so it runs on a copy.
        copy = h.Copy();
        copy->Doc().RecomputeUlpCounts(true);
        text = ComponentsPaneText(copy->Doc());
    }
    const CLattixDoc& doc = copy->Doc();
    py::dict d;
    d["components"] = doc.m_componentCount;
    d["trees"] = doc.m_treeCount;
    d["caterpillars"] = doc.m_caterpillarCount;
    d["radius2_stars"] = doc.m_starCount;
    d["spiders"] = doc.m_spiderCount;
    d["text"] = text;
    return d;
}

py::dict Crossings(const std::array<std::int32_t, 8>& counts) {
    py::dict d;
    std::int64_t total = 0;
    for (int code = 1; code <= 8; ++code) {
        if (counts[code - 1]) d[py::int_(code)] = counts[code - 1];
        total += counts[code - 1];
    }
    d["total"] = total;
    return d;
}

py::dict CrossingsLight(std::int32_t n, Edges edges, const std::vector<std::pair<std::int32_t, std::int32_t>>& xy,
                        const std::vector<std::uint16_t>& codes) {
    LightGraph g = MakeLight(n, std::move(edges));
    std::vector<Point> centres;
    for (const auto& [x, y] : xy) centres.push_back({x, y});
    std::array<std::int32_t, 8> counts;
    {
        CoreCall unlocked;
        counts = CountCrossingsOf(g, centres, codes);
    }
    return Crossings(counts);
}

py::dict CrossingsDoc(DocumentHandle& h) {
    std::array<std::int32_t, 8> counts{};
    {
        CoreCall unlocked;
        // The document's own count, on a copy: it keeps its edge list between counts.
        auto copy = h.Copy();
        copy->Doc().CountCrossings();
        for (int code = 1; code <= 8; ++code) counts[code - 1] = copy->Doc().CrossingsOf(code);
    }
    return Crossings(counts);
}

std::vector<std::string> ClassifyLight(std::int32_t n, Edges edges, const std::vector<std::int32_t>& tracks) {
    LightGraph g = MakeLight(n, std::move(edges));
    if (!tracks.empty() && tracks.size() != std::size_t(n)) throw std::invalid_argument("every vertex needs a track");
    std::vector<TreeClass> classes;
    {
        CoreCall unlocked;
        if (!g.Simple()) throw ArborixError("The graph is not simple.");
        classes = ClassifyComponents(g, tracks);
    }
    static const char* const kNames[] = {"not a tree", "caterpillar", "radius-2 star", "3-spider", "other tree"};
    std::vector<std::string> names;
    for (TreeClass c : classes) names.push_back(kNames[static_cast<int>(c)]);
    return names;
}

// Text in pictures needs Qt's GUI application; without a display the offscreen platform
// serves. It lives as long as the interpreter.
void EnsureGuiApplication() {
    if (QGuiApplication::instance()) return;
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "arborix";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

void Render(DocumentHandle& h, const std::string& path, bool guides, std::int32_t margin) {
    const std::string ext = ExtensionOf(path);
    if (ext != ".svg" && ext != ".png") throw std::invalid_argument("render: the path must end in .svg or .png");
    if (margin < 0 || margin > 1000) throw std::invalid_argument("margin is a number of pixels from 0 to 1000");
    EnsureGuiApplication();
    // Qt draws in the thread that made its application, with the interpreter lock kept.
    CoreRead read;
    DrawingExportOptions options;
    options.guides = guides;
    options.margin = margin;
    std::string error;
    if (!ExportDrawing(h.Doc(), &h.View(), path, options, error)) throw ArborixError(error);
}

} // namespace

void BindAlgorithms(py::module_& m) {
    m.def("_components_light", &ComponentsLight, py::arg("n"), py::arg("edges"),
          "Connected components of vertices 0..n-1 joined by index pairs: lists of indices, numbered by first vertex.");
    m.def("_components_doc", &ComponentsDoc, py::arg("doc"),
          "Connected components of a document: lists of vertex ids, numbered by first vertex in element order.");
    m.def("_is_planar_light", &IsPlanarLight, py::arg("n"), py::arg("edges"), "Planarity verdict of a light graph.");
    m.def("_is_planar_doc", &IsPlanarDoc, py::arg("doc"), "Planarity verdict of a document.");
    m.def("_is_level_planar_light", &IsLevelPlanarLight, py::arg("n"), py::arg("edges"), py::arg("levels"),
          "Level planarity of a light graph: (planar, [(level, [indices left to right]), ...]).");
    m.def("_is_level_planar_doc", &IsLevelPlanarDoc, py::arg("doc"), py::arg("levels") = py::none(),
          "Level planarity of a document, levels by vertex id or the track numbers: (planar, orders of vertex ids).");
    m.def("random_tree", &RandomTree, py::arg("n"), py::arg("method") = "labeled", py::arg("seed") = py::none(),
          py::arg("max_attempts") = 0, R"doc(
A new document holding one random tree on n vertices (3 to 1000), laid out as the Random
Generators menu lays it out.

method: "labeled" (Pruefer sequence), "rooted" (RANRUT), "free-labeled", "free-rooted"
(rejection from those) or "wilf". A seed (0 to 4294967295) makes a run repeat exactly;
max_attempts bounds the rejection samplers (0: no bound).
)doc");
    m.def("_random_tree_light", &RandomTreeLight, py::arg("n"), py::arg("method"), py::arg("seed"),
          py::arg("max_attempts"), "A random tree without a document: columns, rows, tracks, colors and edges.");
    m.def("experiment", &Experiment, py::arg("size"), R"doc(
Runs the built-in batch experiment over every level assignment of the fixed tree of 8 or 9
vertices and returns its document; the summary is in the document's messages.
)doc");
    m.def("_count_crossings_light", &CrossingsLight, py::arg("n"), py::arg("edges"), py::arg("centres"),
          py::arg("codes"), "Crossings per edge colour code of a drawing given as centres and coloured edges.");
    m.def("_count_crossings_doc", &CrossingsDoc, py::arg("doc"), "Crossings per edge colour code of a document.");
    m.def("_classify_light", &ClassifyLight, py::arg("n"), py::arg("edges"), py::arg("tracks"),
          "The class of every component of a light graph, components numbered by first vertex.");
    m.def("_classify_tree_doc", &ClassifyTreeOfDocument, py::arg("doc"), "Tree classification counts of a document.");
    m.def("render", &Render, py::arg("doc"), py::arg("path"), py::arg("guides") = false, py::arg("margin") = 20,
          "Writes the drawing as the editor draws it to a .svg or .png file.");
}
