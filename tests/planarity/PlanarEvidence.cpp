#include "PlanarEvidence.h"

#include <algorithm>
#include <map>
#include <set>

std::string CheckKuratowskiSubdivision(const EdgeList& edges, const std::vector<int>& chosen, bool k5) {
    std::map<int, std::vector<int>> adjacent;
    std::set<std::pair<int, int>> seen;
    for (int e : chosen) {
        if (e < 0 || e >= int(edges.size())) return "edge index out of range";
        auto [a, b] = edges[e];
        if (a == b || !seen.insert({std::min(a, b), std::max(a, b)}).second) return "a loop or repeated edge";
        adjacent[a].push_back(b);
        adjacent[b].push_back(a);
    }
    std::vector<int> branches;
    for (const auto& [v, ns] : adjacent) {
        if (ns.size() == 1 || ns.size() > 4) return "vertex " + std::to_string(v) + " has degree " + std::to_string(ns.size());
        if (ns.size() >= 3) branches.push_back(v);
    }
    const std::size_t wantBranches = k5 ? 5 : 6, wantDegree = k5 ? 4 : 3;
    if (branches.size() != wantBranches) return std::to_string(branches.size()) + " branch vertices";
    for (int b : branches)
        if (adjacent[b].size() != wantDegree) return "branch vertex of the wrong degree";
    // Walk each path from a branch vertex through vertices of degree 2.
    std::set<std::pair<int, int>> joined;
    std::set<int> inner;
    std::size_t walked = 0;
    for (int b : branches)
        for (int first : adjacent[b]) {
            int prev = b, at = first;
            while (adjacent[at].size() == 2) {
                inner.insert(at);
                const int next = adjacent[at][0] == prev ? adjacent[at][1] : adjacent[at][0];
                prev = at;
                at = next;
                if (++walked > 4 * edges.size() + 8) return "a cycle without branch vertices";
            }
            if (at == b) return "a path returns to its branch vertex";
            joined.insert({std::min(b, at), std::max(b, at)});
        }
    // Every vertex of degree 2 lies on one of the walks: otherwise a separate cycle.
    for (const auto& [v, ns] : adjacent)
        if (ns.size() == 2 && !inner.count(v)) return "a cycle apart from the branch vertices";
    if (k5) {
        if (joined.size() != 10) return "the branch vertices are not pairwise joined";
        return {};
    }
    // K3,3: the joined pairs must be exactly the nine pairs across a split into 3 + 3.
    if (joined.size() != 9) return "not nine branch paths";
    std::map<int, int> side{{branches[0], 0}};
    for (int round = 0; round < 6; ++round)
        for (auto [a, b] : joined) {
            if (side.count(a) && !side.count(b)) side[b] = 1 - side[a];
            if (side.count(b) && !side.count(a)) side[a] = 1 - side[b];
        }
    int ones = 0;
    for (auto [a, b] : joined)
        if (!side.count(a) || !side.count(b) || side[a] == side[b]) return "the branch paths are not bipartite";
    for (auto [v, s] : side) ones += s;
    return ones == 3 ? std::string() : "the branch sides are not 3 and 3";
}

namespace {

int Orientation(IntPoint a, IntPoint b, IntPoint c) {
    const __int128 cross = __int128(b.x - a.x) * (c.y - a.y) - __int128(b.y - a.y) * (c.x - a.x);
    return cross > 0 ? 1 : cross < 0 ? -1 : 0;
}

bool OnSegment(IntPoint a, IntPoint b, IntPoint p) {
    return Orientation(a, b, p) == 0 && std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) &&
           std::min(a.y, b.y) <= p.y && p.y <= std::max(a.y, b.y);
}

bool SegmentsMeet(IntPoint a, IntPoint b, IntPoint c, IntPoint d) {
    const int o1 = Orientation(a, b, c), o2 = Orientation(a, b, d);
    const int o3 = Orientation(c, d, a), o4 = Orientation(c, d, b);
    if (o1 != o2 && o3 != o4 && o1 != 0 && o2 != 0 && o3 != 0 && o4 != 0) return true;
    return OnSegment(a, b, c) || OnSegment(a, b, d) || OnSegment(c, d, a) || OnSegment(c, d, b);
}

} // namespace

std::string CheckPlanarDrawing(const EdgeList& edges, const std::vector<IntPoint>& points) {
    std::set<std::pair<std::int64_t, std::int64_t>> used;
    for (const IntPoint& p : points)
        if (!used.insert({p.x, p.y}).second) return "two vertices at one point";
    for (std::size_t e = 0; e < edges.size(); ++e) {
        const auto [a, b] = edges[e];
        for (std::size_t v = 0; v < points.size(); ++v)
            if (int(v) != a && int(v) != b && OnSegment(points[a], points[b], points[v]))
                return "vertex " + std::to_string(v) + " on edge " + std::to_string(e);
        for (std::size_t f = e + 1; f < edges.size(); ++f) {
            const auto [c, d] = edges[f];
            if (a == c || a == d || b == c || b == d) continue;
            if (SegmentsMeet(points[a], points[b], points[c], points[d]))
                return "edges " + std::to_string(e) + " and " + std::to_string(f) + " cross";
        }
    }
    return {};
}
