#include "trees/ColourCrossingCount.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>
#include <vector>

#include "trees/CrossingBands.h"
#include "trees/RadixSort.h"
#include "trees/WorkerParts.h"

namespace {

using namespace crossings;

// 20 bytes an edge, and the end vertices beside it in the same order: the box is derived
// from the segment.
struct Item {
    Segment seg;
    std::uint32_t bandAndBoth; // band << 1, and the low bit set when both ends are vertices

    std::int32_t Left() const { return std::min(seg.a.x, seg.b.x); }
    std::int32_t Right() const { return std::max(seg.a.x, seg.b.x); }
    std::int32_t Top() const { return std::min(seg.a.y, seg.b.y); }
    std::int32_t Bottom() const { return std::max(seg.a.y, seg.b.y); }
    bool Both() const { return bandAndBoth & 1; }
};
static_assert(sizeof(Item) == 20);

struct EndVertices {
    const void* v1;
    const void* v2;
};

// The intersection test of the count, with the orientation values in `Wide`: 64 bits are
// exact while every coordinate difference stays below 2^31. Segments with both ends strictly
// on one side of the other's line miss it, whatever the box tests would say, so most pairs
// are settled by two orientations.
template <class Wide>
int Orientation(Point p, Point q, Point r) {
    const Wide v = Wide(std::int64_t(q.y) - p.y) * (std::int64_t(r.x) - p.x) - Wide(std::int64_t(r.y) - p.y) * (std::int64_t(q.x) - p.x);
    return (v > 0) - (v < 0);
}

bool InBox(Point p, Point c, Point d) {
    return p.x >= std::min(c.x, d.x) && p.x <= std::max(c.x, d.x) && p.y >= std::min(c.y, d.y) &&
           p.y <= std::max(c.y, d.y);
}

template <class Wide>
bool Meet(const Segment& e, const Segment& f) {
    const Point A = e.a, B = e.b, C = f.a, D = f.b;
    const int d1 = Orientation<Wide>(C, D, A), d2 = Orientation<Wide>(C, D, B);
    if (d1 * d2 > 0) return false;
    const int d3 = Orientation<Wide>(A, B, C), d4 = Orientation<Wide>(A, B, D);
    if (d3 * d4 > 0) return false;
    if (d1 * d2 < 0 && d3 * d4 < 0) return true;
    return (d1 == 0 && InBox(A, C, D)) || (d2 == 0 && InBox(B, C, D)) || (d3 == 0 && InBox(C, A, B)) ||
           (d4 == 0 && InBox(D, A, B));
}

std::uintptr_t Id(const void* v) { return reinterpret_cast<std::uintptr_t>(v); }

// Two items with both end vertices whose only common height is one end of each (or of the
// steep one, when the other lies along that height) meet there, if at all, and are counted
// by CountAtSharedHeights; the cells pass them by.
bool MeetOnlyAtSharedHeight(std::int32_t pTop, std::int32_t pBottom, bool pBoth, std::int32_t qTop,
                            std::int32_t qBottom, bool qBoth) {
    if (!pBoth || !qBoth) return false;
    const bool pSteep = pTop < pBottom, qSteep = qTop < qBottom;
    if (pSteep && qSteep) return pBottom == qTop || qBottom == pTop;
    if (pSteep) return qTop == pTop || qTop == pBottom;
    if (qSteep) return pTop == qTop || pTop == qBottom;
    return false; // two items along heights: one band, or apart
}

// Cells are a power of two wide, so that finding one is a shift.
struct Grid {
    std::int64_t minX = 0, minY = 0, cols = 1, rows = 1;
    int shift = 0;
    std::int32_t Col(std::int32_t x) const { return std::int32_t((x - minX) >> shift); }
    std::int32_t Row(std::int32_t y) const { return std::int32_t((y - minY) >> shift); }
    std::size_t Cells() const { return std::size_t(cols * rows); }
};

// Edges covering more cells than this are compared with everything near instead.
constexpr std::int64_t kMaxCellsPerItem = 64;

class ColourCount {
public:
    ColourCount(const PendingCrossings& taken, std::uint16_t code, unsigned threads)
        : m_taken(taken), m_code(code), m_threads(std::max(threads, 1u)) {}

