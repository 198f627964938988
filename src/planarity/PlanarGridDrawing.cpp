// Grid drawing of planar graphs: triangulation, canonical ordering, shift method.

#include "planarity/PlanarGridDrawing.h"

#include <algorithm>

#include "graph/DisjointSets.h"
#include "planarity/Blocks.h"

namespace {

constexpr std::int32_t kNone = -1;

// An embedded graph as half-edges: 2e and 2e + 1 are the two sides of edge e, each kept
// in the clockwise ring of the vertex it leaves.
class Plane {
public:
    // The rotation system as it stands; side 2e of edge e leaves its first end.
    static Plane FromRings(std::int32_t n, std::span<const PlanarEdge> edges,
                           const std::vector<std::vector<std::int32_t>>& rings) {
        Plane p;
        p.m_first.assign(n, kNone);
        p.m_org.resize(2 * edges.size());
        p.m_cw.resize(2 * edges.size());
        p.m_ccw.resize(2 * edges.size());
        for (std::size_t e = 0; e < edges.size(); ++e) {
            p.m_org[2 * e] = edges[e].first;
            p.m_org[2 * e + 1] = edges[e].second;
        }
        for (std::int32_t v = 0; v < n; ++v) {
            const auto& ring = rings[v];
            auto side = [&](std::size_t i) {
                const std::int32_t e = ring[i % ring.size()];
                return edges[e].first == v ? 2 * e : 2 * e + 1;
            };
            for (std::size_t i = 0; i < ring.size(); ++i) {
                p.m_cw[side(i)] = side(i + 1);
                p.m_ccw[side(i + 1)] = side(i);
            }
            if (!ring.empty()) p.m_first[v] = side(0);
        }
        return p;
    }

    std::int32_t AddVertex() {
        m_first.push_back(kNone);
        return static_cast<std::int32_t>(m_first.size()) - 1;
    }
    std::int32_t VertexCount() const { return static_cast<std::int32_t>(m_first.size()); }
    std::int32_t HalfCount() const { return static_cast<std::int32_t>(m_org.size()); }
    std::int32_t Origin(std::int32_t h) const { return m_org[h]; }
    std::int32_t Target(std::int32_t h) const { return m_org[h ^ 1]; }
    std::int32_t Clockwise(std::int32_t h) const { return m_cw[h]; }
    std::int32_t First(std::int32_t v) const { return m_first[v]; }
    // The next half-edge along the face to the left of h.
    std::int32_t FaceNext(std::int32_t h) const { return m_cw[h ^ 1]; }

    // A new edge a-b; its side at a goes counter-clockwise before beforeA (or starts a's
    // ring when kNone), likewise at b. Returns the half-edge leaving a.
    std::int32_t AddEdge(std::int32_t a, std::int32_t beforeA, std::int32_t b, std::int32_t beforeB) {
        const std::int32_t h = HalfCount();
        m_org.push_back(a);
        m_org.push_back(b);
        m_cw.resize(h + 2);
        m_ccw.resize(h + 2);
        Link(a, h, beforeA);
        Link(b, h + 1, beforeB);
        return h;
    }

private:
    void Link(std::int32_t v, std::int32_t h, std::int32_t before) {
        if (before == kNone) {
            if (m_first[v] == kNone) {
                m_cw[h] = m_ccw[h] = h;
                m_first[v] = h;
                return;
            }
            before = m_first[v];
        }
        const std::int32_t prev = m_ccw[before];
        m_cw[prev] = h;
        m_ccw[h] = prev;
        m_cw[h] = before;
        m_ccw[before] = h;
    }

