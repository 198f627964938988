#include "trees/Crossings.h"

#include <algorithm>
#include <future>
#include <limits>
#include <stdexcept>
#include <system_error>
#include <thread>

#include "model/AddressIndex.h"
#include "model/LattixDoc.h"
#include "trees/ColourCrossingCount.h"

namespace {

// The sign of the orientation of r against the line p-q, computed exactly: 32-bit products
// wrap for coordinates beyond about 32767 units and would call far-apart segments crossing.
std::int32_t Orient(Point p, Point q, Point r) {
    const __int128 v = __int128(std::int64_t(q.y) - p.y) * (std::int64_t(r.x) - p.x) -
                       __int128(std::int64_t(r.y) - p.y) * (std::int64_t(q.x) - p.x);
    return v > 0 ? 1 : v < 0 ? -1 : 0;
}

bool InBox(Point p, Point c, Point d) {
    return p.x >= std::min(c.x, d.x) && p.x <= std::max(c.x, d.x) && p.y >= std::min(c.y, d.y) &&
           p.y <= std::max(c.y, d.y);
}

bool ShareEnd(const CEdge& e, const CEdge& f) {
    return e.m_v1 == f.m_v1 || e.m_v1 == f.m_v2 || e.m_v2 == f.m_v1 || e.m_v2 == f.m_v2;
}

} // namespace

Segment SegmentOf(const CEdge& e) {
    Segment s;
    s.a = e.m_v1 ? e.m_v1->m_center + e.m_v1->m_offset : e.m_start;
    s.b = e.m_v2 ? e.m_v2->m_center + e.m_v2->m_offset : e.m_end;
    return s;
}

bool SegmentsIntersect(const Segment& e, const Segment& f) {
    const Point A = e.a, B = e.b, C = f.a, D = f.b;
    const std::int32_t d1 = Orient(C, D, A), d2 = Orient(C, D, B);
    const std::int32_t d3 = Orient(A, B, C), d4 = Orient(A, B, D);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0))) return true;
    if (d1 == 0 && InBox(A, C, D)) return true;
    if (d2 == 0 && InBox(B, C, D)) return true;
    if (d3 == 0 && InBox(C, A, B)) return true;
    if (d4 == 0 && InBox(D, A, B)) return true;
    return false;
}

bool SegmentsIntersect(const CEdge& e, const CEdge& f) { return SegmentsIntersect(SegmentOf(e), SegmentOf(f)); }

std::array<std::int32_t, 8> CountCrossingsAllPairs(const std::vector<const CEdge*>& edges) {
    std::array<std::int32_t, 8> counts{};
    for (const CEdge* e : edges) {
        for (const CEdge* f : edges) {
            if (f == e || ShareEnd(*e, *f)) continue;
            if (e->m_edgeColor == f->m_edgeColor && IsEdgeColorCode(e->m_edgeColor) && SegmentsIntersect(*e, *f))
                ++counts[e->m_edgeColor - 1];
        }
    }
    for (auto& c : counts) c /= 2;
    return counts;
}

namespace {

// The end vertices of consecutive edges lie anywhere in memory: asking for those of the
// edge a few places ahead of `i` lets the waits for them overlap.
[[gnu::always_inline]] inline void PrefetchEndsAhead(std::span<const CEdge* const> edges, std::size_t i) {
#if defined(__GNUC__)
    constexpr std::size_t kAhead = 8;
    if (i + kAhead >= edges.size()) return;
    for (const CVertex* v : {edges[i + kAhead]->m_v1, edges[i + kAhead]->m_v2})
        if (v) {
            __builtin_prefetch(&v->m_center);
            __builtin_prefetch(&v->m_offset);
        }
#else
    (void)edges;
    (void)i;
#endif
}

} // namespace

