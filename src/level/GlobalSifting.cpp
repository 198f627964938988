#include "level/GlobalSifting.h"

#include <algorithm>
#include <queue>
#include <span>

#include "level/LayerCrossings.h"

namespace {

struct Block {
    int low = 0;              // level of vertices[0]
    std::vector<int> vertices; // one per level, upwards
    int High() const { return low + static_cast<int>(vertices.size()) - 1; }
    int At(int level) const { return vertices[level - low]; }
    bool Has(int level) const { return level >= low && level <= High(); }
};

using EdgeEnds = std::pair<int, int>; // (lower vertex, upper vertex)

class Sifter {
public:
    explicit Sifter(const LevelGraph& g) : m_g(g), m_blockOf(g.VertexCount(), -1), m_pos(g.VertexCount(), 0) {
        MakeBlocks();
    }

    // The total order of the blocks that keeps as much of `orders` as it can: on every level
    // each vertex's block comes before the next one's, unless the blocks of two long edges
    // meet in both orders; the earliest by mean relative place then goes first.
    void OrderBlocks(const LevelOrders& orders) {
        const int n = static_cast<int>(m_blocks.size());
        std::vector<double> key(n, 0.0);
        std::vector<std::vector<int>> next(n);
        std::vector<int> indegree(n, 0);
        for (const auto& level : orders) {
            const double width = static_cast<double>(level.size());
            for (std::size_t r = 0; r < level.size(); ++r) {
                const int b = m_blockOf[level[r]];
                key[b] += (r + 0.5) / width / m_blocks[b].vertices.size();
                if (r + 1 < level.size()) {
                    next[b].push_back(m_blockOf[level[r + 1]]);
                    ++indegree[m_blockOf[level[r + 1]]];
                }
            }
        }
        auto later = [&](int a, int b) { return key[a] > key[b] || (key[a] == key[b] && a > b); };
        std::priority_queue<int, std::vector<int>, decltype(later)> ready(later);
        std::vector<int> byKey(n);
        for (int b = 0; b < n; ++b) {
            byKey[b] = b;
            if (indegree[b] == 0) ready.push(b);
        }
        std::sort(byKey.begin(), byKey.end(), [&](int a, int b) { return later(b, a); });
        std::vector<char> placed(n, 0);
        m_order.clear();
        std::size_t forced = 0;
        while (static_cast<int>(m_order.size()) < n) {
            int b = -1;
            while (!ready.empty() && b < 0) {
                b = ready.top();
                ready.pop();
                if (placed[b]) b = -1;
            }
            if (b < 0) { // a cycle: the earliest block left goes first
                while (placed[byKey[forced]]) ++forced;
                b = byKey[forced];
            }
            placed[b] = 1;
            m_order.push_back(b);
            for (int c : next[b])
                if (--indegree[c] == 0 && !placed[c]) ready.push(c);
        }
        m_orders.assign(m_g.LevelCount(), {});
        RebuildLevels(0, m_g.LevelCount() - 1);
    }

    // One round: every block, the busiest first, moves to its best place. Returns the change
    // of the crossings (never positive).
    std::int64_t Round(std::int64_t limit) {
        std::vector<int> sequence(m_order);
        std::stable_sort(sequence.begin(), sequence.end(), [&](int a, int b) { return m_degree[a] > m_degree[b]; });
        std::int64_t change = 0;
        for (int a : sequence) {
            if (m_spent >= limit) break;
            change += Sift(a);
        }
        return change;
    }

    const LevelOrders& Orders() const { return m_orders; }
    std::int64_t Spent() const { return m_spent; }

private:
    void MakeBlocks() {
        for (int l = 0; l < m_g.LevelCount(); ++l)
            for (int v : m_g.Level(l)) {
                const auto down = m_g.LowerNeighbours(v);
                if (PassesThrough(v) && PassesThrough(down[0])) {
                    const int b = m_blockOf[down[0]];
                    m_blockOf[v] = b;
                    m_blocks[b].vertices.push_back(v);
                    continue;
                }
                m_blockOf[v] = static_cast<int>(m_blocks.size());
                m_blocks.push_back({l, {v}});
            }
        // The edges of every block, gap by gap from the one below it to the one above.
        m_gapStart.assign(m_blocks.size() + 1, 0);
        std::vector<EdgeEnds> edges;
        for (std::size_t b = 0; b < m_blocks.size(); ++b) {
            const Block& block = m_blocks[b];
            m_gapStart[b] = static_cast<int>(m_edgeStart.size());
            for (int gap = block.low - 1; gap <= block.High(); ++gap) {
                m_edgeStart.push_back(static_cast<int>(m_edges.size()));
                EdgesAt(block, gap, edges);
                m_edges.insert(m_edges.end(), edges.begin(), edges.end());
            }
            m_edgeStart.push_back(static_cast<int>(m_edges.size()));
        }
        m_degree.assign(m_blocks.size(), 0);
        for (std::size_t b = 0; b < m_blocks.size(); ++b)
            for (int v : m_blocks[b].vertices)
                m_degree[b] += static_cast<int>(m_g.LowerNeighbours(v).size() + m_g.UpperNeighbours(v).size());
    }

    bool PassesThrough(int v) const { return m_g.LowerNeighbours(v).size() == 1 && m_g.UpperNeighbours(v).size() == 1; }

