// Deletion with contraction. Edges are tried for deletion in blocks: a block whose removal
// leaves the graph non-planar goes, and the next block is twice as large; otherwise the
// block is halved, and a single edge that cannot go is needed for good (it stays needed in
// every subgraph, since a subgraph of a planar graph is planar). After each deletion,
// vertices of degree one lose their edge and vertices of degree two are smoothed away,
// their two edges becoming one chain; chains between the same two vertices are parallel
// and one of them goes, as parallel edges never decide planarity. So once a region has
// thinned to paths, a test sees each path as one edge, and the tests stay small.

#include "planarity/MinimalNonPlanar.h"

#include <algorithm>
#include <deque>
#include <unordered_map>

#include "planarity/Blocks.h"
#include "planarity/LocalNumbering.h"

namespace {

constexpr std::int32_t kNone = -1;

class ChainGraph {
public:
    ChainGraph(std::int32_t n, std::span<const PlanarEdge> edges)
        : m_nextEdge(edges.size(), kNone), m_incident(n), m_degree(n, 0), m_numbering(n) {
        m_chains.reserve(2 * edges.size());
        m_pairs.reserve(2 * edges.size());
        for (std::int32_t e = 0; e < std::int32_t(edges.size()); ++e) AddChain(edges[e].first, edges[e].second, e, e);
    }

    std::int32_t ChainCount() const { return std::int32_t(m_chains.size()); }
    bool Alive(std::int32_t c) const { return m_chains[c].alive; }
    bool Kept(std::int32_t c) const { return m_chains[c].kept; }
    void Keep(std::int32_t c) {
        if (m_chains[c].kept) return;
        m_chains[c].kept = true;
        ++m_keptAlive;
    }
    std::int64_t Undecided() const { return std::int64_t(m_alive.size()) - m_keptAlive; }

    // Every vertex of degree below three is reduced away, with the chains this creates.
    void ReduceAll() {
        for (std::int32_t v = 0; v < std::int32_t(m_degree.size()); ++v)
            if (m_degree[v] > 0 && m_degree[v] < 3) m_work.push_back(v);
        Reduce();
    }

    void Delete(std::int32_t c) {
        Remove(c);
        for (std::int32_t v : {m_chains[c].a, m_chains[c].b})
            if (m_degree[v] < 3) m_work.push_back(v);
    }

    void Reduce() {
        while (!m_work.empty()) {
            const std::int32_t v = m_work.back();
            m_work.pop_back();
            if (m_degree[v] == 1) {
                Delete(AliveAt(v).front());
            } else if (m_degree[v] == 2) {
                const std::vector<std::int32_t>& two = AliveAt(v);
                Smooth(v, two[0], two[1]);
            }
        }
    }

    // Whether the alive chains other than those `skip`ped form a planar graph.
    bool PlanarWithout(std::span<const std::int32_t> skip) {
        ++m_round;
        for (std::int32_t c : skip) m_chains[c].skipRound = m_round;
        m_test.clear();
        m_numbering.NewRound();
        for (std::int32_t c : m_alive)
            if (m_chains[c].skipRound != m_round)
                m_test.push_back({m_numbering.Of(m_chains[c].a), m_numbering.Of(m_chains[c].b)});
        return TestPlanarityLR(m_numbering.Count(), m_test);
    }

    // The input edges of the alive chains, increasing.
    std::vector<std::int32_t> AliveEdges() const {
        std::vector<std::int32_t> out;
        for (std::int32_t c : m_alive)
            for (std::int32_t e = m_chains[c].head; e != kNone; e = m_nextEdge[e]) out.push_back(e);
        std::sort(out.begin(), out.end());
        return out;
    }

private:
    struct Chain {
        std::int32_t a, b;       // ends
        std::int32_t head, tail; // its input edges, linked through m_nextEdge
        std::int32_t length;
        std::int32_t alivePos = kNone;
        std::uint32_t skipRound = 0;
        bool alive = true, kept = false;
    };

    static std::uint64_t Key(std::int32_t a, std::int32_t b) {
        if (a > b) std::swap(a, b);
        return (std::uint64_t(std::uint32_t(a)) << 32) | std::uint32_t(b);
    }

    std::int32_t AddChain(std::int32_t a, std::int32_t b, std::int32_t head, std::int32_t tail) {
        const auto c = std::int32_t(m_chains.size());
        m_chains.push_back({a, b, head, tail, 1});
        m_chains[c].alivePos = std::int32_t(m_alive.size());
        m_alive.push_back(c);
        m_incident[a].push_back(c);
        m_incident[b].push_back(c);
        ++m_degree[a];
        ++m_degree[b];
        m_pairs[Key(a, b)] = c;
        return c;
    }

