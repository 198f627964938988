#include "level/VertexExchangeGraph.h"

#include <algorithm>
#include <numeric>

#include "level/LevelPlanarityMethod.h"

void VertexExchangeGraph::Build(const LevelGraph& g, std::span<const int> sequence) {
    m_pairs = LevelPairs(g);
    m_vertices.clear();
    m_edges.clear();
    m_contradictions = 0;
    m_pairVertex.assign(static_cast<std::size_t>(m_pairs.Count()), -1);
    m_vertices.reserve(m_pairVertex.size());

    // Pairs in the order of the sequence: first by the earlier vertex, then by the later one.
    for (int s : sequence) {
        const int level = g.LevelOf(s);
        const auto& members = g.Level(level);
        const int w = static_cast<int>(members.size());
        for (int r2 = g.RankOf(s) + 1; r2 < w; ++r2) {
            Vertex x;
            x.m_u = s;
            x.m_v = members[r2];
            x.m_level = level;
            m_pairVertex[m_pairs.Index(level, g.RankOf(s), r2)] = static_cast<int>(m_vertices.size());
            m_vertices.push_back(x);
        }
    }

    // One edge per pair of independent graph edges across a gap. The two graph edge pairs
    // that join the same two vertex pairs (one keeping, one swapping the order) make one
    // edge, flagged as a contradiction, emitted by the keeping pair.
    std::size_t expected = 0;
    for (int level = 0; level + 1 < g.LevelCount(); ++level) {
        const std::size_t m = g.EdgesBelowGap(level).size();
        expected += m * (m - (m > 0)) / 2;
    }
    m_edges.reserve(expected);
    for (int level = 0; level + 1 < g.LevelCount(); ++level) {
        const auto gap = g.EdgesBelowGap(level);
        for (std::size_t i = 0; i < gap.size(); ++i) {
            const LevelGraph::Edge& e = g.Edges()[gap[i]];
            const int le = g.RankOf(e.lower), ue = g.RankOf(e.upper);
            for (std::size_t j = i + 1; j < gap.size(); ++j) {
                const LevelGraph::Edge& f = g.Edges()[gap[j]];
                const int lf = g.RankOf(f.lower), uf = g.RankOf(f.upper);
                if (le == lf || ue == uf) continue;
                const bool keeping = (le < lf) == (ue < uf);
                const bool partner = g.HasEdge(e.lower, f.upper) && g.HasEdge(f.lower, e.upper);
                if (!keeping && partner) continue;
                const int p = PairVertex(level, le, lf), q = PairVertex(level + 1, ue, uf);
                Edge edge;
                edge.m_a = std::min(p, q);
                edge.m_b = std::max(p, q);
                edge.m_keepsOrder = keeping && !partner;
                edge.m_contradiction = keeping && partner;
                m_contradictions += edge.m_contradiction;
                m_edges.push_back(edge);
            }
        }
    }

    m_adjacencyStart.clear();
    m_adjacency.clear();
}

void VertexExchangeGraph::ListNeighbours() {
    if (!m_adjacencyStart.empty()) return;
    const int n = static_cast<int>(m_vertices.size());
    m_adjacencyStart.assign(n + 1, 0);
    for (const Edge& e : m_edges) {
        ++m_adjacencyStart[e.m_a + 1];
        ++m_adjacencyStart[e.m_b + 1];
    }
    std::partial_sum(m_adjacencyStart.begin(), m_adjacencyStart.end(), m_adjacencyStart.begin());
    m_adjacency.resize(2 * m_edges.size());
    std::vector<int> fill(m_adjacencyStart.begin(), m_adjacencyStart.end() - 1);
    for (const Edge& e : m_edges) {
        const int swaps = e.m_keepsOrder ? 0 : 1;
        m_adjacency[fill[e.m_a]++] = (e.m_b << 1) | swaps;
        m_adjacency[fill[e.m_b]++] = (e.m_a << 1) | swaps;
    }
}

