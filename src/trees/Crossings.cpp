#include "trees/Crossings.h"

#include <algorithm>
#include <tuple>
#include <cmath>
#include <limits>

#include "model/LattixDoc.h"
#include "trees/RadixSort.h"

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

struct Item {
    const void* v1;
    const void* v2;
    Segment seg;
    std::int32_t left, top, right, bottom; // closed bounding box
    std::int32_t cx0, cy0, cx1, cy1;       // cells covered by the box
    // Items with both end vertices belong to the band between the heights of their ends (a
    // line, for an item along one height); their pairs within the band are counted apart.
    // Every other item is a band of its own.
    std::uint32_t band;
};

// Fenwick tree of counts over ranks 0..n-1.
class RankCounts {
public:
    explicit RankCounts(std::size_t n) : m_tree(n + 1, 0) {}
    void Add(std::size_t rank) {
        for (++rank; rank < m_tree.size(); rank += rank & (~rank + 1)) ++m_tree[rank];
    }
    // How many added ranks are below `rank`.
    std::int64_t Below(std::size_t rank) const {
        std::int64_t sum = 0;
        for (; rank > 0; rank -= rank & (~rank + 1)) sum += m_tree[rank];
        return sum;
    }

private:
    std::vector<std::int64_t> m_tree;
};

std::int64_t PairsSharingAnEnd(const std::vector<const Item*>& items);

// The intersecting pairs among the items of one band, none of them sharing an end vertex.
// Between the same two heights two segments miss each other exactly when one lies strictly
// left of the other at both heights; every other pair meets, pairs with a common end vertex
// included, and those are taken out again.
std::int64_t CountWithinBand(std::vector<const Item*>& band) {
    const std::int64_t n = static_cast<std::int64_t>(band.size());
    if (n < 2) return 0;
    auto low = [](const Item* it) { return it->seg.a.y < it->seg.b.y ? it->seg.a : it->seg.b; };
    auto high = [](const Item* it) { return it->seg.a.y < it->seg.b.y ? it->seg.b : it->seg.a; };
    // Pairs strictly left at both heights: by low x, each group of equal low x asking the
    // ranks of high x added before it.
    std::vector<std::int32_t> highXs;
    for (const Item* it : band) highXs.push_back(high(it).x);
    std::sort(highXs.begin(), highXs.end());
    highXs.erase(std::unique(highXs.begin(), highXs.end()), highXs.end());
    std::sort(band.begin(), band.end(), [&](const Item* p, const Item* q) { return low(p).x < low(q).x; });
    RankCounts added(highXs.size());
    auto rankOf = [&](const Item* it) {
        return static_cast<std::size_t>(std::lower_bound(highXs.begin(), highXs.end(), high(it).x) - highXs.begin());
    };
    std::int64_t apart = 0;
    for (std::size_t i = 0; i < band.size();) {
        std::size_t j = i;
        while (j < band.size() && low(band[j]).x == low(band[i]).x) ++j;
        for (std::size_t k = i; k < j; ++k) apart += added.Below(rankOf(band[k]));
        for (std::size_t k = i; k < j; ++k) added.Add(rankOf(band[k]));
        i = j;
    }
    return n * (n - 1) / 2 - apart - PairsSharingAnEnd(band);
}

// Pairs of items that share an end vertex: per vertex, the items ending there, less the
// pairs with both ends in common, which were counted twice.
std::int64_t PairsSharingAnEnd(const std::vector<const Item*>& items) {
    std::vector<const void*> ends;
    std::vector<std::pair<const void*, const void*>> both;
    for (const Item* it : items) {
        ends.push_back(it->v1);
        if (it->v2 != it->v1) {
            ends.push_back(it->v2);
            both.push_back(std::minmax(it->v1, it->v2));
        }
    }
    auto pairsOfEqual = [](auto& keys) {
        std::sort(keys.begin(), keys.end());
        std::int64_t pairs = 0;
        for (std::size_t i = 0; i < keys.size();) {
            std::size_t j = i;
            while (j < keys.size() && keys[j] == keys[i]) ++j;
            pairs += std::int64_t(j - i) * std::int64_t(j - i - 1) / 2;
            i = j;
        }
        return pairs;
    };
    return pairsOfEqual(ends) - pairsOfEqual(both);
}

