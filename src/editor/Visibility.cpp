#include "editor/Visibility.h"

#include "model/DocView.h"
#include "model/Element.h"

bool IsEdgeColorVisible(const CLattixView& view, const CEdge& e) { return view.IsColorShown(e.m_edgeColor); }

bool IsVertexVisible(const CLattixView& view, const CVertex& v) {
    if (!v.m_isBend || v.m_edges.empty()) return true;
    return IsEdgeColorVisible(view, *v.m_edges.front());
}