    std::int64_t Run() {
        if (!TakeItems()) return 0;
        if (!SharedHeightsPay()) {
            // Every item a band of its own, and none taken for one whose pairs are counted
            // apart: the cells see every pair.
            for (std::uint32_t i = 0; i < m_items.size(); ++i) m_items[i].bandAndBoth = i << 1;
            return CountInCells();
        }
        std::int64_t count = CountWithinBands();
        count += CountAtSharedHeights();
        count += CountInCells();
        return count;
    }

private:
    const EndVertices& Ends(std::size_t i) const { return m_ends[i]; }

    // Counting bands and shared heights apart pays on level drawings and meshes, where many
    // edges run between the same two heights, and costs more than it saves where heights
    // are all different. A band's items lie together in the order of the cells, so a block
    // of them tells.
    bool SharedHeightsPay() const {
        const std::size_t n = m_items.size(), block = std::min<std::size_t>(n, 4096), from = (n - block) / 2;
        std::vector<std::pair<std::int32_t, std::int32_t>> heights;
        for (std::size_t i = from; i < from + block; ++i)
            if (m_items[i].Both()) heights.emplace_back(m_items[i].Top(), m_items[i].Bottom());
        std::sort(heights.begin(), heights.end());
        std::size_t shared = 0;
        ForEachRun(heights, std::equal_to<>(), [&](std::size_t i, std::size_t j) { shared += j - i > 1 ? j - i : 0; });
        return 4 * shared >= heights.size() && shared > 0;
    }

    // Several parts for each worker, whatever the size, so that they share the work.
    std::size_t MinParts() const { return m_threads > 1 ? 4 * std::size_t(m_threads) : 1; }

    bool Big(const Item& it) const {
        return std::int64_t(m_grid.Col(it.Right()) - m_grid.Col(it.Left()) + 1) *
                   (m_grid.Row(it.Bottom()) - m_grid.Row(it.Top()) + 1) >
               kMaxCellsPerItem;
    }

    bool Crosses(std::size_t i, std::size_t j) const {
        const Item &p = m_items[i], &q = m_items[j];
        if (p.Left() > q.Right() || q.Left() > p.Right() || p.Top() > q.Bottom() || q.Top() > p.Bottom()) return false;
        const void *a = m_ends[i].v1, *b = m_ends[i].v2, *c = m_ends[j].v1, *d = m_ends[j].v2;
        if (a == c || a == d || b == c || b == d) return false;
        return m_narrow ? Meet<std::int64_t>(p.seg, q.seg) : Meet<__int128>(p.seg, q.seg);
    }