// The intersecting pairs among items along one height (points included): closed intervals
// of x meet unless one ends before the other begins.
std::int64_t CountAlongLine(const std::vector<const Item*>& line) {
    const std::int64_t n = static_cast<std::int64_t>(line.size());
    std::vector<std::int32_t> rights;
    for (const Item* it : line) rights.push_back(it->right);
    std::sort(rights.begin(), rights.end());
    std::int64_t apart = 0;
    for (const Item* it : line) apart += std::lower_bound(rights.begin(), rights.end(), it->left) - rights.begin();
    return n * (n - 1) / 2 - apart - PairsSharingAnEnd(line);
}

// Gives every item its band and counts the pairs within bands.
std::int64_t CountWithinBands(std::vector<Item>& items) {
    // Sorted by heights with the heights beside the index: a comparison that looked them
    // up in the items would miss the cache on every step.
    struct Key {
        std::int32_t top, bottom;
        std::uint32_t index;
    };
    std::vector<Key> keys;
    for (std::uint32_t i = 0; i < items.size(); ++i) {
        const Item& it = items[i];
        if (it.v1 && it.v2) keys.push_back({it.top, it.bottom, i});
    }
    // Made in index order, and the sort is stable: by top, bottom and index.
    RadixSortByKey(keys, [](const Key& k) {
        return (std::uint64_t(std::uint32_t(k.top) ^ 0x80000000u) << 32) | (std::uint32_t(k.bottom) ^ 0x80000000u);
    });
    // The bands are found from the keys, which hold the heights in sorted order; the items lie
    // in another order, so the band numbers go to a small array first and only bands of
    // several items (the only ones with pairs) are gathered.
    constexpr std::uint32_t kNoBand = std::numeric_limits<std::uint32_t>::max();
    std::vector<std::uint32_t> bandOf(items.size(), kNoBand);
    std::uint32_t next = 0;
    std::int64_t count = 0;
    std::vector<const Item*> band;
    for (std::size_t i = 0; i < keys.size();) {
        std::size_t j = i;
        while (j < keys.size() && keys[j].top == keys[i].top && keys[j].bottom == keys[i].bottom) bandOf[keys[j++].index] = next;
        if (j - i > 1) {
            band.clear();
            for (std::size_t k = i; k < j; ++k) band.push_back(&items[keys[k].index]);
            count += keys[i].top == keys[i].bottom ? CountAlongLine(band) : CountWithinBand(band);
        }
        ++next;
        i = j;
    }
    for (std::size_t i = 0; i < items.size(); ++i) items[i].band = bandOf[i] != kNoBand ? bandOf[i] : next++;
    return count;
}

// An item between two vertices at different heights: any other such item from a band
// that only touches its own meets it, if at all, where the ends at that height coincide.
bool Steep(const Item& it) { return it.v1 && it.v2 && it.top < it.bottom; }

bool TouchAtHeight(const Item& p, const Item& q) {
    return Steep(p) && Steep(q) && (p.bottom == q.top || q.bottom == p.top);
}

