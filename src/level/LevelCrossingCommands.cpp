// The document side of crossing minimisation and of the level planarity obstruction: the
// level graph of each component goes in, orders and coordinates or edge sets come out.

#include "level/LevelCrossingCommands.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <string>
#include <unordered_map>

#include "level/CoordinateAssignment.h"
#include "level/CrossingMinimizer.h"
#include "level/FewestCrossingOrders.h"
#include "level/LevelCommandSteps.h"
#include "level/LevelObstruction.h"
#include "io/DocumentFormat.h"
#include "model/BendLimit.h"
#include "model/LattixDoc.h"

namespace {

constexpr std::int32_t kDefaultSeparation = 30;
constexpr Rgb kObstructionColor = 0x5555FF; // the colour the modes flag edges with

// A component as a proper level graph. Edges that span several tracks become chains
// through dummy vertices that exist only here (the obstruction leaves the document as it is).
struct ComponentGraph {
    LevelGraph graph;
    std::vector<CVertex*> vertices; // by index; null for a dummy of this graph
    std::vector<bool> dummy;        // bends of the document and dummies of this graph
    std::vector<int> edgeSource;    // by edge: index into the component's edge list
};

ComponentGraph BuildComponentGraph(const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& edges) {
    ComponentGraph c;
    std::int32_t lowest = std::numeric_limits<std::int32_t>::max();
    for (const CVertex* v : vertices)
        if (!v->m_hidden) lowest = std::min(lowest, v->m_trackNumber);
    auto levelOf = [&](const CVertex* v) { return static_cast<int>(std::int64_t(v->m_trackNumber) - lowest); };
    std::unordered_map<const CVertex*, int> index;
    for (CVertex* v : vertices) {
        if (v->m_hidden) continue;
        index[v] = c.graph.AddVertex(levelOf(v), v->m_center.x);
        c.vertices.push_back(v);
        c.dummy.push_back(v->m_isBend);
    }
    for (int k = 0; k < static_cast<int>(edges.size()); ++k) {
        const CEdge* e = edges[k];
        if (e->m_hidden || !e->m_v1 || !e->m_v2) continue;
        auto a = index.find(e->m_v1), b = index.find(e->m_v2);
        if (a == index.end() || b == index.end()) continue;
        const CVertex* lowV = e->m_v1;
        const CVertex* highV = e->m_v2;
        int low = a->second, high = b->second;
        if (lowV->m_trackNumber > highV->m_trackNumber) {
            std::swap(lowV, highV);
            std::swap(low, high);
        }
        const std::int64_t span = std::int64_t(highV->m_trackNumber) - lowV->m_trackNumber;
        if (span < 1) continue;
        int previous = low;
        for (std::int64_t t = 1; t < span; ++t) {
            const std::int64_t x = lowV->m_center.x + (std::int64_t(highV->m_center.x) - lowV->m_center.x) * t / span;
            const int d = c.graph.AddVertex(levelOf(lowV) + static_cast<int>(t), x);
            c.vertices.push_back(nullptr);
            c.dummy.push_back(true);
            c.graph.AddEdge(previous, d);
            c.edgeSource.push_back(k);
            previous = d;
        }
        c.graph.AddEdge(previous, high);
        c.edgeSource.push_back(k);
    }
    c.graph.Finish();
    return c;
}

// Progress over the components of a command, weighted by their sizes.
class CommandProgress {
public:
    CommandProgress(CLattixDoc& doc, const char* caption, std::int64_t total)
        : m_progress(doc.Platform().BeginProgress(caption, kSteps)), m_total(std::max<std::int64_t>(total, 1)) {}
    // Work done before the current component and its size.
    void Enter(std::int64_t before, std::int64_t size) {
        m_before = before;
        m_size = size;
    }
    // The window goes before any message box is shown.
    void Close() { m_progress.reset(); }
    bool Report(double fraction) {
        if (!m_progress) return true;
        const double done = (double(m_before) + fraction * double(m_size)) / double(m_total);
        // Many small components would otherwise update the window for every one of them.
        const auto step = static_cast<std::int64_t>(done * kSteps);
        if (step == m_reported) return true;
        m_reported = step;
        return m_progress->Update(step);
    }

private:
    static constexpr std::int64_t kSteps = 1000;
    std::unique_ptr<IProgress> m_progress;
    std::int64_t m_total, m_before = 0, m_size = 0, m_reported = -1;
};

// The components of the rebuilt work lists by their labels. Extracting them instead would
// also cut the vertex names at their first underscore.
struct Components {
    std::vector<std::vector<CVertex*>> vertices;
    std::vector<std::vector<CEdge*>> edges;
};
Components SplitComponents(CLattixDoc& doc) {
    const std::int32_t count = doc.CountComponents(&doc.m_allVertices);
    Components c;
    c.vertices.resize(count);
    c.edges.resize(count);
    for (CVertex* v : doc.m_allVertices)
        if (const std::int32_t k = doc.ComponentOf(v); k >= 0 && k < count) c.vertices[k].push_back(v);
    for (CEdge* e : doc.m_allEdges)
        if (const std::int32_t k = e->m_v1 ? doc.ComponentOf(e->m_v1) : -1; k >= 0 && k < count) c.edges[k].push_back(e);
    return c;
}

// The document as the command found it, to go back to when it is cancelled or refused
// after the preparation changed things; the undo history is left as it was.
class Snapshot {
public:
    explicit Snapshot(CLattixDoc& doc) : m_doc(doc), m_bytes(WriteDocument(doc)) {}
    void Revert() {
        m_doc.DeleteContents();
        ReadDocument(m_doc, m_bytes);
        m_doc.RecomputeDerivedData();
        m_doc.RepaintAllViews();
    }

private:
    CLattixDoc& m_doc;
    std::vector<std::uint8_t> m_bytes;
};

struct PlannedComponent {
    std::vector<CVertex*> vertices; // real vertices only
    std::vector<std::int64_t> units; // their x in separations, from 0
    std::vector<std::int64_t> ranks; // their place on their track within the component
    std::int64_t width = 0;
};

} // namespace