    // The items of the colour, in the order of the cell holding their top-left corner.
    bool TakeItems() {
        // The snapshot in chunks, one for each worker, taken in order: the items come out
        // the same however many there are.
        const std::size_t total = m_taken.Size();
        std::size_t chunks = total >= 1024 ? std::min<std::size_t>(m_threads, 4) : 1;
        // The edges of chunk c: their first and one past their last index.
        auto chunkOf = [&](std::size_t c) { return std::pair{total * c / chunks, total * (c + 1) / chunks}; };
        struct Extent {
            std::size_t n = 0;
            std::int64_t minX = std::numeric_limits<std::int64_t>::max(), maxX = std::numeric_limits<std::int64_t>::min();
            std::int64_t minY = std::numeric_limits<std::int64_t>::max(), maxY = std::numeric_limits<std::int64_t>::min();
            double extent = 0;
        };
        std::vector<Extent> extents(chunks);
        SumOverParts(chunks, m_threads, [&](std::size_t c, unsigned) {
            Extent& x = extents[c];
            for (auto [i, end] = chunkOf(c); i < end; ++i) {
                if (m_taken.Code(i) != m_code) continue;
                const Segment seg = m_taken.SegmentAt(i);
                const std::int64_t l = std::min(seg.a.x, seg.b.x), r = std::max(seg.a.x, seg.b.x);
                const std::int64_t t = std::min(seg.a.y, seg.b.y), b = std::max(seg.a.y, seg.b.y);
                ++x.n;
                x.minX = std::min(x.minX, l), x.maxX = std::max(x.maxX, r), x.minY = std::min(x.minY, t), x.maxY = std::max(x.maxY, b);
                x.extent += double(r - l) + double(b - t);
            }
            return std::int64_t(0);
        });
        std::size_t n = 0;
        std::int64_t minX = std::numeric_limits<std::int64_t>::max(), maxX = std::numeric_limits<std::int64_t>::min();
        std::int64_t minY = minX, maxY = maxX;
        double extent = 0;
        for (const Extent& x : extents) {
            n += x.n, extent += x.extent;
            minX = std::min(minX, x.minX), maxX = std::max(maxX, x.maxX), minY = std::min(minY, x.minY), maxY = std::max(maxY, x.maxY);
        }
        if (n < 2) return false;
        // Band numbers are item indices and share 32 bits with a flag.
        if (total > std::numeric_limits<std::uint32_t>::max() / 2)
            throw std::length_error("too many edges to count crossings");
        // Cells about twice the size of an average edge keep both the cells per edge and
        // the edges per cell small; the grid stays bounded whatever the coordinates.
        const double average = extent / (2.0 * double(n));
        const double area = double(maxX - minX + 1) * double(maxY - minY + 1);
        Grid g;
        g.minX = minX, g.minY = minY;
        const double size = std::max({2 * average, std::sqrt(area / double(n)) * 0.5, 8.0});
        g.shift = std::max(0, int(std::lround(std::log2(size))));
        const std::int64_t maxCells = std::max<std::int64_t>(4 * std::int64_t(n), 1024);
        for (;; ++g.shift) {
            g.cols = ((maxX - minX) >> g.shift) + 1;
            g.rows = ((maxY - minY) >> g.shift) + 1;
            if (g.cols * g.rows <= maxCells) break;
        }
        m_grid = g;
        constexpr std::int64_t kNarrow = std::int64_t(1) << 31;
        m_narrow = maxX - minX < kNarrow && maxY - minY < kNarrow;
        auto cellOf = [&](const Segment& s) {
            return std::size_t(g.Row(std::min(s.a.y, s.b.y))) * std::size_t(g.cols) +
                   std::size_t(g.Col(std::min(s.a.x, s.b.x)));
        };
        // A counting sort by cell; each chunk counts and places its own items, after those
        // of the chunks before it in every cell. The counts of several chunks cost memory
        // by the cell, so they are kept only where cells are fewer than items.
        if (g.Cells() * chunks > n) chunks = 1;
        std::vector<std::vector<std::uint32_t>> place(chunks, std::vector<std::uint32_t>(g.Cells(), 0));
        SumOverParts(chunks, m_threads, [&](std::size_t c, unsigned) {
            for (auto [i, end] = chunkOf(c); i < end; ++i)
                if (m_taken.Code(i) == m_code) ++place[c][cellOf(m_taken.SegmentAt(i))];
            return std::int64_t(0);
        });
        std::uint32_t next = 0;
        for (std::size_t cell = 0; cell < g.Cells(); ++cell)
            for (std::size_t c = 0; c < chunks; ++c) next += std::exchange(place[c][cell], next);
        m_items.resize(n);
        m_ends.resize(n);
        SumOverParts(chunks, m_threads, [&](std::size_t c, unsigned) {
            for (auto [i, end] = chunkOf(c); i < end; ++i) {
                if (m_taken.Code(i) != m_code) continue;
                const PendingCrossings::Edge e = m_taken.At(i);
                const std::size_t at = place[c][cellOf(e.seg)]++;
                m_items[at] = Item{e.seg, std::uint32_t(e.v1 && e.v2)};
                m_ends[at] = {e.v1, e.v2};
            }
            return std::int64_t(0);
        });
        return true;
    }

