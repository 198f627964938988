// "Find Kuratowski Subgraph" and "Draw Planar Graph": the planarity test's preamble, then
// the light graph of the document goes to the left-right code and its answer comes back
// as highlights or positions, in one undo step.

#include <algorithm>
#include <optional>

#include "model/LattixDoc.h"
#include "planarity/Blocks.h"
#include "planarity/KuratowskiSubdivision.h"
#include "planarity/PlanarGridDrawing.h"
#include "planarity/PlanarPreamble.h"

namespace {

constexpr Rgb kKuratowskiColor = 0x000000E0; // red

// The planarity test's preamble; a graph with an edge ending outside the vertex list
// (only a fault of this program) is reported as such.
std::optional<PlanarInput> PlanarPreamble(CLattixDoc& doc) {
    std::optional<PlanarInput> input = RunPlanarPreamble(doc, LeftoverBends::AsVertices);
    if (input && !input->m_complete) {
        doc.Platform().ShowMessage("The planarity test failed on an internal error.", MessageIcon::Error);
        doc.RepaintAllViews();
        return std::nullopt;
    }
    return input;
}

} // namespace

void CLattixDoc::OnFindKuratowskiSubgraph() { FindKuratowskiSubgraph(); }

CLattixDoc::EvidenceResult CLattixDoc::FindKuratowskiSubgraph(std::vector<std::uint32_t>* edgeIds, bool* k5) {
    const std::optional<PlanarInput> graph = PlanarPreamble(*this);
    if (!graph) return EvidenceResult::Refused;
    const std::vector<PlanarEdge>& edges = graph->m_edges;
    const auto n = static_cast<std::int32_t>(m_allVertices.size());
    KuratowskiSubdivision found;
    KuratowskiOutcome outcome;
    try {
        std::unique_ptr<IProgress> progress;
        const auto total = static_cast<std::int64_t>(edges.size());
        outcome = FindKuratowskiSubdivision(n, edges, found, [&](std::int64_t undecided) {
            if (!progress) progress = Platform().BeginProgress("Searching for a Kuratowski subgraph", total);
            return progress->Update(total - undecided);
        });
    } catch (const PlanarityError&) {
        Platform().ShowMessage("The planarity test failed on an internal error.", MessageIcon::Error);
        RepaintAllViews();
        return EvidenceResult::Failed;
    }
    if (outcome == KuratowskiOutcome::Cancelled) {
        RepaintAllViews();
        return EvidenceResult::Cancelled;
    }
    if (outcome == KuratowskiOutcome::Planar) {
        Platform().ShowMessage("The graph is planar.");
        RepaintAllViews();
        return EvidenceResult::Planar;
    }
    for (CVertex* v : m_allVertices) v->m_highlight = kNoHighlight;
    for (CEdge* e : m_allEdges) e->m_highlight = kNoHighlight;
    for (std::int32_t e : found.m_edges) m_allEdges[graph->SourceOf(e)]->m_highlight = kKuratowskiColor;
    for (std::int32_t v : found.m_branches) m_allVertices[v]->m_highlight = kKuratowskiColor;
    const bool isK5 = found.m_kind == KuratowskiKind::K5;
    if (edgeIds) {
        edgeIds->clear();
        for (std::int32_t e : found.m_edges) edgeIds->push_back(m_allEdges[graph->SourceOf(e)]->m_id);
    }
    if (k5) *k5 = isK5;
    // Only highlights changed: the crossings stand unless the bends went. The modes'
    // colouring still runs, as it repaints highlights of its own.
    CommitEdit({.derived = graph->m_bendsRemoved ? Derived::All : Derived::ModeData});
    Platform().ShowMessage(isK5 ? "The graph is non planar: the highlighted edges form a subdivision of K5."
                                : "The graph is non planar: the highlighted edges form a subdivision of K3,3.");
    return EvidenceResult::NonPlanar;
}

void CLattixDoc::OnDrawPlanarGraph() { DrawPlanarGraph(); }

CLattixDoc::EvidenceResult CLattixDoc::DrawPlanarGraph() {
    const std::optional<PlanarInput> graph = PlanarPreamble(*this);
    if (!graph) return EvidenceResult::Refused;
    // The new drawing starts where the old one did and takes the grid steps the canvas
    // leaves room for; both axes scale apart, which keeps a straight-line drawing planar.
    // No room is wider than the canvas, so a graph too wide for the whole of it is refused
    // without a look at where its vertices stand.
    const auto n = static_cast<std::int32_t>(m_allVertices.size());
    std::int64_t left = 0, top = 0, roomX = kCanvasSize, roomY = kCanvasSize;
    if (PlanarWidthAtLeast(n) <= kCanvasSize) {
        std::int64_t radius = 0;
        left = top = INT64_MAX;
        for (const CVertex* v : m_allVertices) {
            const Point at = v->m_center + v->m_offset;
            left = std::min<std::int64_t>(left, at.x);
            top = std::min<std::int64_t>(top, at.y);
            radius = std::max<std::int64_t>(radius, v->m_radius);
        }
        left = std::clamp<std::int64_t>(left, radius, kCanvasSize - radius);
        top = std::clamp<std::int64_t>(top, radius, kCanvasSize - radius);
        roomX = kCanvasSize - radius - left;
        roomY = kCanvasSize - radius - top;
    }
    std::optional<PlanarGridDrawing> drawing;
    try {
        // A drawing wider than the room is refused below, so it need not be made.
        drawing = DrawPlanarOnGrid(n, graph->m_edges, roomX);
    } catch (const PlanarityError&) {
        Platform().ShowMessage("The planarity test failed on an internal error.", MessageIcon::Error);
        RepaintAllViews();
        return EvidenceResult::Failed;
    }
    if (!drawing) {
        Platform().ShowMessage("The graph is non planar.");
        RepaintAllViews();
        return EvidenceResult::NonPlanar;
    }
    if (m_allVertices.empty()) return EvidenceResult::Planar;
    const std::int64_t stepX = drawing->m_width > 0 ? roomX / drawing->m_width : 1;
    const std::int64_t stepY = drawing->m_height > 0 ? roomY / drawing->m_height : 1;
    if (stepX < 1 || stepY < 1) {
        Platform().ShowMessage("The graph is too large to draw on the canvas.");
        RepaintAllViews();
        return EvidenceResult::Failed;
    }
    for (std::size_t i = 0; i < m_allVertices.size(); ++i) {
        CVertex* v = m_allVertices[i];
        const GridPoint& p = drawing->m_points[i];
        v->ResetOffset();
        v->PlaceAt(static_cast<std::int32_t>(left + stepX * p.x), static_cast<std::int32_t>(top + stepY * p.y), nullptr,
                   false);
    }
    for (CEdge* e : m_allEdges) e->ComputeAttachment();
    CommitEdit();
    return EvidenceResult::Planar;
}
