// "&Draw ULP Trees": every caterpillar, radius-2 star and 3-spider of the drawing is
// redrawn as a level planar drawing of its own track assignment, the trees one after the
// other from left to right.

#include <unordered_map>

#include "model/AlgorithmWorkspace.h"
#include "model/LattixDoc.h"
#include "graph/Components.h"
#include "trees/Classification.h"
#include "trees/UlpPlacement.h"

namespace {

constexpr std::int32_t kDefaultSeparation = 30;

std::int32_t Plus(std::int32_t a, std::int64_t b) { return ClampToInt32(std::int64_t(a) + b); }

// Brings a tree's left edge into the view before the tree is drawn, in steps of one column
// when animated.
void ScrollToTree(CLattixView* view, AlgorithmWorkspace& ws, std::int32_t leftEdge, std::int32_t sx) {
    if (!view) return;
    const std::int64_t visibleEnd = std::int64_t(view->m_scroll.x) + view->m_clientWidth - sx;
    if (leftEdge <= visibleEnd) return;
    if (!ws.m_animate || sx <= 0) {
        view->ScrollTo({leftEdge, view->m_scroll.y});
        return;
    }
    while (view->m_scroll.x < leftEdge) {
        const std::int32_t before = view->m_scroll.x;
        const std::int64_t next = std::min<std::int64_t>(std::int64_t(before) + sx, leftEdge);
        view->ScrollTo({static_cast<std::int32_t>(next), view->m_scroll.y});
        ws.doc.RepaintAllViews();
        // A view that keeps its scroll position within its range may stop short of the tree.
        if (view->m_scroll.x <= before) break;
    }
}

// The classification's colours (class colours, witness subtrees, marked cycles), which
// extracting a component again and rerunning its tests would overwrite.
class HighlightKeeper {
public:
    explicit HighlightKeeper(const CLattixDoc& doc) {
        m_saved.reserve(doc.m_allVertices.size() + doc.m_allEdges.size());
        for (const CVertex* v : doc.m_allVertices) m_saved.emplace(v, v->m_highlight);
        for (const CEdge* e : doc.m_allEdges) m_saved.emplace(e, e->m_highlight);
    }
    void RestoreComponent(CLattixDoc& doc) const {
        for (CVertex* v : doc.m_compVertices) Restore(v);
        for (CEdge* e : doc.m_compEdges) Restore(e);
    }

private:
    void Restore(CElement* e) const {
        if (auto it = m_saved.find(e); it != m_saved.end()) e->m_highlight = it->second;
    }
    std::unordered_map<const CElement*, Rgb> m_saved;
};

} // namespace

void CLattixDoc::OnDrawUlpTrees() { DrawUlpTrees(); }

CLattixDoc::UlpDrawResult CLattixDoc::DrawUlpTrees() {
    const std::optional<DrawDialogValues> values = Platform().RunDrawDialog({false, "500"});
    if (!values) return UlpDrawResult::Cancelled;
    AlgorithmWorkspace ws(*this, values->animate, ParseStepDelay(values->stepDelayText));

    if (HasBends()) {
        if (!Platform().AskOkCancel("The operation will remove bends")) return UlpDrawResult::Cancelled;
        RemoveAllBends();
    }
    RebuildAllLists();
    if (!IsSimple()) {
        Platform().ShowMessage("The graph is not simple.");
        RepaintAllViews();
        return UlpDrawResult::NotSimple;
    }
    if (m_directed) {
        Platform().ShowMessage("The graph is not undirected.");
        RepaintAllViews();
        return UlpDrawResult::NotUndirected;
    }
    RecomputeUlpCounts(true);
    ColorUpwardEdges();
    UpdateSefe();

    CLattixView* view = GetActiveEditorView();
    const std::int32_t sx = view ? view->m_xSeparation : kDefaultSeparation;
    const HighlightKeeper highlights(*this);
    std::int32_t x = 0;
    std::int32_t previousRight = 0; // largest centre x of the tree drawn last; the canvas edge at first
    ComponentExtractor extractor(*this, m_componentCount);
    for (std::int32_t k = 0; k < m_componentCount; ++k) {
        if (!extractor.Extract(k)) break;
        if (m_compEdges.size() + 1 != m_compVertices.size()) {
            highlights.RestoreComponent(*this);
            continue;
        }
        // The tests run again as the classification ran them (they colour the tree, and the
        // radius-2 star test takes element ids for its scratch copy); the colours the
        // classification left are then put back before the tree is drawn.
        if (HasSharedTrack(m_compVertices)) {
            const bool caterpillar = IsCaterpillar(m_compVertices, m_compEdges);
            highlights.RestoreComponent(*this);
            if (caterpillar) {
                ScrollToTree(view, ws, Plus(x, sx), sx);
                x = previousRight = DrawCaterpillar(ws, Plus(x, sx));
            }
            continue;
        }
        if (IsCaterpillar(m_compVertices, m_compEdges)) {
            highlights.RestoreComponent(*this);
            ScrollToTree(view, ws, Plus(x, sx), sx);
            previousRight = DrawCaterpillar(ws, Plus(x, sx));
            x = Plus(previousRight, sx);
        } else if (IsRadius2Star(m_compVertices, m_compEdges)) {
            highlights.RestoreComponent(*this);
            ScrollToTree(view, ws, x, sx);
            previousRight = DrawRadius2Star(ws, x);
            x = Plus(previousRight, sx);
        } else if (Is3Spider(m_compVertices, m_compEdges)) {
            highlights.RestoreComponent(*this);
            const std::int64_t n = static_cast<std::int64_t>(m_compVertices.size());
            x = previousRight = Draw3Spider(ws, Plus(x, (std::int64_t(sx) * n) / 2), previousRight);
        } else {
            highlights.RestoreComponent(*this);
        }
    }

    // The trees moved: the crossings pane counts the new drawing, not the old one.
    CommitEdit({.derived = Derived::Crossings});
    return UlpDrawResult::Drawn;
}