    // Gives every item its band and counts the pairs within bands. Items with both end
    // vertices share a band with those between the same two heights (a line, for items
    // along one height); every other item is a band of its own. A band is numbered by the
    // index of one of its items.
    std::int64_t CountWithinBands() {
        // A band's items have one top, so they lie in one row of cells, and the items are in
        // the order of the rows: parts made of whole rows hold whole bands, and each is
        // sorted and counted on its own while it is in the cache.
        const Grid& g = m_grid;
        const std::size_t n = m_items.size();
        const std::size_t parts = std::clamp<std::size_t>(n / 8192, MinParts(), 64 * std::size_t(m_threads));
        std::vector<std::size_t> partStart{0};
        for (std::size_t p = 1; p < parts; ++p) {
            std::size_t i = std::max(partStart.back(), n * p / parts);
            while (i > partStart.back() && i < n && g.Row(m_items[i].Top()) == g.Row(m_items[i - 1].Top())) ++i;
            partStart.push_back(i);
        }
        partStart.push_back(n);
        struct Key {
            std::int32_t top, bottom;
            std::uint32_t index;
        };
        std::vector<BandScratch> scratch(m_threads);
        std::vector<std::vector<Key>> keysOf(m_threads);
        return SumOverParts(parts, m_threads, [&](std::size_t part, unsigned w) {
            BandScratch& s = scratch[w];
            auto& keys = keysOf[w];
            keys.clear();
            for (std::size_t i = partStart[part]; i < partStart[part + 1]; ++i) {
                const Item& it = m_items[i];
                if (it.Both())
                    keys.push_back({it.Top(), it.Bottom(), std::uint32_t(i)});
                else
                    m_items[i].bandAndBoth = std::uint32_t(i) << 1;
            }
            RadixSortByKey<8>(keys, [&](const Key& k) {
                return (std::uint64_t(std::int64_t(k.top) - g.minY) << 32) | std::uint64_t(std::int64_t(k.bottom) - g.minY);
            });
            std::int64_t count = 0;
            ForEachRun(keys, [](const Key& p, const Key& q) { return p.top == q.top && p.bottom == q.bottom; },
                       [&](std::size_t i, std::size_t j) {
                for (std::size_t k = i; k < j; ++k) m_items[keys[k].index].bandAndBoth = (keys[i].index << 1) | 1;
                if (j - i < 2) return;
                if (keys[i].top < keys[i].bottom) {
                    s.steep.clear();
                    for (std::size_t k = i; k < j; ++k) {
                        const Item& it = m_items[keys[k].index];
                        const auto& e = Ends(keys[k].index);
                        const bool aLow = it.seg.a.y < it.seg.b.y;
                        const Point low = aLow ? it.seg.a : it.seg.b, high = aLow ? it.seg.b : it.seg.a;
                        s.steep.push_back({low.x, high.x, Id(aLow ? e.v1 : e.v2), Id(aLow ? e.v2 : e.v1), 0});
                    }
                    count += CountSteepBand(s);
                } else {
                    s.along.clear();
                    for (std::size_t k = i; k < j; ++k) {
                        const Item& it = m_items[keys[k].index];
                        const auto& e = Ends(keys[k].index);
                        const bool aLeft = it.seg.a.x <= it.seg.b.x;
                        s.along.push_back({it.Left(), it.Right(), Id(aLeft ? e.v1 : e.v2), Id(aLeft ? e.v2 : e.v1)});
                    }
                    count += CountAlongBand(s);
                }
            });
            return count;
        });
    }

