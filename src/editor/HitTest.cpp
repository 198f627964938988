#include "editor/HitTest.h"

#include <cmath>

#include "editor/Visibility.h"
#include "model/LattixDoc.h"

double PointLineDistance(double x, double y, double x1, double y1, double x2, double y2) {
    const double dx = x2 - x1, dy = y2 - y1;
    double d;
    if (dx == 0) d = x - x1;
    else if (dy == 0) d = y - y1;
    else {
        const double m = dy / dx;
        d = (m * x - y + (y1 - m * x1)) / (-std::sqrt(1 + m * m));
    }
    return std::fabs(d);
}

bool HitsVertex(const CVertex& v, Point p) { return v.GetRect().Contains(p); }

bool HitsEdge(const CEdge& e, Point p, double distance) {
    const double d = PointLineDistance(p.x, p.y, e.m_start.x, e.m_start.y, e.m_end.x, e.m_end.y);
    if (d > distance) return false;
    Rect box = e.GetRect();
    const Point c = box.Center();
    if (box.Width() < 3) {
        box.left = c.x - 1;
        box.right = c.x + 2;
    }
    if (box.Height() < 3) {
        box.top = c.y - 1;
        box.bottom = c.y + 2;
    }
    return box.Contains(p);
}

namespace {

bool Hits(const CElement& e, Point p, const HitOptions& o) {
    if (e.m_hidden) return false;
    if (const CVertex* v = e.AsVertex()) {
        if (o.visibleIn && !IsVertexVisible(*o.visibleIn, *v)) return false;
        return HitsVertex(*v, p);
    }
    const CEdge& edge = *e.AsEdge();
    if (!o.edges || !edge.m_v2) return false;
    if (o.visibleIn && !IsEdgeColorVisible(*o.visibleIn, edge)) return false;
    return HitsEdge(edge, p, o.edgeDistance);
}

} // namespace

CElement* HitTestElements(const CLattixDoc& doc, Point p, const HitOptions& options) {
    CElement* vertex = nullptr;
    CElement* edge = nullptr;
    for (CElement* e : doc.m_elements) {
        if (!Hits(*e, p, options)) continue;
        (e->IsVertex() ? vertex : edge) = e;
    }
    return vertex ? vertex : edge;
}

CElement* FirstElementHit(const CLattixDoc& doc, Point p, const HitOptions& options) {
    for (CElement* e : doc.m_elements)
        if (Hits(*e, p, options)) return e;
    return nullptr;
}
