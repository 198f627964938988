#include "model/Element.h"

#include "model/ElementList.h"
#include "model/ElementPool.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_set>

std::uint32_t g_nextId = 0;

void NoteLoadedId(std::uint32_t id) {
    if (id >= g_nextId && id < kLoadedIdCeiling) g_nextId = id + 1;
}

void SkipIds(std::uint64_t count) {
    const std::uint64_t next = std::uint64_t(g_nextId) + count;
    g_nextId = std::uint32_t(std::min<std::uint64_t>(next, std::numeric_limits<std::uint32_t>::max()));
}

std::uint32_t NewElementId() {
    // The counter saturates rather than wrapping to 0.
    const std::uint32_t id = g_nextId;
    if (g_nextId != std::numeric_limits<std::uint32_t>::max()) ++g_nextId;
    return id;
}

namespace {

std::uint32_t TakeNextId() { return NewElementId(); }

// Truncation towards zero that stays defined for values a damaged file can produce.
std::int64_t Trunc(double v) {
    if (std::isnan(v)) return 0;
    constexpr double kLimit = 4.0e18;
    return static_cast<std::int64_t>(std::clamp(v, -kLimit, kLimit));
}

std::int32_t ClampToInt32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

void EraseFirst(std::vector<CEdge*>& list, const CEdge* e) {
    auto it = std::find(list.begin(), list.end(), e);
    if (it != list.end()) list.erase(it);
}

} // namespace

Point CirclePoint(Point from, Point to, std::int32_t radius, std::int32_t parallelIndex) {
    const std::int32_t k = parallelIndex;
    double off = 0.0;
    if (k > 0) off = (k % 2 == 0) ? k / 2 : -((k + 1) / 2);
    if (from.x < to.x) off = -off;

    const double x1 = from.x, y1 = from.y, x2 = to.x, y2 = to.y;
    const double slope = (to.x == from.x) ? 20000.0 : (y2 - y1) / (x2 - x1);
    double theta = std::atan(slope);
    // A straight edge (off 0) never turns, even on a degenerate circle of radius 0.
    double a = off == 0.0 ? 0.0 : off / radius * 5.0;
    a = std::clamp(a, -1.570796325, 1.570796325);
    theta += a;

    const std::int64_t s = Trunc(std::sin(theta) * radius);
    const std::int64_t t = Trunc(std::cos(theta) * radius);
    if (to.x > from.x) return {ClampToInt32(to.x - t), ClampToInt32(to.y - s)};
    return {ClampToInt32(to.x + t), ClampToInt32(to.y + s)};
}

ArrowPoints ComputeArrowPoints(Point from, Point to, double length) {
    const double theta = (to.x == from.x) ? std::atan(20000.0)
                                          : std::atan(double(to.y - from.y) / double(to.x - from.x));
    auto pointAt = [&](double phi) -> Point {
        const std::int64_t s = Trunc(std::sin(phi) * length);
        const std::int64_t t = Trunc(std::cos(phi) * length);
        if (to.x > from.x) return {ClampToInt32(to.x - t), ClampToInt32(to.y - s)};
        if (to.x < from.x) return {ClampToInt32(to.x + t), ClampToInt32(to.y + s)};
        if (to.y > from.y) return {ClampToInt32(to.x - t), ClampToInt32(to.y - s)};
        return {ClampToInt32(to.x - t), ClampToInt32(to.y + s)};
    };
    return {pointAt(theta + 0.4), pointAt(theta - 0.4), pointAt(theta)};
}

// ---------------------------------------------------------------- CElement

CElement::~CElement() {
    // A destroyed element never lingers in a selection.
    if (m_selOwner) m_selOwner->Remove(this);
}


// ---------------------------------------------------------------- CVertex

ElementPool& VertexPool() {
    static ElementPool* pool = new ElementPool(sizeof(CVertex), alignof(CVertex));
    return *pool;
}

ElementPool& EdgePool() {
    static ElementPool* pool = new ElementPool(sizeof(CEdge), alignof(CEdge));
    return *pool;
}

// Both classes are final, so `size` is always the pool's own.
void* CVertex::operator new(std::size_t) { return VertexPool().Allocate(); }
void CVertex::operator delete(void* p) noexcept { VertexPool().Free(p); }

void* CEdge::operator new(std::size_t) { return EdgePool().Allocate(); }
void CEdge::operator delete(void* p) noexcept { EdgePool().Free(p); }

CVertex::CVertex() : CElement(ElementKind::Vertex) { m_selected = false; }

