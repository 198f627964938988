// The radius-2 star layout: the centre in column k, the legs that climb to higher tracks
// (and the plain leaves) to its left, the others to its right. A leg's outer edge runs one
// column per track, so the outer edges on a side are parallel and never meet.

#include <algorithm>

#include "model/AlgorithmWorkspace.h"
#include "model/LattixDoc.h"
#include "trees/UlpPlacement.h"

namespace {

// The other neighbour of a leg's middle vertex w (the one that is not the centre).
CEdge* OuterEdge(const CVertex* w, const CVertex* centre) {
    for (CEdge* e : w->m_edges)
        if (CVertex* z = e->Other(w); z && z != centre) return e;
    return nullptr;
}

} // namespace

std::int32_t CLattixDoc::DrawRadius2Star(AlgorithmWorkspace& ws, std::int32_t x0) {
    CLattixView* view = GetActiveEditorView();
    if (!view) return x0;
    UlpPlacer placer(ws, *view);
    const std::int64_t base = std::int64_t(x0) + 2 * std::int64_t(placer.Sx());

    for (CVertex* v : m_compVertices) {
        v->m_center = v->m_center + v->m_offset;
        v->m_rect = v->m_rect.Offset(v->m_offset);
        v->ResetOffset();
        v->m_placed = false;
    }
    if (ws.m_animate) placer.HideComponent();

    CVertex* centre = nullptr;
    for (CVertex* v : m_compVertices) {
        if (v->Degree() > 2) {
            centre = v;
            break;
        }
    }
    if (!centre) {
        placer.RevealComponent();
        return x0;
    }

    // Enough columns left of the centre for the longest climbing leg.
    std::int64_t k = 1;
    for (CEdge* e : centre->m_edges) {
        CVertex* w = e->Other(centre);
        if (!w || w->Degree() != 2) continue;
        CEdge* outer = OuterEdge(w, centre);
        CVertex* z = outer ? outer->Other(w) : nullptr;
        if (z && z->m_trackNumber > w->m_trackNumber)
            k = std::max<std::int64_t>(k, std::int64_t(z->m_trackNumber) - w->m_trackNumber + 1);
    }

    placer.Place(centre, placer.ColumnX(base, k));
    placer.Step();
    for (CEdge* e : centre->m_edges) {
        CVertex* w = e->Other(centre);
        if (!w) continue;
        CEdge* outer = w->Degree() >= 2 ? OuterEdge(w, centre) : nullptr;
        if (!outer) {
            placer.Place(w, placer.ColumnX(base, k - 1), e);
            placer.Step();
            continue;
        }
        CVertex* z = outer->Other(w);
        const std::int64_t tw = w->m_trackNumber, tz = z->m_trackNumber;
        std::int64_t wColumn, zColumn;
        if (tz <= tw) {
            wColumn = k + 1;
            zColumn = k + 1 + (tw - tz);
        } else {
            wColumn = k - 1;
            zColumn = k - 1 - (tz - tw);
        }
        placer.Place(w, placer.ColumnX(base, wColumn), e);
        placer.Step();
        placer.Place(z, placer.ColumnX(base, zColumn), outer);
        placer.Step();
    }
    placer.RevealComponent();
    return placer.LargestCentreX(x0);
}