// Pairs of steep items where one's lower end lies on the other's upper end, no end vertex
// shared. On a level drawing these are all the adjacent-band pairs whose boxes meet, far
// too many to test one by one.
std::int64_t CountTouchingAtHeights(const std::vector<Item>& items) {
    // A point as one number that sorts as (x, y) does, so that the sort compares integers.
    auto at = [](Point p) {
        return (std::uint64_t(std::uint32_t(p.x) ^ 0x80000000u) << 32) | (std::uint32_t(p.y) ^ 0x80000000u);
    };
    // The vertex with the item's end of the larger y marked in its lowest bit, which the
    // alignment of vertices leaves free: a sort by (at, vertex) keeps one vertex's ends together.
    struct End {
        std::uint64_t at;
        std::uintptr_t vertexAndUpper;
        std::uintptr_t Vertex() const { return vertexAndUpper & ~std::uintptr_t(1); }
        bool Upper() const { return vertexAndUpper & 1; }
    };
    static_assert(alignof(CVertex) > 1);
    std::size_t steep = 0;
    for (const Item& it : items) steep += Steep(it);
    std::vector<End> ends;
    ends.reserve(2 * steep);
    for (const Item& it : items) {
        if (!Steep(it)) continue;
        const std::uintptr_t aUpper = it.seg.a.y > it.seg.b.y;
        ends.push_back({at(it.seg.a), reinterpret_cast<std::uintptr_t>(it.v1) | aUpper});
        ends.push_back({at(it.seg.b), reinterpret_cast<std::uintptr_t>(it.v2) | (aUpper ^ 1)});
    }
    // By point, then one vertex's ends together within each (short) run of one point.
    RadixSortByKey(ends, [](const End& e) { return e.at; });
    for (std::size_t i = 0; i < ends.size();) {
        std::size_t j = i + 1;
        while (j < ends.size() && ends[j].at == ends[i].at) ++j;
        if (j - i > 2)
            std::sort(ends.begin() + std::ptrdiff_t(i), ends.begin() + std::ptrdiff_t(j),
                      [](const End& p, const End& q) { return p.vertexAndUpper < q.vertexAndUpper; });
        i = j;
    }
    std::int64_t count = 0;
    for (std::size_t i = 0; i < ends.size();) {
        std::size_t j = i;
        std::int64_t uppers = 0, lowers = 0;
        while (j < ends.size() && ends[j].at == ends[i].at) {
            // One vertex's ends: its pairs share it and never count.
            std::size_t k = j;
            std::int64_t u = 0, l = 0;
            for (; k < ends.size() && ends[k].at == ends[j].at && ends[k].Vertex() == ends[j].Vertex(); ++k)
                (ends[k].Upper() ? u : l) += 1;
            count -= u * l;
            uppers += u;
            lowers += l;
            j = k;
        }
        count += uppers * lowers;
        i = j;
    }
    return count;
}

bool BoxesMeet(const Item& p, const Item& q) {
    return p.left <= q.right && q.left <= p.right && p.top <= q.bottom && q.top <= p.bottom;
}

bool Crosses(const Item& p, const Item& q) {
    return BoxesMeet(p, q) && p.v1 != q.v1 && p.v1 != q.v2 && p.v2 != q.v1 && p.v2 != q.v2 &&
           SegmentsIntersect(p.seg, q.seg);
}

