// "Find Kuratowski Subgraph" and "Draw Planar Graph": the planarity test's preamble, then
// the light graph of the document goes to the left-right code and its answer comes back
// as highlights or positions, in one undo step.

#include <algorithm>
#include <unordered_map>

#include "model/LattixDoc.h"
#include "planarity/Blocks.h"
#include "planarity/KuratowskiSubdivision.h"
#include "planarity/PlanarGridDrawing.h"

namespace {

constexpr Rgb kKuratowskiColor = 0x000000E0; // red

// The document's graph by list positions: vertex i is m_allVertices[i]; edge j joins the
// positions of the ends of m_allEdges[source[j]]. Loops, which neither make a graph
// non-planar nor have a straight drawing, are left out.
std::vector<PlanarEdge> LightGraph(const CLattixDoc& doc, std::vector<std::int32_t>& source) {
    std::unordered_map<const CVertex*, std::int32_t> index;
    index.reserve(doc.m_allVertices.size());
    for (std::size_t i = 0; i < doc.m_allVertices.size(); ++i)
        index.emplace(doc.m_allVertices[i], static_cast<std::int32_t>(i));
    std::vector<PlanarEdge> edges;
    edges.reserve(doc.m_allEdges.size());
    source.clear();
    for (std::size_t j = 0; j < doc.m_allEdges.size(); ++j) {
        const CEdge* e = doc.m_allEdges[j];
        if (e->IsSelfLoop()) continue;
        edges.push_back({index.at(e->m_v1), index.at(e->m_v2)});
        source.push_back(static_cast<std::int32_t>(j));
    }
    return edges;
}

} // namespace

// The preamble of "&Planarity Testing": bends, simplicity, direction. False when the
// command ends there.
static bool PlanarPreamble(CLattixDoc& doc) {
    if (doc.HasBends()) {
        if (!doc.Platform().AskOkCancel("The operation will remove bends")) return false;
        doc.RemoveAllBends();
    }
    doc.RebuildAllLists();
    if (!doc.IsSimple()) {
        doc.Platform().ShowMessage("The graph is not simple.");
        doc.RepaintAllViews();
        return false;
    }
    if (doc.m_directed) {
        doc.Platform().ShowMessage("The graph is not undirected.");
        doc.RepaintAllViews();
        return false;
    }
    return true;
}

void CLattixDoc::OnFindKuratowskiSubgraph() { FindKuratowskiSubgraph(); }

CLattixDoc::EvidenceResult CLattixDoc::FindKuratowskiSubgraph(std::vector<std::uint32_t>* edgeIds, bool* k5) {
    if (!PlanarPreamble(*this)) return EvidenceResult::Refused;
    std::vector<std::int32_t> source;
    const std::vector<PlanarEdge> edges = LightGraph(*this, source);
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
    for (std::int32_t e : found.m_edges) m_allEdges[source[e]]->m_highlight = kKuratowskiColor;
    for (std::int32_t v : found.m_branches) m_allVertices[v]->m_highlight = kKuratowskiColor;
    const bool isK5 = found.m_kind == KuratowskiKind::K5;
    if (edgeIds) {
        edgeIds->clear();
        for (std::int32_t e : found.m_edges) edgeIds->push_back(m_allEdges[source[e]]->m_id);
    }
    if (k5) *k5 = isK5;
    CommitEdit();
    Platform().ShowMessage(isK5 ? "The graph is non planar: the highlighted edges form a subdivision of K5."
                                : "The graph is non planar: the highlighted edges form a subdivision of K3,3.");
    return EvidenceResult::NonPlanar;
}

void CLattixDoc::OnDrawPlanarGraph() { DrawPlanarGraph(); }

CLattixDoc::EvidenceResult CLattixDoc::DrawPlanarGraph() {
    if (!PlanarPreamble(*this)) return EvidenceResult::Refused;
    std::vector<std::int32_t> source;
    const std::vector<PlanarEdge> edges = LightGraph(*this, source);
    std::optional<PlanarGridDrawing> drawing;
    try {
        drawing = DrawPlanarOnGrid(static_cast<std::int32_t>(m_allVertices.size()), edges);
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

    // The new drawing starts where the old one did and takes the grid steps the canvas
    // leaves room for; both axes scale apart, which keeps a straight-line drawing planar.
    std::int64_t left = INT64_MAX, top = INT64_MAX, radius = 0;
    for (const CVertex* v : m_allVertices) {
        const Point at = v->m_center + v->m_offset;
        left = std::min<std::int64_t>(left, at.x);
        top = std::min<std::int64_t>(top, at.y);
        radius = std::max<std::int64_t>(radius, v->m_radius);
    }
    left = std::clamp<std::int64_t>(left, radius, kCanvasSize - radius);
    top = std::clamp<std::int64_t>(top, radius, kCanvasSize - radius);
    const std::int64_t roomX = kCanvasSize - radius - left, roomY = kCanvasSize - radius - top;
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
