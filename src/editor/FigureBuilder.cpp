#include "editor/FigureBuilder.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

#include "editor/ElementDrawing.h"
#include "model/DocView.h"
#include "model/LattixDoc.h"

namespace {

LineDash ToDash(PenStyle style) {
    switch (style) {
    case PenStyle::Dash: return LineDash::Dash;
    case PenStyle::DashDot: return LineDash::DashDot;
    case PenStyle::DashDotDot: return LineDash::DashDotDot;
    default: return LineDash::Solid;
    }
}

Point CenterOf(const CVertex& v) { return v.GetRect().Center(); }

// The segments of a bent edge, walked from a real vertex through its bends to the real
// vertex at the other end. Returns false when the walk meets no real vertex (a ring of
// bends, which only a damaged file holds).
struct Chain {
    const CVertex* from = nullptr;
    const CVertex* to = nullptr;
    std::vector<const CEdge*> segments;
    std::vector<const CVertex*> bends;
};

bool WalkChain(const CVertex* start, const CEdge* first, std::unordered_set<const CEdge*>& used, Chain& chain) {
    chain.from = start;
    const CVertex* at = start;
    const CEdge* edge = first;
    while (true) {
        used.insert(edge);
        chain.segments.push_back(edge);
        const CVertex* next = edge->Other(at);
        if (!next) return false;
        if (!next->m_isBend || next->m_edges.size() != 2) {
            chain.to = next;
            return true;
        }
        chain.bends.push_back(next);
        const CEdge* onward = next->m_edges[0] == edge ? next->m_edges[1] : next->m_edges[0];
        if (used.count(onward)) return false;
        at = next;
        edge = onward;
    }
}

void Reverse(Chain& chain) {
    std::swap(chain.from, chain.to);
    std::reverse(chain.segments.begin(), chain.segments.end());
    std::reverse(chain.bends.begin(), chain.bends.end());
}

double Distance(Point a, Point b) { return std::hypot(double(a.x) - b.x, double(a.y) - b.y); }

// An edge's end on the rim of its vertex, on the side facing `toward`. The stored end is
// kept (it carries the turn of parallel edges) unless it lies on the far side of the disc,
// where a vertical edge's end is stored; there an arrowhead would hide under the vertex.
Point FacingEnd(Point stored, Point center, std::int32_t radius, Point toward) {
    if (Distance(stored, toward) <= Distance(center, toward)) return stored;
    const double d = Distance(center, toward);
    if (d == 0) return stored;
    return {center.x + std::int32_t(std::lround((toward.x - center.x) * radius / d)),
            center.y + std::int32_t(std::lround((toward.y - center.y) * radius / d))};
}

Rect Grow(const Rect& box, const Rect& r, bool& any) {
    if (!any) {
        any = true;
        return r;
    }
    return {std::min(box.left, r.left), std::min(box.top, r.top), std::max(box.right, r.right),
            std::max(box.bottom, r.bottom)};
}

} // namespace