CVertex::CVertex(std::int32_t x, std::int32_t y, Rgb color) : CElement(ElementKind::Vertex) {
    m_id = TakeNextId();
    m_name = std::to_string(m_id);
    m_center = {x, y};
    m_rect = {x - 15, y - 15, x + 15, y + 15};
    m_radius = 10;
    m_color = color;
    m_selected = true;
}

CVertex::~CVertex() {
    // Edges are normally gone before their vertices; a survivor must not point here.
    for (CEdge* e : m_edges) {
        if (e->m_v1 == this) e->m_v1 = nullptr;
        if (e->m_v2 == this) e->m_v2 = nullptr;
    }
}

void CVertex::ResizeTo(std::int32_t x, std::int32_t y, std::int32_t) {
    const std::int64_t cx = m_center.x, cy = m_center.y;
    const double dx = double(x) - double(cx), dy = double(y) - double(cy);
    std::int64_t r = std::max<std::int64_t>(Trunc(std::sqrt(dx * dx + dy * dy)), 3);
    if (cx - r < 0) r = cx;
    if (cy - r < 0) r = cy;
    if (cx + r > kCanvasSize) r = kCanvasSize - cx;
    if (cy + r > kCanvasSize) r = kCanvasSize - cy;
    r = std::min<std::int64_t>(r, 35);
    m_radius = ClampToInt32(r);
    m_rect = {m_center.x - m_radius, m_center.y - m_radius, m_center.x + m_radius, m_center.y + m_radius};
}

void CVertex::SetRadius(std::int32_t r) {
    r = std::min(r, 35);
    m_radius = r;
    m_rect = {m_center.x - r, m_center.y - r, m_center.x + r, m_center.y + r};
}

void CVertex::UpdateIncidentEdges() {
    for (CEdge* e : m_edges) {
        if (!e->m_v1 || !e->m_v2) continue;
        const Point p1 = e->m_v1->m_center + e->m_v1->m_offset;
        const Point p2 = e->m_v2->m_center + e->m_v2->m_offset;
        e->m_end = CirclePoint(p1, p2, e->m_v2->m_radius, e->m_parallelIndex);
        e->m_start = CirclePoint(p2, p1, e->m_v1->m_radius, e->m_parallelIndex);
        e->RecomputeRect();
    }
}

CVertex* CVertex::Clone(bool appendPrime) const {
    const Point at = m_center + Point{50, 50};
    auto* clone = new CVertex(at.x, at.y, m_color);
    clone->m_isBend = m_isBend;
    clone->m_trackNumber = m_trackNumber;
    clone->m_mark = m_mark;
    clone->m_name = appendPrime ? m_name + "'" : m_name;
    clone->SetRadius(m_radius);
    return clone;
}

std::vector<CVertex*> CVertex::DistinctNeighbours() const {
    std::vector<CVertex*> result;
    for (const CEdge* e : m_edges) {
        CVertex* w = e->Other(this);
        if (w && std::find(result.begin(), result.end(), w) == result.end()) result.push_back(w);
    }
    return result;
}

// ---------------------------------------------------------------- CEdge

CEdge::CEdge() : CElement(ElementKind::Edge) { m_selected = false; }

CEdge::CEdge(CVertex* a, CVertex* b, std::uint16_t code) : CElement(ElementKind::Edge) {
    m_id = TakeNextId();
    m_v1 = a;
    m_v2 = b;
    m_edgeColor = code;
    m_selected = true;
    AssignParallelIndex(true);
    ComputeAttachment();
    RecomputeRect();
    m_color = 0;
}

CEdge::CEdge(CVertex* a, CVertex* b, std::uint16_t code, std::int32_t lane) : CElement(ElementKind::Edge) {
    m_id = TakeNextId();
    m_v1 = a;
    m_v2 = b;
    m_edgeColor = code;
    m_selected = true;
    m_parallelIndex = lane;
    a->m_edges.push_back(this);
    b->m_edges.push_back(this);
    ComputeAttachment();
    RecomputeRect();
    m_color = 0;
}

CEdge::CEdge(CVertex* a, std::int32_t x, std::int32_t y, std::uint16_t code) : CElement(ElementKind::Edge) {
    m_selected = false;
    m_v1 = a;
    m_edgeColor = code;
    m_start = a->GetRect().Center();
    m_end = {x, y};
    RecomputeRect();
}

CEdge::~CEdge() { ReleaseParallelIndex(true); }

CVertex* CEdge::Other(const CVertex* w) const {
    if (!w) return nullptr;
    if (w == m_v1) return m_v2;
    if (w == m_v2) return m_v1;
    return nullptr;
}