// Counts the intersecting pairs among items of one colour with a uniform grid. Two
// segments can only meet when their closed boxes meet, and a pair is examined only in the
// cell holding the top-left corner of the two boxes' overlap, so it is counted once.
std::int64_t CountOneColour(std::vector<Item>& items) {
    const std::size_t n = items.size();
    if (n < 2) return 0;
    std::int64_t count = CountWithinBands(items) + CountTouchingAtHeights(items);
    std::int64_t minX = items[0].left, maxX = items[0].right, minY = items[0].top, maxY = items[0].bottom;
    double extent = 0;
    for (const Item& it : items) {
        minX = std::min<std::int64_t>(minX, it.left);
        maxX = std::max<std::int64_t>(maxX, it.right);
        minY = std::min<std::int64_t>(minY, it.top);
        maxY = std::max<std::int64_t>(maxY, it.bottom);
        extent += double(it.right - it.left) + double(it.bottom - it.top);
    }
    // Cells about the size of an average edge keep both the cells per edge and the edges
    // per cell small.
    const double average = extent / (2.0 * double(n));
    const double area = double(maxX - minX + 1) * double(maxY - minY + 1);
    std::int64_t cellSize = std::int64_t(std::max({average, std::sqrt(area / double(n)) * 0.5, 8.0}));
    std::int64_t cols = (maxX - minX) / cellSize + 1;
    std::int64_t rows = (maxY - minY) / cellSize + 1;
    // Keep the grid bounded whatever the coordinates.
    const std::int64_t kMaxCells = std::max<std::int64_t>(4 * std::int64_t(n), 1024);
    while (cols * rows > kMaxCells) {
        cellSize *= 2;
        cols = (maxX - minX) / cellSize + 1;
        rows = (maxY - minY) / cellSize + 1;
    }

    // Edges covering many cells go to a list of their own, compared with everything.
    constexpr std::int64_t kMaxCellsPerItem = 64;
    std::vector<std::uint32_t> big;
    std::vector<std::uint32_t> cellStart(std::size_t(cols * rows) + 1, 0);
    for (Item& it : items) {
        it.cx0 = std::int32_t((it.left - minX) / cellSize);
        it.cx1 = std::int32_t((it.right - minX) / cellSize);
        it.cy0 = std::int32_t((it.top - minY) / cellSize);
        it.cy1 = std::int32_t((it.bottom - minY) / cellSize);
    }
    // The items of one cell then lie close together in memory and arrive nearly in the
    // order the cell sorts them in.
    std::sort(items.begin(), items.end(), [](const Item& p, const Item& q) {
        return std::tuple{p.cy0, p.cx0, p.top, p.band} < std::tuple{q.cy0, q.cx0, q.top, q.band};
    });
    for (std::size_t i = 0; i < n; ++i) {
        const Item& it = items[i];
        if (std::int64_t(it.cx1 - it.cx0 + 1) * (it.cy1 - it.cy0 + 1) > kMaxCellsPerItem) {
            big.push_back(std::uint32_t(i));
            continue;
        }
        for (std::int64_t cy = it.cy0; cy <= it.cy1; ++cy)
            for (std::int64_t cx = it.cx0; cx <= it.cx1; ++cx) ++cellStart[std::size_t(cy * cols + cx) + 1];
    }
    for (std::size_t c = 1; c < cellStart.size(); ++c) cellStart[c] += cellStart[c - 1];
    std::vector<std::uint32_t> cellItems(cellStart.back());
    std::vector<std::uint32_t> fill(cellStart.begin(), cellStart.end() - 1);
    std::vector<std::uint8_t> isBig(n, 0);
    std::vector<std::uint32_t> runEnd;
    for (std::uint32_t b : big) isBig[b] = 1;
    for (std::size_t i = 0; i < n; ++i) {
        if (isBig[i]) continue;
        const Item& it = items[i];
        for (std::int64_t cy = it.cy0; cy <= it.cy1; ++cy)
            for (std::int64_t cx = it.cx0; cx <= it.cx1; ++cx) cellItems[fill[std::size_t(cy * cols + cx)]++] = std::uint32_t(i);
    }

    // In each cell, by top edge and band: the items that can meet one are those after it
    // whose top edge lies within its height, its own band's items (counted already) aside.
    for (std::int64_t cell = 0; cell < cols * rows; ++cell) {
        const std::uint32_t begin = cellStart[std::size_t(cell)], end = cellStart[std::size_t(cell) + 1];
        if (end - begin < 2) continue;
        const std::int32_t cx = std::int32_t(cell % cols), cy = std::int32_t(cell / cols);
        std::sort(cellItems.begin() + begin, cellItems.begin() + end, [&](std::uint32_t i, std::uint32_t j) {
            return std::pair{items[i].top, items[i].band} < std::pair{items[j].top, items[j].band};
        });
        // Where each run of steep items with one top height ends, to pass the run at once.
        runEnd.resize(end - begin);
        for (std::uint32_t k = end; k-- > begin;) {
            const Item& it = items[cellItems[k]];
            const bool joins = k + 1 < end && Steep(it) && Steep(items[cellItems[k + 1]]) &&
                               items[cellItems[k + 1]].top == it.top;
            runEnd[k - begin] = joins ? runEnd[k + 1 - begin] : k + 1;
        }
        for (std::uint32_t blockBegin = begin, blockEnd; blockBegin < end; blockBegin = blockEnd) {
            const std::uint32_t band = items[cellItems[blockBegin]].band;
            for (blockEnd = blockBegin + 1; blockEnd < end && items[cellItems[blockEnd]].band == band;) ++blockEnd;
            for (std::uint32_t i = blockBegin; i < blockEnd; ++i) {
                const Item& p = items[cellItems[i]];
                for (std::uint32_t j = blockEnd; j < end; ++j) {
                    const Item& q = items[cellItems[j]];
                    if (q.top > p.bottom) break;
                    if (TouchAtHeight(p, q)) {
                        j = runEnd[j - begin] - 1;
                        continue;
                    }
                    // The pair belongs to the cell of the top-left corner of the boxes' overlap.
                    if (std::max(p.cx0, q.cx0) != cx || std::max(p.cy0, q.cy0) != cy) continue;
                    if (Crosses(p, q)) ++count;
                }
            }
        }
    }
    // A big item meets the other big items wherever they are, and only those small items
    // whose first row (the order of the items) lies within its rows or at most the height
    // of a small item above them.
    auto firstRowFrom = [&](std::int64_t row) {
        return static_cast<std::size_t>(
            std::partition_point(items.begin(), items.end(), [&](const Item& it) { return it.cy0 < row; }) - items.begin());
    };
    for (std::uint32_t b : big) {
        const Item& p = items[b];
        auto consider = [&](std::size_t j) {
            if (items[j].band == p.band || TouchAtHeight(p, items[j])) return;
            if (Crosses(p, items[j])) ++count;
        };
        const std::size_t from = firstRowFrom(std::int64_t(p.cy0) - kMaxCellsPerItem + 1);
        const std::size_t to = firstRowFrom(std::int64_t(p.cy1) + 1);
        for (std::size_t j = from; j < to; ++j)
            if (!isBig[j]) consider(j);
        // A pair of two big items is counted from its first member only.
        for (std::uint32_t other : big)
            if (other > b) consider(other);
    }
    return count;
}

} // namespace

