#include <algorithm>

#include "editor/ElementDrawing.h"
#include "model/LattixDoc.h"
#include "planarity/ReplayDrawing.h"

namespace {

bool Overlaps(const Rect& visible, const Rect& r) {
    return r.left <= visible.right && r.right >= visible.left && r.top <= visible.bottom && r.bottom >= visible.top;
}

// Conservative on-screen extents, used only to skip what cannot show. Everything an
// element paints lies inside: the band, halo, arrowhead and weight box around an edge,
// the halo and an overflowing label around a vertex.
Rect EdgeExtent(const CEdge& edge, const Projection& proj, bool showWeight) {
    const std::int32_t margin = showWeight ? 240 : 12;
    return Rect::Spanning(proj.Map(edge.m_start), proj.Map(edge.m_end)).Inflated(margin, margin, margin, margin);
}

Rect VertexExtent(const CVertex& vertex, const Projection& proj, std::size_t labelLength) {
    const Rect r = proj.Map(vertex.m_rect).Offset(vertex.m_offset);
    const std::int32_t font = static_cast<std::int32_t>(20 * proj.zoom) + 8;
    const std::int32_t overflow = static_cast<std::int32_t>(labelLength) * font / 2 + 8;
    return r.Inflated(overflow, font, overflow, font);
}

std::size_t LabelLengthBound(const CVertex& v, const VertexDisplay& d) {
    if (v.m_isBend) return 0;
    return (d.showName ? v.m_name.size() + 1 : 0) + (d.showStNumber ? 12 : 0) + (d.showTrack ? 12 : 0);
}

} // namespace

void CLattixDoc::DrawGraph(DrawTarget& target, std::int32_t scrollX, std::int32_t scrollY, int mode, CDocView* view,
                           bool drawGuides) {
    const double zoom = ZoomFactor();
    target.SetRasterOp(RasterOp::Copy);
    target.SetTextColor(kBlack);
    target.SetFont(Font{"Arial", static_cast<std::int32_t>(12 * zoom), true, 0});

    if (mode == 2) {
        DrawPQtreeReplay(*this, target, scrollX, scrollY);
        return;
    }
    if (mode != 0 || !view || !view->IsEditorView()) return;
    const auto& editor = static_cast<const CLattixView&>(*view);

    const Projection proj{zoom, {scrollX, scrollY}};
    const std::optional<Rect> visible = target.VisibleArea();
    if (drawGuides) {
        GuideContext guides{proj, editor.m_clientWidth, editor.m_clientHeight, m_showTrackLabels, m_selectedTrack,
                            visible};
        if (visible) {
            guides.clientWidth = std::max(guides.clientWidth, visible->right);
            guides.clientHeight = std::max(guides.clientHeight, visible->bottom);
        }
        DrawGuides(target, editor, guides);
    }

    EdgeDisplay edges{editor.m_showColor, m_directed, m_showWeight, editor.m_showDashedEdges};
    const VertexDisplay vertices{m_showName, m_showStNumber, m_showTrack};

    // One pass sorts the elements into what shows, keeping list order.
    std::vector<const CEdge*> shownEdges;
    std::vector<const CVertex*> shownVertices;
    for (const CElement* element : m_elements) {
        if (const CEdge* e = element->AsEdge()) {
            if (!visible || Overlaps(*visible, EdgeExtent(*e, proj, m_showWeight))) shownEdges.push_back(e);
        } else {
            const CVertex* v = element->AsVertex();
            if (!IsVertexVisible(*v, edges)) continue;
            if (!visible || Overlaps(*visible, VertexExtent(*v, proj, LabelLengthBound(*v, vertices))))
                shownVertices.push_back(v);
        }
    }

    for (const CEdge* e : shownEdges) DrawEdgeHighlight(target, *e, proj, edges);
    for (const CVertex* v : shownVertices) DrawVertexHalo(target, *v, proj);
    for (const CEdge* e : shownEdges) DrawEdge(target, *e, proj, edges);
    for (const CVertex* v : shownVertices) DrawVertex(target, *v, proj, vertices);
}