bool MinimizeCrossingsOnLevels(CLattixDoc& doc, std::uint64_t seed) {
    Snapshot before(doc);
    doc.CheckPoint();
    PrepareLevelGuides(doc);
    if (!PrepareLevelGraph(doc)) return false;

    CLattixView* view = doc.GetActiveEditorView();
    const std::int32_t separation = view && view->m_xSeparation > 0 ? view->m_xSeparation : kDefaultSeparation;
    std::int64_t left = std::numeric_limits<std::int64_t>::max();
    for (const CVertex* v : doc.m_allVertices)
        if (!v->m_hidden) left = std::min<std::int64_t>(left, v->m_center.x + v->m_offset.x);

    const Components components = SplitComponents(doc);
    CommandProgress progress(doc, "Minimizing crossings", static_cast<std::int64_t>(doc.m_allVertices.size()));
    std::vector<PlannedComponent> plans;
    std::int64_t done = 0;
    for (std::size_t k = 0; k < components.vertices.size(); ++k) {
        ComponentGraph c = BuildComponentGraph(components.vertices[k], components.edges[k]);
        const LevelGraph& g = c.graph;
        progress.Enter(done, g.VertexCount());
        done += g.VertexCount();

        CrossingMinimizerOptions options;
        options.seed = seed;
        options.progress = [&](double fraction) { return progress.Report(fraction); };
        CrossingMinimizerResult result = FewestCrossingOrders(g, options);
        if (result.cancelled) {
            before.Revert();
            return false;
        }
        const LevelOrders orders = std::move(result.orders);
        if (!progress.Report(1.0)) {
            before.Revert();
            return false;
        }

        const std::vector<std::int64_t> x = AssignCoordinates(g, orders, c.dummy);
        PlannedComponent plan;
        for (int v = 0; v < g.VertexCount(); ++v) {
            if (!c.vertices[v]) continue;
            plan.vertices.push_back(c.vertices[v]);
            plan.units.push_back(x[v]);
            plan.width = std::max(plan.width, x[v]);
        }
        std::vector<std::int64_t> rank(g.VertexCount(), 0);
        for (const auto& level : orders)
            for (std::size_t r = 0; r < level.size(); ++r) rank[level[r]] = static_cast<std::int64_t>(r);
        for (int v = 0; v < g.VertexCount(); ++v)
            if (c.vertices[v]) plan.ranks.push_back(rank[v]);
        plans.push_back(std::move(plan));
    }

    // Components side by side, two separations apart, from where the drawing started. A
    // drawing wider than the canvas instead packs every track from the left, the components
    // one after the other on each, which keeps them apart; one whose widest track does not
    // fit even so is refused.
    std::int32_t widestRadius = 0;
    for (const CVertex* v : doc.m_allVertices) widestRadius = std::max(widestRadius, v->m_radius);
    const std::int64_t room = kCanvasSize - 2 * std::int64_t(widestRadius);
    std::int64_t units = 0;
    for (const auto& p : plans) units += p.width + 2;
    std::int64_t total = (units - 2) * separation;
    const bool packed = total > room;
    if (packed) {
        std::unordered_map<std::int32_t, std::int64_t> perTrack;
        std::int64_t widest = 0;
        for (const auto& p : plans)
            for (const CVertex* v : p.vertices) widest = std::max(widest, ++perTrack[v->m_trackNumber]);
        total = (widest - 1) * separation;
        if (total > room) {
            progress.Close();
            before.Revert();
            doc.Platform().ShowMessage("The levels are too wide to be drawn on the canvas.");
            return false;
        }
    }
    left = std::clamp<std::int64_t>(left, widestRadius, std::max<std::int64_t>(widestRadius, kCanvasSize - widestRadius - total));
    std::int64_t at = left;
    std::unordered_map<std::int32_t, std::int64_t> used; // per track, when packed
    for (const auto& p : plans) {
        std::vector<std::size_t> sequence(p.vertices.size());
        for (std::size_t i = 0; i < sequence.size(); ++i) sequence[i] = i;
        if (packed)
            std::sort(sequence.begin(), sequence.end(), [&](std::size_t a, std::size_t b) { return p.ranks[a] < p.ranks[b]; });
        for (std::size_t i : sequence) {
            CVertex* v = p.vertices[i];
            const std::int64_t x = packed ? left + used[v->m_trackNumber]++ * separation : at + p.units[i] * separation;
            v->PlaceAt(static_cast<std::int32_t>(x), v->m_center.y, view);
        }
        at += (p.width + 2) * separation;
    }
    doc.CommitEdit({.derived = Derived::CrossingsAlways | Derived::ModeData});
    return true;
}