std::uint32_t PendingCrossings::AddPlace(const void* vertex, Point at) {
    // The colour code takes the top bits of a place number; a drawing this large would not
    // fit in memory as elements anyway.
    if (m_vertices.size() > kPlaceMask) throw std::length_error("too many edge ends to count crossings");
    m_vertices.push_back(vertex);
    m_points.push_back(at);
    return static_cast<std::uint32_t>(m_vertices.size() - 1);
}

void PendingCrossings::AddEdge(std::uint32_t a, std::uint32_t b, std::uint16_t code) {
    m_edges.push_back({a | (std::uint32_t(code - 1) << kPlaceBits), b});
}

void PendingCrossings::Add(const void* v1, const void* v2, Segment s, std::uint16_t code) {
    const std::uint32_t a = AddPlace(v1, s.a);
    AddEdge(a, AddPlace(v2, s.b), code);
}

void PendingCrossings::Reserve(std::size_t places, std::size_t edges) {
    m_vertices.reserve(places);
    m_points.reserve(places);
    m_edges.reserve(edges);
}

PendingCrossings TakeCrossingSegments(std::span<const CEdge* const> edges) {
    PendingCrossings taken;
    taken.Reserve(2 * edges.size(), edges.size());
    for (std::size_t i = 0; i < edges.size(); ++i) {
        PrefetchEndsAhead(edges, i);
        const CEdge* e = edges[i];
        if (IsEdgeColorCode(e->m_edgeColor)) taken.Add(e->m_v1, e->m_v2, SegmentOf(*e), e->m_edgeColor);
    }
    return taken;
}

PendingCrossings TakeCrossingSegments(const std::vector<CVertex*>& vertices, std::span<const CEdge* const> edges) {
    PendingCrossings taken;
    taken.Reserve(vertices.size(), edges.size());
    for (const CVertex* v : vertices) taken.AddPlace(v, v->m_center + v->m_offset);
    // Finding an end among the vertices needs no look at the vertex itself: the places
    // hold its point already.
    const PositionIndex<CVertex> index(vertices);
    auto placeOf = [&](const CVertex* v, Point freeEnd) {
        const std::int32_t known = v ? index.Of(v) : -1;
        if (known >= 0) return static_cast<std::uint32_t>(known);
        return taken.AddPlace(v, v ? v->m_center + v->m_offset : freeEnd);
    };
    for (const CEdge* e : edges) {
        if (!IsEdgeColorCode(e->m_edgeColor)) continue;
        // A free end, or one at a vertex outside the list, is a place of its own.
        const std::uint32_t a = placeOf(e->m_v1, e->m_start);
        const std::uint32_t b = placeOf(e->m_v2, e->m_end);
        taken.AddEdge(a, b, e->m_edgeColor);
    }
    return taken;
}

bool StillAsTaken(const PendingCrossings& taken, std::span<const CEdge* const> edges) {
    std::size_t k = 0;
    for (std::size_t i = 0; i < edges.size(); ++i) {
        PrefetchEndsAhead(edges, i);
        const CEdge* e = edges[i];
        if (!IsEdgeColorCode(e->m_edgeColor)) continue;
        if (k == taken.Size()) return false;
        const PendingCrossings::Edge t = taken.At(k++);
        const Segment s = SegmentOf(*e);
        if (t.v1 != e->m_v1 || t.v2 != e->m_v2 || t.code != e->m_edgeColor || t.seg.a != s.a || t.seg.b != s.b)
            return false;
    }
    return k == taken.Size();
}

std::array<std::int32_t, 8> CountTakenCrossings(const PendingCrossings& taken) {
    std::array<std::size_t, 8> sizes{};
    for (std::size_t i = 0; i < taken.Size(); ++i) ++sizes[taken.Code(i) - 1];
    // Workers pay only on drawings of many edges; the count is the same either way.
    constexpr std::size_t kThreadedFrom = 1 << 17;
    const unsigned threads = taken.Size() >= kThreadedFrom ? std::max(1u, std::thread::hardware_concurrency()) : 1u;
    std::array<std::int32_t, 8> counts{};
    for (int c = 0; c < 8; ++c) {
        if (sizes[c] < 2) continue;
        const std::int64_t k = CountColourCrossings(taken, std::uint16_t(c + 1), threads);
        counts[c] = static_cast<std::int32_t>(std::min<std::int64_t>(k, std::numeric_limits<std::int32_t>::max()));
    }
    return counts;
}

