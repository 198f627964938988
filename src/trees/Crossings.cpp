#include "trees/Crossings.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/LattixDoc.h"

namespace {

// Orientation in 32-bit signed arithmetic; products wrap as the counter has always done.
std::int32_t Orient(Point p, Point q, Point r) {
    const std::int64_t v = std::int64_t(q.y - std::int64_t(p.y)) * (std::int64_t(r.x) - p.x) -
                           std::int64_t(r.y - std::int64_t(p.y)) * (std::int64_t(q.x) - p.x);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
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
    const CEdge* edge;
    Segment seg;
    std::int32_t left, top, right, bottom; // closed bounding box
};

bool BoxesMeet(const Item& p, const Item& q) {
    return p.left <= q.right && q.left <= p.right && p.top <= q.bottom && q.top <= p.bottom;
}

// Counts the intersecting pairs among items of one colour with a uniform grid. Two
// segments can only meet when their closed boxes meet, and a pair is examined only in the
// cell holding the top-left corner of the two boxes' overlap, so it is counted once.
std::int64_t CountOneColour(std::vector<Item>& items) {
    const std::size_t n = items.size();
    if (n < 2) return 0;
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
    const double average = extent / (2.0 * n);
    const double area = double(maxX - minX + 1) * double(maxY - minY + 1);
    double cellSize = std::max({average, std::sqrt(area / double(n)) * 0.5, 8.0});
    std::int64_t cols = std::int64_t((maxX - minX) / cellSize) + 1;
    std::int64_t rows = std::int64_t((maxY - minY) / cellSize) + 1;
    // Keep the grid bounded whatever the coordinates.
    const std::int64_t kMaxCells = std::max<std::int64_t>(4 * std::int64_t(n), 1024);
    while (cols * rows > kMaxCells) {
        cellSize *= 2;
        cols = std::int64_t((maxX - minX) / cellSize) + 1;
        rows = std::int64_t((maxY - minY) / cellSize) + 1;
    }
    auto cellX = [&](std::int64_t x) { return std::min<std::int64_t>(std::int64_t((x - minX) / cellSize), cols - 1); };
    auto cellY = [&](std::int64_t y) { return std::min<std::int64_t>(std::int64_t((y - minY) / cellSize), rows - 1); };

    // Edges covering many cells go to a list of their own, compared with everything.
    const std::int64_t kMaxCellsPerItem = 64;
    std::vector<std::uint32_t> big;
    std::vector<std::uint32_t> cellCount(std::size_t(cols * rows) + 1, 0);
    std::vector<std::uint8_t> isBig(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        const Item& it = items[i];
        const std::int64_t cx0 = cellX(it.left), cx1 = cellX(it.right), cy0 = cellY(it.top), cy1 = cellY(it.bottom);
        if ((cx1 - cx0 + 1) * (cy1 - cy0 + 1) > kMaxCellsPerItem) {
            isBig[i] = 1;
            big.push_back(std::uint32_t(i));
            continue;
        }
        for (std::int64_t cy = cy0; cy <= cy1; ++cy)
            for (std::int64_t cx = cx0; cx <= cx1; ++cx) ++cellCount[std::size_t(cy * cols + cx) + 1];
    }
    for (std::size_t c = 1; c < cellCount.size(); ++c) cellCount[c] += cellCount[c - 1];
    std::vector<std::uint32_t> cellItems(cellCount.back());
    std::vector<std::uint32_t> fill(cellCount.begin(), cellCount.end() - 1);
    for (std::size_t i = 0; i < n; ++i) {
        if (isBig[i]) continue;
        const Item& it = items[i];
        const std::int64_t cx0 = cellX(it.left), cx1 = cellX(it.right), cy0 = cellY(it.top), cy1 = cellY(it.bottom);
        for (std::int64_t cy = cy0; cy <= cy1; ++cy)
            for (std::int64_t cx = cx0; cx <= cx1; ++cx) cellItems[fill[std::size_t(cy * cols + cx)]++] = std::uint32_t(i);
    }

    auto crosses = [&](const Item& p, const Item& q) {
        return BoxesMeet(p, q) && !ShareEnd(*p.edge, *q.edge) && SegmentsIntersect(p.seg, q.seg);
    };

    std::int64_t count = 0;
    for (std::int64_t cell = 0; cell < cols * rows; ++cell) {
        const std::uint32_t begin = cellCount[std::size_t(cell)], end = cellCount[std::size_t(cell) + 1];
        const std::int64_t cx = cell % cols, cy = cell / cols;
        for (std::uint32_t i = begin; i < end; ++i) {
            const Item& p = items[cellItems[i]];
            for (std::uint32_t j = i + 1; j < end; ++j) {
                const Item& q = items[cellItems[j]];
                if (!BoxesMeet(p, q)) continue;
                // The pair belongs to the cell of the top-left corner of the boxes' overlap.
                if (cellX(std::max(p.left, q.left)) != cx || cellY(std::max(p.top, q.top)) != cy) continue;
                if (!ShareEnd(*p.edge, *q.edge) && SegmentsIntersect(p.seg, q.seg)) ++count;
            }
        }
    }
    for (std::size_t bi = 0; bi < big.size(); ++bi) {
        const Item& p = items[big[bi]];
        for (std::size_t j = 0; j < n; ++j) {
            // A pair of two big items is counted from its first member only.
            if (isBig[j] && j <= big[bi]) continue;
            if (crosses(p, items[j])) ++count;
        }
    }
    return count;
}

} // namespace

std::array<std::int32_t, 8> CountCrossingsFast(const std::vector<const CEdge*>& edges) {
    std::array<std::vector<Item>, 8> byColour;
    std::int64_t minC = std::numeric_limits<std::int64_t>::max(), maxC = std::numeric_limits<std::int64_t>::min();
    for (const CEdge* e : edges) {
        if (!IsEdgeColorCode(e->m_edgeColor)) continue;
        Item it{e, SegmentOf(*e), 0, 0, 0, 0};
        it.left = std::min(it.seg.a.x, it.seg.b.x);
        it.right = std::max(it.seg.a.x, it.seg.b.x);
        it.top = std::min(it.seg.a.y, it.seg.b.y);
        it.bottom = std::max(it.seg.a.y, it.seg.b.y);
        minC = std::min<std::int64_t>({minC, it.left, it.top});
        maxC = std::max<std::int64_t>({maxC, it.right, it.bottom});
        byColour[e->m_edgeColor - 1].push_back(it);
    }
    // Beyond a span of 32767 units the 32-bit orientation values can wrap, and wrapped
    // values may call far-apart segments crossing; only the all-pairs count reproduces that.
    if (maxC != std::numeric_limits<std::int64_t>::min() && maxC - minC > 32767) return CountCrossingsAllPairs(edges);

    std::array<std::int32_t, 8> counts{};
    for (int c = 0; c < 8; ++c) {
        const std::int64_t k = CountOneColour(byColour[c]);
        counts[c] = static_cast<std::int32_t>(std::min<std::int64_t>(k, std::numeric_limits<std::int32_t>::max()));
    }
    return counts;
}

void CLattixDoc::CountCrossings() {
    std::vector<const CEdge*> edges;
    edges.reserve(m_elements.size());
    for (const CElement* e : m_elements)
        if (const CEdge* edge = e->AsEdge()) edges.push_back(edge);
    const std::array<std::int32_t, 8> byCode = CountCrossingsFast(edges);
    m_totalCrossings = 0;
    for (int code = 1; code <= 8; ++code) {
        m_crossings[CLattixView::ShowColorSlot(code)] = byCode[code - 1];
        m_totalCrossings += byCode[code - 1];
    }
}