    void Remove(std::int32_t c) {
        Chain& chain = m_chains[c];
        chain.alive = false;
        if (chain.kept) --m_keptAlive;
        const std::int32_t last = m_alive.back();
        m_alive[chain.alivePos] = last;
        m_chains[last].alivePos = chain.alivePos;
        m_alive.pop_back();
        --m_degree[chain.a];
        --m_degree[chain.b];
        if (auto it = m_pairs.find(Key(chain.a, chain.b)); it != m_pairs.end() && it->second == c) m_pairs.erase(it);
    }

    // The alive chains at v; dead ones are dropped from its list on the way.
    const std::vector<std::int32_t>& AliveAt(std::int32_t v) {
        std::erase_if(m_incident[v], [&](std::int32_t c) { return !m_chains[c].alive; });
        return m_incident[v];
    }

    // v has exactly the chains c1 and c2: they become one chain between their other ends.
    void Smooth(std::int32_t v, std::int32_t c1, std::int32_t c2) {
        const std::int32_t x = m_chains[c1].a == v ? m_chains[c1].b : m_chains[c1].a;
        const std::int32_t y = m_chains[c2].a == v ? m_chains[c2].b : m_chains[c2].a;
        const bool kept = m_chains[c1].kept || m_chains[c2].kept;
        const std::int32_t length = m_chains[c1].length + m_chains[c2].length;
        m_nextEdge[m_chains[c1].tail] = m_chains[c2].head;
        const std::int32_t head = m_chains[c1].head, tail = m_chains[c2].tail;
        Remove(c1);
        Remove(c2);
        m_incident[v].clear();
        if (x == y) { // a cycle hanging at x is a block of its own, and planar
            if (m_degree[x] < 3) m_work.push_back(x);
            return;
        }
        const auto old = m_pairs.find(Key(x, y));
        const std::int32_t parallel = old == m_pairs.end() ? kNone : old->second;
        const std::int32_t c = AddChain(x, y, head, tail);
        m_chains[c].length = length;
        if (kept) {
            m_chains[c].kept = true;
            ++m_keptAlive;
        }
        if (parallel == kNone) return;
        // Of two parallel chains at most one can be needed; the shorter stays otherwise.
        const bool dropNew =
            m_chains[parallel].kept || (!m_chains[c].kept && m_chains[c].length >= m_chains[parallel].length);
        const std::int32_t drop = dropNew ? c : parallel, stay = dropNew ? parallel : c;
        Delete(drop);
        m_pairs[Key(x, y)] = stay;
    }

    std::vector<Chain> m_chains;
    std::vector<std::int32_t> m_nextEdge;
    std::vector<std::vector<std::int32_t>> m_incident;
    std::vector<std::int32_t> m_degree, m_alive, m_work;
    std::int64_t m_keptAlive = 0;
    std::unordered_map<std::uint64_t, std::int32_t> m_pairs;
    std::uint32_t m_round = 0; // marks the chains a test skips
    LocalNumbering m_numbering;
    std::vector<PlanarEdge> m_test;
};

} // namespace

std::optional<std::vector<std::int32_t>> MinimalNonPlanarSubgraph(std::int32_t n, std::span<const PlanarEdge> edges,
                                                                  std::span<const std::int32_t> order,
                                                                  const ShrinkProgress& progress) {
    ChainGraph g(n, edges);
    std::vector<bool> listed(edges.size(), false);
    for (std::int32_t e : order) listed[e] = true;
    for (std::int32_t e = 0; e < std::int32_t(edges.size()); ++e)
        if (!listed[e]) g.Keep(e);
    g.ReduceAll();

    // Chains made by smoothing join the queue at its back.
    std::deque<std::int32_t> queue(order.begin(), order.end());
    std::int32_t seenChains = std::int32_t(edges.size());
    std::vector<std::int32_t> block;
    std::size_t size = std::max<std::size_t>(1, order.size() / 16);
    for (std::int64_t tests = 0;; ++tests) {
        if (progress && tests % 32 == 0 && !progress(g.Undecided())) return std::nullopt;
        for (; seenChains < g.ChainCount(); ++seenChains)
            if (g.Alive(seenChains) && !g.Kept(seenChains)) queue.push_back(seenChains);
        while (!queue.empty() && (!g.Alive(queue.front()) || g.Kept(queue.front()))) queue.pop_front();
        if (queue.empty()) break;
        block.clear();
        for (std::size_t i = 0; i < queue.size() && block.size() < size; ++i)
            if (g.Alive(queue[i]) && !g.Kept(queue[i])) block.push_back(queue[i]);
        if (!g.PlanarWithout(block)) {
            for (std::int32_t c : block)
                if (g.Alive(c)) g.Delete(c);
            g.Reduce();
            size = 2 * block.size();
        } else if (block.size() == 1) {
            g.Keep(block.front());
            size = 1;
        } else {
            size = block.size() / 2;
        }
    }
    if (progress && !progress(0)) return std::nullopt;
    return g.AliveEdges();
}