Figure BuildFigure(const CLattixDoc& doc, const CLattixView& view, const FigureOptions& options) {
    Figure figure;
    figure.directed = doc.m_directed;
    const EdgeDisplay display{view.m_showColor, doc.m_directed, doc.m_showWeight, view.m_showDashedEdges};
    const VertexDisplay labels{doc.m_showName, doc.m_showStNumber, doc.m_showTrack};

    std::unordered_map<const CVertex*, std::size_t> index;
    bool any = false;
    Rect box;
    for (const CElement* element : doc.m_elements) {
        const CVertex* v = element->AsVertex();
        if (!v || v->m_isBend || v->m_hidden || !IsVertexVisible(*v, display)) continue;
        if (options.selectionOnly && !v->m_selected) continue;
        FigureVertex fv;
        fv.id = v->m_id;
        fv.center = CenterOf(*v);
        // The disc drawn is the circle in the vertex's square, which is wider than m_radius.
        fv.radius = v->GetRect().Width() / 2;
        fv.fill = v->m_color;
        fv.textColor = NeedsWhiteText(v->m_color) ? kWhite : kBlack;
        fv.highlight = v->m_highlight;
        fv.label = VertexLabel(*v, labels);
        index.emplace(v, figure.vertices.size());
        figure.vertices.push_back(std::move(fv));
        // Halos reach 6 units past the disc.
        box = Grow(box, v->GetRect().Inflated(6, 6, 6, 6), any);
    }

    std::unordered_set<const CEdge*> used;
    for (const CElement* element : doc.m_elements) {
        const CEdge* e = element->AsEdge();
        if (!e || !e->m_v1 || !e->m_v2 || used.count(e)) continue;
        Chain chain;
        if (!e->m_v1->m_isBend) {
            if (!WalkChain(e->m_v1, e, used, chain)) continue;
        } else if (!e->m_v2->m_isBend) {
            if (!WalkChain(e->m_v2, e, used, chain)) continue;
            Reverse(chain);
        } else {
            continue; // a middle segment: its chain is found from one of its ends
        }
        const auto a = index.find(chain.from), b = index.find(chain.to);
        if (a == index.end() || b == index.end()) continue;
        const bool shown = std::all_of(chain.segments.begin(), chain.segments.end(), [&](const CEdge* s) {
            return !s->m_hidden && IsEdgeVisible(*s, display) && (!options.selectionOnly || s->m_selected);
        });
        if (!shown) continue;
        const CEdge& head = *chain.segments.front();
        FigureEdge fe;
        fe.from = a->second;
        fe.to = b->second;
        fe.points.push_back(head.m_v1 == chain.from ? head.m_start : head.m_end);
        for (const CVertex* bend : chain.bends) {
            fe.points.push_back(CenterOf(*bend));
            fe.bendFills.push_back(bend->m_color);
            fe.bendRadius = bend->GetRect().Width() / 2;
        }
        const CEdge& tail = *chain.segments.back();
        fe.points.push_back(tail.m_v2 == chain.to ? tail.m_end : tail.m_start);
        const Point first = CenterOf(*chain.from), last = CenterOf(*chain.to);
        fe.points.front() = FacingEnd(fe.points.front(), first, chain.from->GetRect().Width() / 2,
                                      fe.points.size() > 2 ? fe.points[1] : last);
        fe.points.back() = FacingEnd(fe.points.back(), last, chain.to->GetRect().Width() / 2,
                                     fe.points.size() > 2 ? fe.points[fe.points.size() - 2] : first);
        fe.colorCode = head.m_edgeColor;
        fe.color = ColorOfEdgeCode(head.m_edgeColor);
        fe.dash = display.dashed ? ToDash(DashStyleOf(head.m_edgeColor)) : LineDash::Solid;
        fe.highlight = head.m_highlight;
        fe.showWeight = doc.m_showWeight;
        fe.weight = head.m_weight;
        for (const Point& p : fe.points) box = Grow(box, Rect{p.x, p.y, p.x, p.y}, any);
        figure.edges.push_back(std::move(fe));
    }

    if (!any) box = {0, 0, 160, 160};
    box = box.Inflated(options.margin, options.margin, options.margin, options.margin);
    figure.width = box.Width();
    figure.height = box.Height();
    const Point shift{-box.left, -box.top};
    for (FigureVertex& v : figure.vertices) v.center = v.center + shift;
    for (FigureEdge& e : figure.edges)
        for (Point& p : e.points) p = p + shift;

    if (options.guides && view.HasHorizontalGuides() && view.m_ySeparation > 0) {
        const std::int32_t n = kCanvasSize / view.m_ySeparation;
        for (std::int32_t i = std::max(0, box.top / view.m_ySeparation); i < n; ++i) {
            const std::int32_t y = i * view.m_ySeparation - box.top;
            if (y < 0) continue;
            if (y > figure.height) break;
            FigureTrack track;
            track.index = i;
            track.y = y;
            const int k = i < std::int32_t(view.m_trackColors.size()) ? view.m_trackColors[i] : 0;
            const bool selected = i == doc.m_selectedTrack;
            if (k == 0) {
                track.color = MakeRgb(200, 200, 200);
                track.width = selected ? 3 : 1;
            } else {
                track.color = ColorIdToRgb(k);
                track.width = selected ? 3 : 2;
                track.dash = view.m_showDashedTracks ? ToDash(TrackDashStyleOf(k)) : LineDash::Solid;
            }
            track.labelled = doc.m_showTrackLabels && i > 0;
            figure.tracks.push_back(track);
        }
    }
    if (options.guides && view.HasVerticalGuides() && view.m_xSeparation > 0) {
        for (std::int32_t i = std::max(1, box.left / view.m_xSeparation); i < kCanvasSize / view.m_xSeparation; ++i) {
            const std::int32_t x = i * view.m_xSeparation - box.left;
            if (x < 0) continue;
            if (x > figure.width) break;
            figure.gridLines.push_back(x);
        }
    }
    return figure;
}
