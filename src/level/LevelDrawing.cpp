#include "level/LevelDrawing.h"

#include <memory>

#include "io/ChangedCheckPoint.h"
#include "level/LevelDrawingPlan.h"
#include "level/LevelPlanarityMethod.h"
#include "model/AlgorithmWorkspace.h"
#include "model/LattixDoc.h"

namespace {

// Drawings with at least this many exchanges, or animated ones, show progress.
constexpr std::size_t kProgressFrom = 256;
constexpr std::size_t kProgressEvery = 64;

} // namespace

ComponentVerdict DecideLevelPlanarity(ComponentExchangeGraph& c, const std::function<bool(double)>& progress) {
    ComponentVerdict verdict;
    if (c.cyclicGap) return verdict;
    verdict.vegPlanar = TestVertexExchangeGraph(c.veg);
    if (verdict.vegPlanar) {
        auto orders = OrdersFromLabels(c.veg, c.graph);
        if (orders && !HasLevelCrossing(c.graph, *orders)) {
            verdict.planar = true;
            verdict.orders = std::move(*orders);
            return verdict;
        }
        // The labels are not transitive on some level; only a search that keeps
        // transitivity can tell whether some other labels are. The test's components are
        // exactly the classes of pairs that the constraints tie together.
        LevelPlanarityResult exact = ExactLevelPlanarity(progress).Test(c.graph, nullptr, &c.veg.Classes());
        if (exact.planar && HasLevelCrossing(c.graph, exact.orders)) exact = ExactLevelPlanarity(progress).Test(c.graph);
        verdict.cancelled = exact.cancelled;
        verdict.planar = exact.planar;
        verdict.orders = std::move(exact.orders);
        return verdict;
    }
    // A contradiction among the crossing equations proves the component not level planar.
    return verdict;
}

bool ComponentIsLevelPlanar(const ComponentExchangeGraph& c) {
    return !c.cyclicGap && TestVertexExchangeGraph(c.veg);
}

void DrawLevelPlanarComponent(CLattixDoc& doc, AlgorithmWorkspace& workspace, ComponentExchangeGraph& c,
                              const ComponentVerdict& verdict) {
    std::vector<std::int64_t> x(c.graph.VertexCount());
    for (int v = 0; v < c.graph.VertexCount(); ++v) x[v] = c.graph.XOf(v);
    std::vector<LevelSwap> swaps;
    if (verdict.vegPlanar) swaps = PlanLevelDrawing(c, x);
    if (HasLevelCrossing(c.graph, OrdersByX(c.graph, x))) {
        const std::vector<LevelSwap> more = SwapsToOrders(c.graph, x, verdict.orders);
        swaps.insert(swaps.end(), more.begin(), more.end());
    }

    // The undo list keeps the last 500 steps, and the command takes one more checkpoint
    // after these: an exchange with 500 or more exchanges after it can never be undone to,
    // so its state is not stored.
    const std::size_t firstStored = swaps.size() > 500 ? swaps.size() - 500 : 0;
    std::unique_ptr<IProgress> progress;
    if (swaps.size() >= kProgressFrom || (workspace.m_animate && !swaps.empty()))
        progress = doc.Platform().BeginProgress("Drawing level planar graph", static_cast<std::int64_t>(swaps.size()));
    // The component's extraction and spreading changed its elements; they reach the next
    // checkpoint with its first stored exchange, or with a later component's.
    for (const CVertex* v : doc.m_compVertices) workspace.m_changed.Note(v);
    for (const CEdge* e : doc.m_compEdges) workspace.m_changed.Note(e);
    CLattixView* view = doc.GetActiveEditorView();
    for (std::size_t i = 0; i < swaps.size(); ++i) {
        CVertex* u = c.vertices[swaps[i].u];
        CVertex* v = c.vertices[swaps[i].v];
        const Point cu = u->m_center, cv = v->m_center;
        u->PlaceAt(cv.x, cv.y, nullptr); // no snapping
        v->PlaceAt(cu.x, cu.y, view);
        workspace.AnimationStep();
        if (i >= firstStored) {
            // Exchanges before the first stored one moved vertices noted above already.
            workspace.m_changed.NoteMoved(u);
            workspace.m_changed.NoteMoved(v);
            CheckPointChanged(doc, workspace.m_changed);
        }
        if (progress && (workspace.m_animate || (i + 1) % kProgressEvery == 0 || i + 1 == swaps.size()) &&
            !progress->Update(static_cast<std::int64_t>(i + 1))) {
            workspace.m_cancelled = true;
            break;
        }
    }
}