std::array<std::int32_t, 8> CountCrossingsFast(const std::vector<const CEdge*>& edges) {
    return CountTakenCrossings(TakeCrossingSegments(edges));
}

void CLattixDoc::CountCrossings() {
    // The edge list is the one RebuildAllLists keeps, so that a command's own lists after
    // a load or an edit cost no second walk over the elements.
    RefreshCachedLists();
    const std::span<const CEdge* const> edges(m_cachedEdges.data(), m_cachedEdges.size());
    // A drawing as it was when last taken keeps its snapshot, counted or not: commands that
    // recount after moving nothing then cost one walk and no copy.
    if (m_pendingCrossings && StillAsTaken(*m_pendingCrossings, edges)) return;
    ReplaceSnapshot(TakeCrossingSegments(m_cachedVertices, edges));
}

void CLattixDoc::TakeLoadedCrossings(PendingCrossings taken) {
    ReplaceSnapshot(std::move(taken));
    StartCountUnderWay();
}

// A count under way belongs to the snapshot it was started on: it ends before that goes.
void CLattixDoc::ReplaceSnapshot(PendingCrossings taken) {
    DropCountUnderWay();
    m_pendingCrossings = std::make_shared<const PendingCrossings>(std::move(taken));
    m_crossingsSettled = false;
}

void CLattixDoc::AdoptLoadedLists(std::vector<CVertex*> vertices, std::vector<CEdge*> edges) {
    m_cachedVertices = std::move(vertices);
    m_cachedEdges = std::move(edges);
    m_allListsVersion = m_elements.Version();
    m_allListsOwner = &m_elements;
}

// A load of a large drawing reads its count soon after (the panes show it), and the rest
// of the load has little use for a second core: counting starts at once, on a thread.
void CLattixDoc::StartCountUnderWay() {
    constexpr std::size_t kUnderWayFrom = 1 << 15;
    if (m_pendingCrossings->Size() < kUnderWayFrom) return;
    try {
        m_countUnderWay = std::async(std::launch::async, [taken = m_pendingCrossings] { return CountTakenCrossings(*taken); });
    } catch (const std::system_error&) {
        // No thread to be had: the count is made when it is read, as for small drawings.
    }
}

void CLattixDoc::DropCountUnderWay() const {
    if (!m_countUnderWay.valid()) return;
    try {
        m_countUnderWay.get();
    } catch (...) {
        // The count of a snapshot no longer wanted: its failure does not matter either.
    }
}

void CLattixDoc::SettleCrossings() const {
    if (!m_pendingCrossings || m_crossingsSettled) return;
    const std::array<std::int32_t, 8> byCode =
        m_countUnderWay.valid() ? m_countUnderWay.get() : CountTakenCrossings(*m_pendingCrossings);
    m_crossingsSettled = true;
    m_totalCrossings = 0;
    for (int code = 1; code <= 8; ++code) {
        m_crossings[CLattixView::ShowColorSlot(code)] = byCode[code - 1];
        m_totalCrossings += byCode[code - 1];
    }
}

void CLattixDoc::SetCrossingCounts(const std::array<std::int32_t, 8>& byCode) {
    DropCountUnderWay();
    m_pendingCrossings.reset();
    m_totalCrossings = 0;
    for (int code = 1; code <= 8; ++code) {
        m_crossings[CLattixView::ShowColorSlot(code)] = byCode[code - 1];
        m_totalCrossings += byCode[code - 1];
    }
}

std::int32_t CLattixDoc::TotalCrossings() const {
    SettleCrossings();
    return m_totalCrossings;
}

const std::array<std::int32_t, 8>& CLattixDoc::CrossingSlots() const {
    SettleCrossings();
    return m_crossings;
}