    std::vector<std::int32_t> m_org, m_cw, m_ccw, m_first;
};

// Every face becomes a triangle. A face whose boundary meets each vertex once gets one
// helper vertex joined to all its corners. A face that meets a vertex twice (a cut
// vertex) would give a repeated edge that way, so each corner first gets a helper of its
// own, the corner helpers join a centre, and the five-sided faces between are split from
// their corner helper.
void Triangulate(Plane& plane) {
    std::vector<std::vector<std::int32_t>> faces;
    {
        std::vector<bool> seen(plane.HalfCount(), false);
        for (std::int32_t start = 0; start < plane.HalfCount(); ++start) {
            if (seen[start]) continue;
            std::vector<std::int32_t> face;
            for (std::int32_t h = start; !seen[h]; h = plane.FaceNext(h)) {
                seen[h] = true;
                face.push_back(h);
            }
            if (face.size() != 3) faces.push_back(std::move(face));
        }
    }
    std::vector<std::int32_t> stamp(plane.VertexCount(), kNone);
    for (std::size_t f = 0; f < faces.size(); ++f) {
        const std::vector<std::int32_t>& face = faces[f];
        const std::size_t k = face.size();
        bool distinct = true;
        for (std::int32_t h : face) {
            std::int32_t& s = stamp[plane.Origin(h)];
            if (s == std::int32_t(f)) distinct = false;
            s = static_cast<std::int32_t>(f);
        }
        const std::int32_t centre = plane.AddVertex();
        stamp.push_back(kNone);
        std::int32_t lastAtCentre = kNone;
        if (distinct) {
            // The centre's ring runs against the face's corners.
            for (std::int32_t h : face) {
                const std::int32_t spoke = plane.AddEdge(plane.Origin(h), h, centre, lastAtCentre);
                lastAtCentre = spoke ^ 1;
            }
            continue;
        }
        std::vector<std::int32_t> toCorner(k), toCentre(k);
        for (std::size_t i = 0; i < k; ++i) {
            const std::int32_t helper = plane.AddVertex();
            stamp.push_back(kNone);
            toCorner[i] = plane.AddEdge(helper, kNone, plane.Origin(face[i]), face[i]);
        }
        for (std::size_t i = 0; i < k; ++i) {
            const std::int32_t helper = plane.Origin(toCorner[i]);
            const std::int32_t spoke = plane.AddEdge(centre, lastAtCentre, helper, kNone);
            lastAtCentre = spoke;
            toCentre[i] = spoke ^ 1;
        }
        for (std::size_t i = 0; i < k; ++i) {
            const std::size_t j = (i + 1) % k;
            const std::int32_t helper = plane.Origin(toCorner[i]);
            const std::int32_t nextCorner = plane.Origin(face[j]);
            const std::int32_t chord =
                plane.AddEdge(helper, toCorner[i], nextCorner, toCorner[j] ^ 1);
            plane.AddEdge(helper, chord, plane.Origin(toCorner[j]), toCentre[j]);
        }
    }
}

// Neighbours of v in its clockwise ring.
void RingOf(const Plane& plane, std::int32_t v, std::vector<std::int32_t>& out) {
    out.clear();
    const std::int32_t first = plane.First(v);
    if (first == kNone) return;
    std::int32_t h = first;
    do {
        out.push_back(plane.Target(h));
        h = plane.Clockwise(h);
    } while (h != first);
}

// A canonical ordering of a triangulation with outer face {v1, v2, vn}: vertices are
// peeled off the outer cycle from vn down, each one without chords on that cycle.
std::vector<std::int32_t> CanonicalOrder(const Plane& plane, std::int32_t v1, std::int32_t v2, std::int32_t vn) {
    const std::int32_t n = plane.VertexCount();
    std::vector<std::int32_t> order(n + 1, kNone);
    order[1] = v1;
    order[2] = v2;
    std::vector<std::int32_t> next(n, kNone), prev(n, kNone), chords(n, 0);
    std::vector<bool> outer(n, false), removed(n, false);
    next[v1] = vn; next[vn] = v2; next[v2] = v1;
    prev[vn] = v1; prev[v2] = vn; prev[v1] = v2;
    outer[v1] = outer[v2] = outer[vn] = true;
    std::vector<std::int32_t> candidates{vn};
    std::vector<std::int32_t> ring, arc, around;
    for (std::int32_t k = n; k >= 3; --k) {
        if (k == 3) {
            order[3] = next[v1];
            if (order[3] == v2) throw PlanarityError("the canonical ordering lost its third vertex");
            break;
        }
        std::int32_t v = kNone;
        while (!candidates.empty() && v == kNone) {
            const std::int32_t c = candidates.back();
            candidates.pop_back();
            if (!removed[c] && outer[c] && chords[c] == 0 && c != v1 && c != v2) v = c;
        }
        if (v == kNone) throw PlanarityError("the canonical ordering found no vertex to remove");
        order[k] = v;
        const std::int32_t u = prev[v], w = next[v];
        RingOf(plane, v, ring);
        const std::size_t deg = ring.size();
        const std::size_t iu = std::find(ring.begin(), ring.end(), u) - ring.begin();
        const std::size_t iw = std::find(ring.begin(), ring.end(), w) - ring.begin();
        if (iu == deg || iw == deg) throw PlanarityError("a contour neighbour is not adjacent");
        // The neighbours strictly between u and w on the side without removed vertices.
        auto collect = [&](std::size_t from, std::size_t to, bool& clean) {
            arc.clear();
            clean = true;
            for (std::size_t i = (from + 1) % deg; i != to; i = (i + 1) % deg) {
                if (removed[ring[i]]) clean = false;
                arc.push_back(ring[i]);
            }
        };
        bool forwardClean = false, backwardClean = false;
        collect(iu, iw, forwardClean);
        std::vector<std::int32_t> forward = arc;
        collect(iw, iu, backwardClean);
        std::reverse(arc.begin(), arc.end());
        if (forwardClean && (!backwardClean || arc.empty())) arc = std::move(forward);
        else if (!backwardClean || (!forward.empty() && !arc.empty()))
            throw PlanarityError("the outer cycle of the canonical ordering is broken");

        removed[v] = true;
        outer[v] = false;
        if (arc.empty()) {
            next[u] = w;
            prev[w] = u;
            --chords[u];
            --chords[w];
        } else {
            std::int32_t left = u;
            for (std::int32_t x : arc) {
                next[left] = x;
                prev[x] = left;
                left = x;
            }
            next[left] = w;
            prev[w] = left;
            for (std::int32_t x : arc) {
                RingOf(plane, x, around);
                for (std::int32_t y : around) {
                    if (!outer[y] || y == prev[x] || y == next[x]) continue;
                    ++chords[x];
                    ++chords[y];
                }
                outer[x] = true;
            }
        }
        candidates.push_back(u);
        candidates.push_back(w);
        for (std::int32_t x : arc) candidates.push_back(x);
    }
    return order;
}

// The shift method on a canonical ordering: x offsets relative to a parent in a tree
// whose right links run along the contour, so that shifting costs nothing per vertex.
std::vector<GridPoint> ShiftDrawing(const Plane& plane, const std::vector<std::int32_t>& order) {
    const std::int32_t n = plane.VertexCount();
    std::vector<std::int64_t> offset(n, 0), y(n, 0);
    std::vector<std::int32_t> left(n, kNone), right(n, kNone), next(n, kNone), prev(n, kNone), stamp(n, 0);
    std::vector<bool> placed(n, false);
    const std::int32_t v1 = order[1], v2 = order[2], v3 = order[3];
    right[v1] = v3; right[v3] = v2;
    next[v1] = v3; next[v3] = v2;
    prev[v3] = v1; prev[v2] = v3;
    offset[v3] = 1; y[v3] = 1;
    offset[v2] = 1;
    placed[v1] = placed[v2] = placed[v3] = true;
    std::vector<std::int32_t> ring, span;
    for (std::int32_t k = 4; k <= n; ++k) {
        const std::int32_t v = order[k];
        RingOf(plane, v, ring);
        std::int32_t leftmost = kNone;
        for (std::int32_t x : ring)
            if (placed[x]) stamp[x] = k;
        for (std::int32_t x : ring)
            if (placed[x] && (prev[x] == kNone || stamp[prev[x]] != k)) leftmost = x;
        span.clear();
        for (std::int32_t x = leftmost; x != kNone && stamp[x] == k; x = next[x]) span.push_back(x);
        if (span.size() < 2) throw PlanarityError("a vertex of the canonical ordering has one lower neighbour");
        const std::int32_t wp = span.front(), wq = span.back(), wp1 = span[1];
        offset[wp1] += 1;
        offset[wq] += 1;
        std::int64_t delta = 0;
        for (std::size_t i = 1; i < span.size(); ++i) delta += offset[span[i]];
        if ((delta + y[wq] - y[wp]) % 2 != 0) throw PlanarityError("the shift method lost its grid parity");
        offset[v] = (delta + y[wq] - y[wp]) / 2;
        y[v] = (delta + y[wq] + y[wp]) / 2;
        offset[wq] = delta - offset[v];
        if (wp1 != wq) {
            offset[wp1] -= offset[v];
            left[v] = wp1;
            right[span[span.size() - 2]] = kNone;
        } else {
            left[v] = kNone;
        }
        right[wp] = v;
        right[v] = wq;
        next[wp] = v; prev[v] = wp;
        next[v] = wq; prev[wq] = v;
        placed[v] = true;
    }
    std::vector<GridPoint> points(n);
    std::vector<std::int32_t> stack{v1};
    while (!stack.empty()) {
        const std::int32_t v = stack.back();
        stack.pop_back();
        for (std::int32_t c : {left[v], right[v]}) {
            if (c == kNone) continue;
            points[c].x = points[v].x + offset[c];
            stack.push_back(c);
        }
    }
    for (std::int32_t v = 0; v < n; ++v) points[v].y = y[v];
    return points;
}

// One connected component with at least one edge, in its own numbering; rings[v] lists
// v's edges clockwise.
std::vector<GridPoint> DrawComponent(std::int32_t n, std::span<const PlanarEdge> edges,
                                     const std::vector<std::vector<std::int32_t>>& rings) {
    Plane plane = Plane::FromRings(n, edges, rings);
    Triangulate(plane);
    // The outer face is the one left of edge 0, a triangle by now.
    const std::int32_t v1 = plane.Origin(0), v2 = plane.Target(0), vn = plane.Target(plane.FaceNext(0));
    const std::vector<std::int32_t> order = CanonicalOrder(plane, v1, v2, vn);
    std::vector<GridPoint> points = ShiftDrawing(plane, order);
    points.resize(n); // the helper vertices go
    return points;
}

// A lower bound on the drawing's width, from the component sizes alone: the shift method
// spreads a component of k vertices (helpers included) over 2k - 4 columns between two
// of its own vertices, and components keep one free column between them.
std::int64_t WidthAtLeast(std::int32_t n, std::span<const PlanarEdge> edges, std::int64_t widthLimit) {
    // The bound from the vertex count alone settles large graphs without the components.
    if (PlanarWidthAtLeast(n) > widthLimit) return PlanarWidthAtLeast(n);
    DisjointSets sets(n);
    for (const auto& [a, b] : edges) sets.Join(a, b);
    std::vector<std::int32_t> size(n, 0);
    for (std::int32_t v = 0; v < n; ++v) ++size[sets.Find(v)];
    std::int64_t width = -1;
    for (std::int32_t v = 0; v < n; ++v)
        if (sets.Find(v) == v) width += 1 + std::max<std::int64_t>(0, 2 * std::int64_t(size[v]) - 4);
    return width;
}

} // namespace

