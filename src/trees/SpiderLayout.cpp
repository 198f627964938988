// The 3-spider layout: the plan of SpiderPlan.h drawn into the document. An edge that
// skips tracks is routed through bend vertices, one per track it passes, standing in the
// column of the vertex just placed: the edge then leaves its inner end towards the
// neighbouring track only, and everything it still has to climb happens in the new
// outermost column, where nothing else stands yet.

#include <algorithm>
#include <unordered_set>

#include "model/AlgorithmWorkspace.h"
#include "model/LattixDoc.h"
#include "trees/SpiderPlan.h"
#include "trees/UlpPlacement.h"

namespace {

constexpr Rgb kBendFill = 0x808080;
constexpr std::int32_t kBendRadius = 5;

struct Leg {
    std::vector<CVertex*> vertices; // from the centre outward
    std::vector<CEdge*> edges;      // edges[i] reaches vertices[i]
};

// Follows a leg from the centre's edge outward until a vertex without a single way on.
Leg FollowLeg(CVertex* centre, CEdge* first) {
    Leg leg;
    CVertex* previous = centre;
    CEdge* edge = first;
    while (edge) {
        CVertex* v = edge->Other(previous);
        if (!v || v == centre) break;
        leg.vertices.push_back(v);
        leg.edges.push_back(edge);
        if (v->Degree() != 2) break;
        CEdge* onward = v->m_edges[0] == edge ? v->m_edges[1] : v->m_edges[0];
        previous = v;
        edge = onward;
    }
    return leg;
}

class SpiderDrawing {
public:
    SpiderDrawing(CLattixDoc& doc, UlpPlacer& placer) : m_doc(doc), m_placer(placer) {}

    // Replaces `edge` (from inner to outer, outer placed at x) by a chain through bends on
    // the tracks between its ends.
    void RouteThroughBends(CEdge* edge, CVertex* inner, CVertex* outer, std::int32_t x) {
        const std::int64_t from = inner->m_trackNumber, to = outer->m_trackNumber;
        if (to - from <= 1 && from - to <= 1) return;
        const std::int64_t step = to > from ? 1 : -1;

        std::vector<CVertex*> chain{inner};
        for (std::int64_t t = from + step; t != to; t += step) {
            auto* bend = new CVertex(x, m_placer.TrackY(t), kBendFill);
            bend->SetRadius(kBendRadius);
            bend->m_isBend = true;
            bend->m_trackNumber = static_cast<std::int32_t>(t);
            bend->m_highlight = edge->m_highlight;
            m_doc.AddElement(bend);
            bend->PlaceAt(x, m_placer.TrackY(t), &m_placer.View(), false);
            bend->m_placed = true;
            m_placer.Workspace().m_bends.push_back(bend);
            m_newVertices.push_back(bend);
            chain.push_back(bend);
        }
        chain.push_back(outer);
        // The chain keeps the direction of the edge it replaces.
        if (edge->m_v1 != inner) std::reverse(chain.begin(), chain.end());
        for (std::size_t i = 0; i + 1 < chain.size(); ++i) {
            auto* piece = new CEdge(chain[i], chain[i + 1], edge->m_edgeColor);
            piece->m_highlight = edge->m_highlight;
            m_doc.AddElement(piece);
            m_newEdges.push_back(piece);
        }
        m_replaced.insert(edge);
        m_doc.DeleteElement(edge);
    }

    // Brings the component's lists up to date with the bends: replaced edges out, bends
    // and their edges in.
    void UpdateComponentLists() {
        if (m_replaced.empty()) return;
        std::erase_if(m_doc.m_compEdges, [&](CEdge* e) { return m_replaced.count(e) != 0; });
        m_doc.m_compEdges.insert(m_doc.m_compEdges.end(), m_newEdges.begin(), m_newEdges.end());
        m_doc.m_compVertices.insert(m_doc.m_compVertices.end(), m_newVertices.begin(), m_newVertices.end());
    }

private:
    CLattixDoc& m_doc;
    UlpPlacer& m_placer;
    std::unordered_set<const CEdge*> m_replaced;
    std::vector<CEdge*> m_newEdges;
    std::vector<CVertex*> m_newVertices;
};

// Takes the bends the spider's legs need from the command's budget; false, leaving the
// budget as it was, when they do not fit (the spider is then left where it is).
bool TakeBends(AlgorithmWorkspace& ws, const CVertex* centre, const std::array<Leg, 3>& legs) {
    std::int64_t needed = 0;
    for (const Leg& leg : legs) {
        const CVertex* inner = centre;
        for (const CVertex* v : leg.vertices) {
            needed += BendsBetweenTracks(inner->m_trackNumber, v->m_trackNumber);
            if (needed > ws.m_bendBudget) return false;
            inner = v;
        }
    }
    ws.m_bendBudget -= needed;
    return true;
}

} // namespace

std::int32_t CLattixDoc::Draw3Spider(AlgorithmWorkspace& ws, std::int32_t x0, std::int32_t keepRightOf) {
    CLattixView* view = GetActiveEditorView();
    if (!view) return x0;
    UlpPlacer placer(ws, *view);
    if (ws.m_animate) placer.HideComponent();
    ws.m_leftColumn = ws.m_rightColumn = 0;
    ws.m_bends.clear();

    CVertex* centre = nullptr;
    for (CVertex* v : m_compVertices) {
        if (v->Degree() == 3) {
            centre = v;
            break;
        }
    }
    if (!centre) {
        placer.RevealComponent();
        return x0;
    }
    std::array<Leg, 3> legs;
    SpiderLegTracks tracks;
    for (int i = 0; i < 3; ++i) {
        legs[i] = FollowLeg(centre, centre->m_edges[i]);
        for (const CVertex* v : legs[i].vertices) tracks[i].push_back(v->m_trackNumber);
    }
    const SpiderPlan plan = PlanSpider(centre->m_trackNumber, tracks);
    if (plan.steps.empty() || !TakeBends(ws, centre, legs)) {
        placer.RevealComponent();
        return x0;
    }

    // The caller leaves half the spider's width of room on the left; a left side that needs
    // more moves the spider right, so that it never reaches back into the tree before it.
    std::int64_t origin = x0;
    const std::int64_t leftmost = origin + std::int64_t(plan.leftmost) * placer.Sx();
    if (keepRightOf != INT32_MIN && leftmost <= std::int64_t(keepRightOf))
        origin += std::int64_t(keepRightOf) + placer.Sx() - leftmost;

    for (CVertex* v : m_compVertices) v->m_placed = false;
    placer.Place(centre, placer.ColumnX(origin, 0));
    placer.Step();

    SpiderDrawing drawing(*this, placer);
    for (const SpiderStep& step : plan.steps) {
        const Leg& leg = legs[step.leg];
        CVertex* v = leg.vertices[step.index];
        CVertex* inner = step.index == 0 ? centre : leg.vertices[step.index - 1];
        const std::int32_t x = placer.ColumnX(origin, step.column);
        placer.Place(v, x, leg.edges[step.index]);
        ws.m_leftColumn = std::min(ws.m_leftColumn, step.column);
        ws.m_rightColumn = std::max(ws.m_rightColumn, step.column);
        drawing.RouteThroughBends(leg.edges[step.index], inner, v, x);
        placer.Step();
    }
    drawing.UpdateComponentLists();
    placer.RevealComponent();
    return placer.LargestCentreX(x0);
}