LevelObstructionReport ShowLevelObstruction(CLattixDoc& doc) {
    LevelObstructionReport report;
    Snapshot before(doc);
    doc.CheckPoint();
    PrepareLevelGuides(doc);
    if (doc.m_elements.empty()) return report;
    // The refusals of the level commands, without inserting anything: long edges are
    // followed through dummies of the component's level graph alone.
    for (const CElement* element : doc.m_elements) {
        const CEdge* e = element->AsEdge();
        if (e && e->m_v1 && e->m_v2 && e->m_v1->m_trackNumber == e->m_v2->m_trackNumber) {
            doc.Platform().ShowMessage("There are edges between vertices on the same level.");
            return report;
        }
    }
    if (doc.DummyVerticesNeeded() > kMaxDummyVertices) {
        doc.Platform().ShowMessage("The level graph spans too many levels to insert dummy vertices.");
        return report;
    }
    doc.RebuildAllLists();
    if (!doc.IsSimple()) {
        doc.RepaintAllViews();
        doc.Platform().ShowMessage("The graph is not simple.");
        return report;
    }
    if (doc.m_directed) {
        doc.RepaintAllViews();
        doc.Platform().ShowMessage("The graph is not undirected.");
        return report;
    }

    Components components = SplitComponents(doc);
    auto& edges = components.edges;
    for (CEdge* e : doc.m_allEdges) e->m_highlight = kNoHighlight;

    CommandProgress progress(doc, "Searching for an obstruction", static_cast<std::int64_t>(doc.m_allEdges.size()));
    std::int64_t done = 0;
    std::size_t highlighted = 0;
    for (std::size_t k = 0; k < edges.size(); ++k) {
        ComponentGraph c = BuildComponentGraph(components.vertices[k], edges[k]);
        progress.Enter(done, static_cast<std::int64_t>(edges[k].size()));
        done += static_cast<std::int64_t>(edges[k].size());
        if (SameLevelPairs(c.graph) > kMaxLevelPairs) {
            progress.Close();
            before.Revert();
            doc.Platform().ShowMessage("The graph is too large to search for an obstruction.");
            return report;
        }
        std::size_t tests = 0;
        const LevelObstruction found = FindLevelObstruction(c.graph, c.edgeSource, [&] {
            // The number of tests is not known ahead; the bar creeps towards the end.
            ++tests;
            return progress.Report(1.0 - 1.0 / (1.0 + 0.05 * double(tests)));
        });
        if (found.cancelled) {
            before.Revert();
            return report;
        }
        if (found.planar) continue;
        std::vector<std::uint32_t> ids;
        for (int group : found.groups) {
            edges[k][group]->m_highlight = kObstructionColor;
            ids.push_back(edges[k][group]->m_id);
        }
        std::sort(ids.begin(), ids.end());
        highlighted += ids.size();
        report.witnesses.push_back(std::move(ids));
    }
    report.ran = true;
    progress.Close();
    doc.CommitEdit();
    if (report.witnesses.empty())
        doc.Platform().ShowMessage("The graph is level planar");
    else
        doc.Platform().ShowMessage("The highlighted " + std::to_string(highlighted) +
                                   " edges cannot be drawn on their levels without crossings.");
    return report;
}