std::optional<PlanarGridDrawing> DrawPlanarOnGrid(std::int32_t n, std::span<const PlanarEdge> edges,
                                                  std::int64_t widthLimit) {
    if (const std::int64_t least = WidthAtLeast(n, edges, widthLimit); least > widthLimit) {
        // Too wide whatever the embedding: the verdict alone, without the drawing.
        if (!TestPlanarityLR(n, edges)) return std::nullopt;
        PlanarGridDrawing tooWide;
        tooWide.m_width = least;
        return tooWide;
    }
    PlanarRotation rotation;
    if (!TestPlanarityLR(n, edges, &rotation)) return std::nullopt;

    // Components by a search over the rotation, in the order of their smallest vertex.
    std::vector<std::int32_t> component(n, kNone), local(n, kNone);
    std::vector<std::int32_t> stack;
    std::vector<std::int32_t> localIndex(edges.size(), kNone); // each edge is in one component
    PlanarGridDrawing drawing;
    drawing.m_points.resize(n);
    std::int64_t x = 0;
    bool firstComponent = true;
    for (std::int32_t root = 0; root < n; ++root) {
        if (component[root] != kNone) continue;
        std::vector<std::int32_t> vertices{root};
        component[root] = root;
        stack.push_back(root);
        while (!stack.empty()) {
            const std::int32_t v = stack.back();
            stack.pop_back();
            for (std::int32_t e : rotation.Around(v)) {
                const std::int32_t w = edges[e].first == v ? edges[e].second : edges[e].first;
                if (component[w] != kNone) continue;
                component[w] = root;
                vertices.push_back(w);
                stack.push_back(w);
            }
        }
        std::sort(vertices.begin(), vertices.end());
        for (std::size_t i = 0; i < vertices.size(); ++i) local[vertices[i]] = static_cast<std::int32_t>(i);
        std::vector<GridPoint> points(1);
        if (vertices.size() > 1) {
            std::vector<PlanarEdge> localEdges;
            std::vector<std::vector<std::int32_t>> rings(vertices.size());
            for (std::int32_t v : vertices)
                for (std::int32_t e : rotation.Around(v)) {
                    if (localIndex[e] == kNone) {
                        localIndex[e] = static_cast<std::int32_t>(localEdges.size());
                        localEdges.push_back({local[edges[e].first], local[edges[e].second]});
                    }
                    rings[local[v]].push_back(localIndex[e]);
                }
            points = DrawComponent(static_cast<std::int32_t>(vertices.size()), localEdges, rings);
        }
        // Tops aligned at 0 and y downwards: the shift method builds upwards.
        std::int64_t minX = points[0].x, maxX = points[0].x, maxY = points[0].y;
        for (const GridPoint& p : points) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            maxY = std::max(maxY, p.y);
        }
        if (!firstComponent) x += 1; // one free column between components
        firstComponent = false;
        for (std::size_t i = 0; i < vertices.size(); ++i) {
            GridPoint& out = drawing.m_points[vertices[i]];
            out.x = x + points[i].x - minX;
            out.y = maxY - points[i].y;
            drawing.m_height = std::max(drawing.m_height, out.y);
        }
        x += maxX - minX;
        drawing.m_width = x;
    }
    return drawing;
}