void CEdge::ComputeAttachment() {
    if (!m_v1 || !m_v2) return;
    const Rect r1 = m_v1->GetRect(), r2 = m_v2->GetRect();
    const Point c1 = r1.Center(), c2 = r2.Center();
    m_end = CirclePoint(c1, c2, r2.Width() / 2, m_parallelIndex);
    m_start = CirclePoint(c2, c1, r1.Width() / 2, m_parallelIndex);
}

void CEdge::AssignParallelIndex(bool registerWithEnds) {
    if (!m_v1 || !m_v2) return;
    // Every registered edge between the two vertices is in both adjacency lists, so the
    // shorter list answers the question; a high-degree vertex costs nothing.
    const CVertex* near = m_v1->m_edges.size() <= m_v2->m_edges.size() ? m_v1 : m_v2;
    const CVertex* far = near == m_v1 ? m_v2 : m_v1;
    std::int32_t largest = -1;
    for (const CEdge* e : near->m_edges) {
        const CVertex* other = (e->m_v1 == near) ? e->m_v2 : e->m_v1;
        if (other == far) largest = std::max(largest, e->m_parallelIndex);
    }
    m_parallelIndex = largest + 1;
    if (registerWithEnds) {
        m_v1->m_edges.push_back(this);
        m_v2->m_edges.push_back(this);
    }
}

void CEdge::ReleaseParallelIndex(bool unregisterFromEnds) {
    if (!m_v1 || !m_v2) return;
    CEdge* largest = nullptr;
    const CVertex* near = m_v1->m_edges.size() <= m_v2->m_edges.size() ? m_v1 : m_v2;
    for (CEdge* e : near->m_edges) {
        if (e->Joins(m_v1, m_v2) && (!largest || e->m_parallelIndex > largest->m_parallelIndex)) largest = e;
    }
    if (largest && largest != this && m_parallelIndex < largest->m_parallelIndex) {
        largest->m_parallelIndex = m_parallelIndex;
        largest->ComputeAttachment();
    }
    if (unregisterFromEnds) {
        EraseFirst(m_v1->m_edges, this);
        EraseFirst(m_v2->m_edges, this);
    }
}

namespace {

// Walks the chain of bend vertices that continues `edge` beyond each of its bend
// endpoints, calling step(u, w, n) for every step. A step from w (entered from u) is
// valid when w's distinct neighbours are exactly u and one other vertex n; the walk goes
// on while n is a bend. A chain that closes on itself is walked once.
template <typename Step>
void WalkBendChains(CEdge& edge, Step step) {
    auto walkFrom = [&](CVertex* w, CVertex* u) {
        std::unordered_set<const CVertex*> seen;
        while (w && w->m_isBend && seen.insert(w).second) {
            const std::vector<CVertex*> nbrs = w->DistinctNeighbours();
            if (nbrs.size() != 2) return;
            CVertex* n = nullptr;
            if (nbrs[0] == u) n = nbrs[1];
            else if (nbrs[1] == u) n = nbrs[0];
            else return;
            step(u, w, n);
            u = w;
            w = n;
        }
    };
    if (edge.m_v1 && edge.m_v1->m_isBend) walkFrom(edge.m_v1, edge.m_v2);
    if (edge.m_v2 && edge.m_v2->m_isBend) walkFrom(edge.m_v2, edge.m_v1);
}

} // namespace

void CEdge::SetHighlightAlongBends(Rgb color) {
    m_highlight = color;
    WalkBendChains(*this, [&](CVertex*, CVertex* w, CVertex*) {
        w->m_highlight = color;
        for (CEdge* f : w->m_edges) f->m_highlight = color;
    });
}

void CEdge::SetEdgeColor(std::uint16_t code) {
    m_edgeColor = code;
    const std::int32_t lane = m_parallelIndex;
    WalkBendChains(*this, [&](CVertex*, CVertex* w, CVertex*) {
        bool allSame = true;
        for (CEdge* f : w->m_edges) {
            if (f->m_parallelIndex == lane) f->m_edgeColor = code;
            if (f->m_edgeColor != code) allSame = false;
        }
        w->m_color = allSame ? ColorOfEdgeCode(code) : kWhite;
    });
}

void CEdge::CollectBendChain(std::vector<CEdge*>& out) {
    const std::uint16_t code = m_edgeColor;
    WalkBendChains(*this, [&](CVertex*, CVertex* w, CVertex* n) { out.push_back(new CEdge(w, n, code)); });
}