bool TestVertexExchangeGraph(VertexExchangeGraph& veg, const std::vector<bool>& uLeftOfV, bool asWritten,
                             PairClasses* classes) {
    auto& vertices = veg.Vertices();
    const int n = static_cast<int>(vertices.size());
    bool ok = asWritten || !veg.HasContradiction();
    // link[x]: x's parent in the union-find, with the parity between them in the top bit
    // (whether x keeps (0) or swaps (1) its order relative to its parent).
    std::vector<std::uint32_t> link(n);
    for (int x = 0; x < n; ++x) link[x] = static_cast<std::uint32_t>(x);
    auto find = [&](std::uint32_t x, std::uint32_t& parity) {
        std::uint32_t root = x;
        parity = 0;
        while ((link[root] & 0x7FFFFFFFu) != root) {
            parity ^= link[root] >> 31;
            root = link[root] & 0x7FFFFFFFu;
        }
        for (std::uint32_t rest = parity; (link[x] & 0x7FFFFFFFu) != x;) {
            const std::uint32_t next = link[x] & 0x7FFFFFFFu, step = link[x] >> 31;
            link[x] = root | (rest << 31);
            rest ^= step;
            x = next;
        }
        return root;
    };
    for (const auto& e : veg.Edges()) {
        std::uint32_t pa, pb;
        const std::uint32_t ra = find(static_cast<std::uint32_t>(e.m_a), pa);
        const std::uint32_t rb = find(static_cast<std::uint32_t>(e.m_b), pb);
        const std::uint32_t swaps = e.m_keepsOrder ? 0 : 1;
        if (ra == rb) {
            if ((pa ^ pb) != swaps) ok = false;
        } else {
            link[ra] = rb | ((pa ^ pb ^ swaps) << 31);
        }
    }

    // Components are numbered in the order the vertex list meets them; parities are taken
    // relative to the first pair of each component.
    std::vector<int> number(n, -1);
    std::vector<std::uint8_t> firstParity(n, 0);
    int count = 0;
    std::vector<std::uint8_t> parity(n);
    for (int x = 0; x < n; ++x) {
        std::uint32_t p;
        const std::uint32_t root = find(static_cast<std::uint32_t>(x), p);
        if (number[root] < 0) {
            number[root] = count++;
            firstParity[root] = static_cast<std::uint8_t>(p);
        }
        auto& vertex = vertices[x];
        vertex.m_visited = true;
        vertex.m_component = number[root];
        parity[x] = static_cast<std::uint8_t>(p ^ firstParity[root]);
        vertex.m_flip = (uLeftOfV[x] ? 1 : 0) ^ parity[x];
    }
    if (classes) {
        const std::int64_t pairs = veg.Pairs().Count();
        classes->count = count;
        classes->classOf.resize(static_cast<std::size_t>(pairs));
        classes->parityOf.resize(static_cast<std::size_t>(pairs));
        for (std::int64_t p = 0; p < pairs; ++p) {
            const int x = veg.VertexOfPair(p);
            classes->classOf[p] = vertices[x].m_component;
            classes->parityOf[p] = parity[x];
        }
    }
    return ok;
}

std::optional<LevelOrders> OrdersFromLabels(const VertexExchangeGraph& veg, const LevelGraph& g,
                                            const std::vector<bool>& uLeftOfV) {
    LevelOrders orders(g.LevelCount());
    std::vector<int> wins, seen;
    for (int level = 0; level < g.LevelCount(); ++level) {
        const auto& members = g.Level(level);
        const int w = static_cast<int>(members.size());
        wins.assign(w, 0);
        for (int i = 0; i < w; ++i)
            for (int j = i + 1; j < w; ++j) {
                const int x = veg.PairVertex(level, i, j);
                // The pair's m_u has the smaller rank; parity 0 keeps it in front.
                const bool keeps = veg.Vertices()[x].m_flip == uLeftOfV[x];
                ++wins[keeps ? i : j];
            }
        // Transitive exactly when the numbers of vertices each one precedes are all different.
        seen.assign(w, 0);
        auto& order = orders[level];
        order.assign(w, -1);
        for (int i = 0; i < w; ++i) {
            if (seen[wins[i]]++) return std::nullopt;
            order[w - 1 - wins[i]] = members[i];
        }
    }
    return orders;
}

LevelPlanarityResult VertexExchangeMethod::Test(const LevelGraph& g) {
    std::vector<int> sequence;
    sequence.reserve(g.VertexCount());
    for (const auto& level : g.Levels()) sequence.insert(sequence.end(), level.begin(), level.end());
    VertexExchangeGraph veg;
    veg.Build(g, sequence);
    std::vector<bool> uLeftOfV(veg.Vertices().size());
    for (std::size_t x = 0; x < uLeftOfV.size(); ++x)
        uLeftOfV[x] = g.XOf(veg.Vertices()[x].m_u) < g.XOf(veg.Vertices()[x].m_v);
    LevelPlanarityResult result;
    result.planar = TestVertexExchangeGraph(veg, uLeftOfV, m_asWritten);
    if (result.planar) {
        if (auto orders = OrdersFromLabels(veg, g, uLeftOfV); orders && !HasLevelCrossing(g, *orders)) {
            result.orders = std::move(*orders);
            result.hasOrders = true;
        }
    }
    return result;
}