    // Pairs of items with both end vertices that share only a height: one steep item's lower
    // end on another's upper end, or a steep item's end on an item along that height. On a
    // level drawing or a mesh these are most of the pairs whose boxes meet, far too many to
    // test one by one; none of them may share an end vertex.
    std::int64_t CountAtSharedHeights() const {
        const Grid& g = m_grid;
        // A point as one number that sorts as (y, x) does, so that the sort compares integers.
        auto at = [&](std::int32_t x, std::int32_t y) {
            return (std::uint64_t(std::int64_t(y) - g.minY) << 32) | std::uint64_t(std::int64_t(x) - g.minX);
        };
        // The end's vertex with its kind in the low bits, which the alignment of vertices
        // leaves free: a sort by (at, vertex) keeps one vertex's ends together. Every item
        // gives two ends; the second end of a loop is no end.
        enum : std::uintptr_t { kNoEnd = 0, kUpperEnd = 1, kLowerEnd = 2, kAlongEnd = 3 };
        struct End {
            std::uint64_t at;
            std::uintptr_t vertexAndKind;
        };
        // The ends go to slabs of whole rows of cells, each sorted and counted on its own
        // while it is in the cache. The items come in the order of the rows, and no end lies
        // above its item's top: a slab is complete once the items have passed it, and is
        // counted and let go then, so that only the slabs ahead hold ends.
        std::size_t both = 0;
        for (const Item& it : m_items) both += it.Both();
        if (both == 0) return 0;
        const std::int64_t wanted =
            std::max<std::int64_t>(1, std::min(g.rows * 8192 / std::int64_t(both), g.rows / std::int64_t(MinParts())));
        int slabShift = 0; // a slab is 2^slabShift rows, at most `wanted`
        while ((std::int64_t(2) << slabShift) <= wanted) ++slabShift;
        const std::size_t slabs = std::size_t(((g.rows - 1) >> slabShift) + 1);
        auto slabOf = [&](std::int32_t y) { return std::size_t(g.Row(y) >> slabShift); };
        struct Slab {
            std::vector<End> ends;
            std::vector<std::uint64_t> lefts, rights; // of the items along a height
        };
        std::vector<Slab> slab(slabs);
        const std::size_t batch = 8 * std::size_t(m_threads);
        std::size_t counted = 0;
        std::int64_t count = 0;
        auto countUpTo = [&](std::size_t last) {
            count += SumOverParts(last - counted, m_threads, [&](std::size_t k, unsigned) {
                Slab& sl = slab[counted + k];
                RadixSortByKey<8>(sl.ends, [](const End& e) { return e.at; });
                RadixSortByKey<8>(sl.lefts, [](std::uint64_t x) { return x; });
                RadixSortByKey<8>(sl.rights, [](std::uint64_t x) { return x; });
                const std::int64_t c = CountSlab(std::span<End>(sl.ends), sl.lefts, sl.rights);
                sl = Slab{};
                return c;
            });
            counted = last;
        };
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            const Item& it = m_items[i];
            const std::size_t here = slabOf(it.Top());
            if (here >= counted + batch) countUpTo(here);
            if (!it.Both()) continue;
            const auto& e = Ends(i);
            const Point a = it.seg.a, b = it.seg.b;
            if (a.y != b.y) {
                const bool aUpper = a.y < b.y;
                slab[slabOf(a.y)].ends.push_back({at(a.x, a.y), Id(e.v1) | (aUpper ? kUpperEnd : kLowerEnd)});
                slab[slabOf(b.y)].ends.push_back({at(b.x, b.y), Id(e.v2) | (aUpper ? kLowerEnd : kUpperEnd)});
            } else {
                Slab& sl = slab[here];
                sl.ends.push_back({at(a.x, a.y), Id(e.v1) | kAlongEnd});
                sl.ends.push_back({at(b.x, b.y), Id(e.v2) | (e.v2 != e.v1 ? kAlongEnd : kNoEnd)});
                sl.lefts.push_back(at(it.Left(), a.y));
                sl.rights.push_back(at(it.Right(), a.y));
            }
        }
        countUpTo(slabs);
        return count;
    }

    // The pairs meeting at the points of one slab of heights, its ends sorted by point.
    template <class End>
    static std::int64_t CountSlab(std::span<End> ends, std::span<const std::uint64_t> lefts,
                                  std::span<const std::uint64_t> rights) {
        constexpr std::uintptr_t kUpperEnd = 1, kLowerEnd = 2, kAlongEnd = 3, kKinds = 3;
        std::int64_t count = 0;
        std::size_t leftsUpTo = 0, rightsBelow = 0;
        for (std::size_t i = 0; i < ends.size();) {
            std::size_t j = i + 1;
            while (j < ends.size() && ends[j].at == ends[i].at) ++j;
            // Nearly always one vertex per point; otherwise its ends are put together.
            bool oneVertex = true;
            for (std::size_t k = i + 1; k < j && oneVertex; ++k)
                oneVertex = (ends[k].vertexAndKind & ~kKinds) == (ends[i].vertexAndKind & ~kKinds);
            if (!oneVertex)
                std::sort(ends.begin() + std::ptrdiff_t(i), ends.begin() + std::ptrdiff_t(j),
                          [](const End& p, const End& q) { return p.vertexAndKind < q.vertexAndKind; });
            // Steep ends at this point against the items along its height that hold it:
            // those begun at or before it less those ended before it.
            const std::uint64_t point = ends[i].at;
            while (leftsUpTo < lefts.size() && lefts[leftsUpTo] <= point) ++leftsUpTo;
            while (rightsBelow < rights.size() && rights[rightsBelow] < point) ++rightsBelow;
            const std::int64_t holding = std::int64_t(leftsUpTo) - std::int64_t(rightsBelow);
            std::int64_t uppers = 0, lowers = 0;
            for (std::size_t k = i; k < j;) {
                // One vertex's ends: its pairs share it and never count.
                std::size_t l = k;
                std::int64_t u = 0, d = 0, a = 0;
                for (; l < j && (ends[l].vertexAndKind & ~kKinds) == (ends[k].vertexAndKind & ~kKinds); ++l) {
                    const std::uintptr_t kind = ends[l].vertexAndKind & kKinds;
                    u += kind == kUpperEnd, d += kind == kLowerEnd, a += kind == kAlongEnd;
                }
                count -= u * d + (u + d) * a;
                uppers += u;
                lowers += d;
                k = l;
            }
            count += uppers * lowers + (uppers + lowers) * holding;
            i = j;
        }
        return count;
    }

