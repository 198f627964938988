// Proper level graphs: every edge joins adjacent tracks and runs upwards in track number.

#include <algorithm>
#include <cstdint>
#include <limits>

#include "level/LevelCommandSteps.h"
#include "model/BendLimit.h"
#include "model/LattixDoc.h"

namespace {

std::int32_t ToInt32(double v) {
    constexpr double lo = std::numeric_limits<std::int32_t>::min(), hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(v < lo ? lo : v > hi ? hi : v);
}

// The drag offset goes into the centre, and the vertex is placed there again under the
// view's guides. Its edges are brought up to date once the walk is over: a vertex is placed
// again for every edge it has, and updating all its edges each time would take the square
// of its degree.
void CommitOffset(CVertex* v, CDocView* view, std::vector<CVertex*>& placed) {
    v->m_center = v->m_center + v->m_offset;
    v->ResetOffset();
    v->PlaceAt(v->m_center.x, v->m_center.y, view, false);
    placed.push_back(v);
}

} // namespace

std::int64_t CLattixDoc::DummyVerticesNeeded() const {
    std::int64_t needed = 0;
    for (const CElement* element : m_elements) {
        const CEdge* e = element->AsEdge();
        if (!e || !e->m_v1 || !e->m_v2) continue;
        needed += BendsBetweenTracks(e->m_v1->m_trackNumber, e->m_v2->m_trackNumber);
        if (needed > kMaxDummyVertices) break; // enough to know, and the sum stays small
    }
    return needed;
}

bool CLattixDoc::MakeProper(bool quiet) {
    bool sameLevel = false, longEdge = false;
    for (CElement* element : m_elements) {
        const CEdge* e = element->AsEdge();
        if (!e || !e->m_v1 || !e->m_v2) continue;
        const std::int64_t span = std::int64_t(e->m_v2->m_trackNumber) - e->m_v1->m_trackNumber;
        if (span == 0) sameLevel = true;
        else if (span != 1 && span != -1) longEdge = true;
        if (sameLevel && longEdge) break;
    }
    if (sameLevel) {
        Platform().ShowMessage("There are edges between vertices on the same level.");
        return false;
    }
    if (longEdge && DummyVerticesNeeded() > kMaxDummyVertices) {
        Platform().ShowMessage("The level graph spans too many levels to insert dummy vertices.");
        return false;
    }
    if (longEdge && !quiet && !Platform().AskOkCancel("The level graph is non proper. Insert dummy vertices?."))
        return false;

    // Placing through a view that is not an editor view would leave centres and rectangles
    // apart; such a view has no guides, so vertices are then placed without any.
    CDocView* view = GetActiveEditorView();
    // The walk also visits the edges it appends, after the ones it started with, so that
    // their new end vertices get their offsets committed too.
    std::vector<CEdge*> walk;
    std::vector<CVertex*> placed;
    for (CElement* element : m_elements)
        if (CEdge* e = element->AsEdge()) walk.push_back(e);
    for (std::size_t i = 0; i < walk.size(); ++i) {
        CEdge* e = walk[i];
        if (!e->m_v1 || !e->m_v2) continue;
        if (e->m_v2->m_trackNumber < e->m_v1->m_trackNumber) std::swap(e->m_v1, e->m_v2);
        CommitOffset(e->m_v1, view, placed);
        CommitOffset(e->m_v2, view, placed);

        CVertex* b = e->m_v2;
        const std::int64_t span = std::int64_t(b->m_trackNumber) - e->m_v1->m_trackNumber;
        if (span <= 1) continue;
        CEdge* cur = e;
        for (std::int64_t level = std::int64_t(e->m_v1->m_trackNumber) + 1; level < b->m_trackNumber; ++level) {
            CVertex* p = cur->m_v1;
            // The remaining distance to b, divided by the span of the whole edge.
            const std::int64_t dx = (std::int64_t(b->m_center.x) - p->m_center.x) / span;
            const std::int64_t dy = (std::int64_t(b->m_center.y) - p->m_center.y) / span;
            const double t = double(level - p->m_trackNumber);
            const std::int32_t x = ToInt32(p->m_center.x + t * double(dx));
            const std::int32_t y = ToInt32(p->m_center.y + t * double(dy));

            auto* bend = new CVertex(x, y, m_currentColor);
            bend->m_trackNumber = static_cast<std::int32_t>(level);
            bend->m_isBend = true;
            bend->SetRadius(5);
            AddElement(bend);
            bend->PlaceAt(x, y, view);

            const std::uint16_t code = cur->m_edgeColor;
            auto* lower = new CEdge(p, bend, code);
            auto* upper = new CEdge(bend, b, code);
            AddElement(lower);
            AddElement(upper);
            DeleteElement(cur);
            walk.push_back(lower);
            cur = upper;
        }
        walk.push_back(cur);
    }
    std::sort(placed.begin(), placed.end());
    placed.erase(std::unique(placed.begin(), placed.end()), placed.end());
    for (CVertex* v : placed)
        for (CEdge* e : v->m_edges) {
            e->ComputeAttachment();
            e->RecomputeRect();
        }
    return true;
}

void PrepareLevelGuides(CLattixDoc& doc) {
    if (CLattixView* view = doc.GetActiveEditorView()) {
        if (view->m_guideMode == CLattixView::kGuideNone || view->m_guideMode == CLattixView::kGuideVertical)
            view->m_guideMode = CLattixView::kGuideHorizontal;
        view->m_lockToTracks = true;
    }
}

bool PrepareLevelGraph(CLattixDoc& doc) {
    if (doc.m_elements.empty()) {
        doc.RepaintAllViews(); // the guides may just have been switched on
        return false;
    }
    if (!doc.MakeProper(false)) return false;
    doc.RebuildAllLists();
    if (!doc.IsSimple()) {
        doc.RepaintAllViews();
        doc.Platform().ShowMessage("The graph is not simple.");
        return false;
    }
    if (doc.m_directed) {
        doc.RepaintAllViews();
        doc.Platform().ShowMessage("The graph is not undirected.");
        return false;
    }
    return true;
}