    // Orders of levels lo..hi as the total order of the blocks induces them.
    void RebuildLevels(int lo, int hi) {
        for (int l = lo; l <= hi; ++l) m_orders[l].clear();
        for (int b : m_order) {
            const Block& block = m_blocks[b];
            for (int l = std::max(lo, block.low); l <= std::min(hi, block.High()); ++l) m_orders[l].push_back(block.At(l));
        }
        for (int l = lo; l <= hi; ++l)
            for (int r = 0; r < static_cast<int>(m_orders[l].size()); ++r) m_pos[m_orders[l][r]] = r;
    }

    // The edges of gap `gap` (between levels gap and gap + 1) with an end in `block`.
    void EdgesAt(const Block& block, int gap, std::vector<EdgeEnds>& out) const {
        out.clear();
        if (block.Has(gap))
            for (int w : m_g.UpperNeighbours(block.At(gap))) out.push_back({block.At(gap), w});
        if (block.Has(gap + 1))
            for (int w : m_g.LowerNeighbours(block.At(gap + 1)))
                if (!block.Has(gap) || w != block.At(gap)) out.push_back({w, block.At(gap + 1)});
    }

    std::span<const EdgeEnds> EdgesOf(int b, int gap) const {
        const int slot = m_gapStart[b] + gap - (m_blocks[b].low - 1);
        return {m_edges.data() + m_edgeStart[slot], m_edges.data() + m_edgeStart[slot + 1]};
    }

    // What exchanging a and b, next to each other in the total order with a first, changes.
    // Only pairs of an edge of a and an edge of b can change, and only where exactly one of
    // their two ends changes sides: a and b meet on that level.
    std::int64_t SwapChange(int a, int b) {
        const Block& A = m_blocks[a];
        const Block& B = m_blocks[b];
        const int lo = std::max(A.low, B.low), hi = std::min(A.High(), B.High());
        std::int64_t delta = 0;
        auto flips = [&](int x, int y) {
            return (m_blockOf[x] == a && m_blockOf[y] == b) || (m_blockOf[x] == b && m_blockOf[y] == a);
        };
        for (int gap = lo - 1; gap <= hi; ++gap) {
            if (gap < 0 || gap + 1 >= m_g.LevelCount()) continue;
            const std::span<const EdgeEnds> edgesA = EdgesOf(a, gap), edgesB = EdgesOf(b, gap);
            m_spent += static_cast<std::int64_t>(edgesA.size()) * edgesB.size() + 1;
            for (const EdgeEnds& e : edgesA)
                for (const EdgeEnds& f : edgesB) {
                    if (e == f) continue;
                    const int below = m_pos[e.first] - m_pos[f.first], above = m_pos[e.second] - m_pos[f.second];
                    if (below == 0 || above == 0) continue; // a common end: never a crossing
                    if (flips(e.first, f.first) == flips(e.second, f.second)) continue;
                    delta += (below < 0) != (above < 0) ? -1 : 1;
                }
        }
        for (int l = lo; l <= hi; ++l) std::swap(m_pos[A.At(l)], m_pos[B.At(l)]);
        return delta;
    }

    // Block a to its best place in the total order; returns the change of the crossings.
    std::int64_t Sift(int a) {
        const Block& A = m_blocks[a];
        const int lo = A.low, hi = A.High();
        const auto at = std::find(m_order.begin(), m_order.end(), a);
        const int original = static_cast<int>(at - m_order.begin());
        m_order.erase(at);
        // a first on each of its levels.
        for (int l = lo; l <= hi; ++l) {
            const int v = A.At(l);
            for (int w : m_orders[l]) {
                if (w == v) break;
                ++m_pos[w];
            }
            m_pos[v] = 0;
        }
        // Place p means p blocks to the left; a tie keeps the original place.
        std::int64_t cost = 0, best = 0, atOriginal = 0;
        int bestPlace = 0;
        const int n = static_cast<int>(m_order.size());
        for (int place = 0;; ++place) {
            if (place == original) atOriginal = cost;
            if (cost < best || (cost == best && place == original)) {
                best = cost;
                bestPlace = place;
            }
            if (place == n) break;
            const Block& B = m_blocks[m_order[place]];
            if (B.low <= hi && B.High() >= lo) cost += SwapChange(a, m_order[place]);
        }
        m_spent += n;
        m_order.insert(m_order.begin() + bestPlace, a);
        RebuildLevels(lo, hi);
        return best - atOriginal;
    }

    const LevelGraph& m_g;
    std::vector<Block> m_blocks;
    std::vector<int> m_blockOf;
    std::vector<int> m_degree;
    std::vector<int> m_order; // blocks, left to right
    LevelOrders m_orders;
    std::vector<int> m_pos;
    std::vector<EdgeEnds> m_edges;     // by block, then gap
    std::vector<int> m_edgeStart;      // per block and gap, into m_edges
    std::vector<int> m_gapStart;       // per block, into m_edgeStart
    std::int64_t m_spent = 0; // pairs of edges compared and places passed
};

} // namespace

GlobalSiftingResult GlobalSifting(const LevelGraph& g, const LevelOrders& orders, std::int64_t& work) {
    Sifter sifter(g);
    sifter.OrderBlocks(orders);
    GlobalSiftingResult result;
    result.orders = sifter.Orders();
    result.crossings = LevelCrossings(g, result.orders);
    const std::int64_t limit = std::max<std::int64_t>(work, 0);
    for (int round = 0; round < 20 && result.crossings > 0 && sifter.Spent() < limit; ++round) {
        const std::int64_t change = sifter.Round(limit);
        if (change == 0) break;
        result.crossings += change;
        result.orders = sifter.Orders();
    }
    work -= sifter.Spent();
    return result;
}