namespace {

// The end vertices of consecutive edges lie anywhere in memory: asking for those of the
// edge a few places ahead of `i` lets the waits for them overlap.
void PrefetchEndsAhead(std::span<const CEdge* const> edges, std::size_t i) {
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

PendingCrossings TakeCrossingSegments(std::span<const CEdge* const> edges) {
    PendingCrossings taken;
    taken.edges.reserve(edges.size());
    for (std::size_t i = 0; i < edges.size(); ++i) {
        PrefetchEndsAhead(edges, i);
        const CEdge* e = edges[i];
        if (IsEdgeColorCode(e->m_edgeColor)) taken.edges.emplace_back(e->m_v1, e->m_v2, SegmentOf(*e), e->m_edgeColor);
    }
    return taken;
}

static_assert(alignof(CVertex) >= 8, "the colour code of a taken edge rides in the low bits of its first end");

bool StillAsTaken(const PendingCrossings& taken, std::span<const CEdge* const> edges) {
    std::size_t k = 0;
    for (std::size_t i = 0; i < edges.size(); ++i) {
        PrefetchEndsAhead(edges, i);
        const CEdge* e = edges[i];
        if (!IsEdgeColorCode(e->m_edgeColor)) continue;
        if (k == taken.edges.size()) return false;
        const PendingCrossings::Edge& t = taken.edges[k++];
        const Segment s = SegmentOf(*e);
        if (t.V1() != e->m_v1 || t.v2 != e->m_v2 || t.Code() != e->m_edgeColor || t.seg.a != s.a || t.seg.b != s.b)
            return false;
    }
    return k == taken.edges.size();
}

std::array<std::int32_t, 8> CountTakenCrossings(const PendingCrossings& taken) {
    std::array<std::size_t, 8> sizes{};
    for (const auto& e : taken.edges) ++sizes[e.Code() - 1];
    std::array<std::int32_t, 8> counts{};
    std::vector<Item> items;
    for (int c = 0; c < 8; ++c) {
        if (sizes[c] < 2) continue;
        items.clear();
        items.reserve(sizes[c]);
        for (const auto& e : taken.edges) {
            if (e.Code() != c + 1) continue;
            Item it{e.V1(), e.v2, e.seg, 0, 0, 0, 0, 0, 0, 0, 0, 0};
            it.left = std::min(it.seg.a.x, it.seg.b.x);
            it.right = std::max(it.seg.a.x, it.seg.b.x);
            it.top = std::min(it.seg.a.y, it.seg.b.y);
            it.bottom = std::max(it.seg.a.y, it.seg.b.y);
            items.push_back(it);
        }
        const std::int64_t k = CountOneColour(items);
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
    m_pendingCrossings = std::make_shared<const PendingCrossings>(TakeCrossingSegments(edges));
    m_crossingsSettled = false;
}

void CLattixDoc::SettleCrossings() const {
    if (!m_pendingCrossings || m_crossingsSettled) return;
    const std::array<std::int32_t, 8> byCode = CountTakenCrossings(*m_pendingCrossings);
    m_crossingsSettled = true;
    m_totalCrossings = 0;
    for (int code = 1; code <= 8; ++code) {
        m_crossings[CLattixView::ShowColorSlot(code)] = byCode[code - 1];
        m_totalCrossings += byCode[code - 1];
    }
}

void CLattixDoc::SetCrossingCounts(const std::array<std::int32_t, 8>& byCode) {
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