    // Counts the remaining intersecting pairs with the grid. Two segments can only meet when
    // their closed boxes meet, and a pair is examined only in the cell holding the top-left
    // corner of the two boxes' overlap, so it is counted once.
    std::int64_t CountInCells() const;

    const PendingCrossings& m_taken;
    std::uint16_t m_code;
    unsigned m_threads;
    Grid m_grid;
    bool m_narrow = false; // coordinate differences fit 31 bits
    std::vector<Item> m_items;
    std::vector<EndVertices> m_ends;
};

std::int64_t ColourCount::CountInCells() const {
    const Grid& g = m_grid;
    const std::size_t n = m_items.size();
    // Big items aside, the rows an item spans are few: the members of a band of rows of
    // cells are gathered from the items whose first row lies at most that many rows above
    // it, band by band, so that no list of all members is ever made. The few items that
    // span more rows than nearly all others (the hull of a mesh, say) are gathered from a
    // list of their own, so that they do not make every band look far above itself.
    std::vector<std::uint32_t> big;
    std::int64_t maxSpan = 0;
    std::uint64_t memberships = 0;
    constexpr std::int64_t kSpanKinds = kMaxCellsPerItem + 1;
    std::vector<std::uint64_t> withSpan(kSpanKinds, 0);
    auto spanOf = [&](const Item& it) { return std::int64_t(g.Row(it.Bottom()) - g.Row(it.Top())); };
    for (std::uint32_t i = 0; i < n; ++i) {
        const Item& it = m_items[i];
        if (Big(it)) {
            big.push_back(i);
            continue;
        }
        const std::int64_t rows = spanOf(it);
        maxSpan = std::max(maxSpan, rows);
        ++withSpan[std::size_t(std::min(rows, kSpanKinds - 1))];
        memberships += std::uint64_t(rows + 1) * std::uint64_t(g.Col(it.Right()) - g.Col(it.Left()) + 1);
    }
    // Tall: spanning more than `span` rows, which leaves at most one item in 256 tall.
    std::int64_t span = maxSpan;
    for (std::uint64_t tallCount = 0; span > 0 && tallCount + withSpan[std::size_t(span)] <= (n - big.size()) / 256;)
        tallCount += withSpan[std::size_t(span--)];
    const bool anyTall = span < maxSpan;
    std::vector<std::uint32_t> tall;
    for (std::uint32_t i = 0; anyTall && i < n; ++i)
        if (!Big(m_items[i]) && spanOf(m_items[i]) > span) tall.push_back(i);
    auto firstRowFrom = [&](std::int64_t row) {
        return static_cast<std::size_t>(
            std::partition_point(m_items.begin(), m_items.end(), [&](const Item& it) { return g.Row(it.Top()) < row; }) -
            m_items.begin());
    };
    // Parts of several times the span, so that the rows above each are gathered again
    // only a few times over.
    const std::int64_t rowsPerPart = std::max<std::int64_t>(
        4 * span + 1, std::min(std::int64_t(double(g.rows) * 32768.0 / double(std::max<std::uint64_t>(memberships, 1))),
                               g.rows / std::int64_t(MinParts())));
    const std::size_t parts = std::size_t((g.rows + rowsPerPart - 1) / rowsPerPart);

    // A cell's items, copied out with all the pair loop reads.
    struct Local {
        Segment seg;
        EndVertices ends;
        std::int32_t top, cx0, cy0;
        std::uint32_t bandAndBoth;
        std::int32_t Bottom() const { return std::max(seg.a.y, seg.b.y); }
        std::int32_t Left() const { return std::min(seg.a.x, seg.b.x); }
        std::int32_t Right() const { return std::max(seg.a.x, seg.b.x); }
        bool Steep() const { return (bandAndBoth & 1) && top < Bottom(); }
    };
    std::vector<std::vector<Local>> locals(m_threads);
    std::vector<std::vector<std::uint32_t>> runEnds(m_threads);
    auto countCell = [&](std::int32_t cx, std::int32_t cy, std::span<const std::uint32_t> members, unsigned w) -> std::int64_t {
        if (members.size() < 2) return 0;
        auto& cellItems = locals[w];
        cellItems.clear();
        for (std::uint32_t i : members) {
            const Item& it = m_items[i];
            cellItems.push_back({it.seg, m_ends[i], it.Top(), g.Col(it.Left()), g.Row(it.Top()), it.bandAndBoth});
        }
        // By top edge and band: the items that can meet one are those after it whose top
        // edge lies within its height, its own band's items (counted already) aside.
        std::sort(cellItems.begin(), cellItems.end(), [](const Local& p, const Local& q) {
            return p.top != q.top ? p.top < q.top : (p.bandAndBoth >> 1) < (q.bandAndBoth >> 1);
        });
        const std::uint32_t m = std::uint32_t(members.size());
        // Where each run of steep items with one top height ends, to pass the run at once.
        auto& runEnd = runEnds[w];
        runEnd.resize(m);
        for (std::uint32_t k = m; k-- > 0;) {
            const bool joins = k + 1 < m && cellItems[k].Steep() && cellItems[k + 1].Steep() &&
                               cellItems[k + 1].top == cellItems[k].top;
            runEnd[k] = joins ? runEnd[k + 1] : k + 1;
        }
        std::int64_t count = 0;
        for (std::uint32_t blockBegin = 0, blockEnd; blockBegin < m; blockBegin = blockEnd) {
            const std::uint32_t band = cellItems[blockBegin].bandAndBoth >> 1;
            for (blockEnd = blockBegin + 1; blockEnd < m && (cellItems[blockEnd].bandAndBoth >> 1) == band;) ++blockEnd;
            for (std::uint32_t i = blockBegin; i < blockEnd; ++i) {
                const Local& p = cellItems[i];
                const std::int32_t pBottom = p.Bottom(), pLeft = p.Left(), pRight = p.Right();
                const bool pSteep = p.Steep(), pAlong = (p.bandAndBoth & 1) && !pSteep;
                for (std::uint32_t j = blockEnd; j < m; ++j) {
                    const Local& q = cellItems[j];
                    if (q.top > pBottom) break;
                    // Pairs meeting only at a shared height (q lies no higher than p). Every
                    // steep item of q's run has q's top, and so meets p only there too.
                    if (q.bandAndBoth & 1) {
                        const bool qSteep = q.top < q.Bottom();
                        if ((pSteep && (q.top == pBottom || (q.top == p.top && !qSteep))) || (pAlong && qSteep && q.top == p.top)) {
                            if (qSteep) j = runEnd[j] - 1;
                            continue;
                        }
                    }
                    // The pair belongs to the cell of the top-left corner of the boxes' overlap,
                    // and pairs with a shared end never count. Most pairs fail one test or
                    // another at random: taken together without a branch each, the one branch
                    // left is nearly always passed over, which the processor foresees.
                    const bool passedBy = (std::max(p.cx0, q.cx0) != cx) | (std::max(p.cy0, q.cy0) != cy) |
                                          (pLeft > q.Right()) | (q.Left() > pRight) | (p.ends.v1 == q.ends.v1) |
                                          (p.ends.v1 == q.ends.v2) | (p.ends.v2 == q.ends.v1) | (p.ends.v2 == q.ends.v2);
                    if (passedBy) continue;
                    if (m_narrow ? Meet<std::int64_t>(p.seg, q.seg) : Meet<__int128>(p.seg, q.seg)) ++count;
                }
            }
        }
        return count;
    };
    struct PartScratch {
        std::vector<std::uint32_t> start, fill, members;
    };
    std::vector<PartScratch> scratch(m_threads);
    std::int64_t count = SumOverParts(parts, m_threads, [&](std::size_t part, unsigned w) {
        const std::int64_t r0 = std::int64_t(part) * rowsPerPart, r1 = std::min(g.rows, r0 + rowsPerPart);
        const std::size_t cells = std::size_t((r1 - r0) * g.cols);
        const std::size_t from = firstRowFrom(r0 - span), to = firstRowFrom(r1);
        // Plain references: lambdas below take them, which structured bindings do not allow
        // on every compiler.
        std::vector<std::uint32_t>& start = scratch[w].start;
        std::vector<std::uint32_t>& fill = scratch[w].fill;
        std::vector<std::uint32_t>& members = scratch[w].members;
        start.assign(cells + 1, 0);
        auto forEachCell = [&](const Item& it, auto&& f) {
            const std::int64_t cy0 = std::max<std::int64_t>(g.Row(it.Top()), r0), cy1 = std::min<std::int64_t>(g.Row(it.Bottom()), r1 - 1);
            const std::int64_t cx0 = g.Col(it.Left()), cx1 = g.Col(it.Right());
            for (std::int64_t cy = cy0; cy <= cy1; ++cy)
                for (std::int64_t cx = cx0; cx <= cx1; ++cx) f(std::size_t((cy - r0) * g.cols + cx));
        };
        // The short items from the span's rows above, and the tall ones that reach the part.
        auto forEachMember = [&](auto&& f) {
            for (std::size_t i = from; i < to; ++i)
                if (!Big(m_items[i]) && (!anyTall || spanOf(m_items[i]) <= span)) f(i);
            for (std::uint32_t i : tall)
                if (g.Row(m_items[i].Top()) < r1 && g.Row(m_items[i].Bottom()) >= r0) f(i);
        };
        std::uint64_t total = 0;
        forEachMember([&](std::size_t i) { forEachCell(m_items[i], [&](std::size_t c) { ++start[c + 1], ++total; }); });
        if (total > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("too many edges to count crossings");
        for (std::size_t c = 1; c <= cells; ++c) start[c] += start[c - 1];
        members.resize(total);
        fill.assign(start.begin(), start.end() - 1);
        forEachMember([&](std::size_t i) {
            forEachCell(m_items[i], [&](std::size_t c) { members[fill[c]++] = std::uint32_t(i); });
        });
        std::int64_t c = 0;
        for (std::size_t cell = 0; cell < cells; ++cell)
            c += countCell(std::int32_t(std::int64_t(cell) % g.cols), std::int32_t(r0 + std::int64_t(cell) / g.cols),
                           std::span<const std::uint32_t>(members.data() + start[cell], start[cell + 1] - start[cell]), w);
        return c;
    });

    // A big item meets the other big items wherever they are, and only those small items
    // whose first row (the order of the items) lies within its rows or at most the height
    // of a small item above them.
    count += SumOverParts(big.size(), m_threads, [&](std::size_t k, unsigned) {
        const Item& p = m_items[big[k]];
        std::int64_t c = 0;
        auto consider = [&](std::size_t j) {
            const Item& q = m_items[j];
            if ((q.bandAndBoth >> 1) == (p.bandAndBoth >> 1) ||
                MeetOnlyAtSharedHeight(p.Top(), p.Bottom(), p.Both(), q.Top(), q.Bottom(), q.Both()))
                return;
            if (Crosses(big[k], j)) ++c;
        };
        const std::size_t from = firstRowFrom(std::int64_t(g.Row(p.Top())) - maxSpan);
        const std::size_t to = firstRowFrom(std::int64_t(g.Row(p.Bottom())) + 1);
        for (std::size_t j = from; j < to; ++j)
            if (!Big(m_items[j])) consider(j);
        // A pair of two big items is counted from its first member only.
        for (std::size_t other = k + 1; other < big.size(); ++other) consider(big[other]);
        return c;
    });
    return count;
}

} // namespace

std::int64_t CountColourCrossings(const PendingCrossings& taken, std::uint16_t code, unsigned threads) {
    return ColourCount(taken, code, threads).Run();
}
