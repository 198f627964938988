// The classes of the order constraints and the quick rejections that need no search.

#include "level/LevelPairClasses.h"

#include <numeric>

namespace {

// Union-find over pairs, each link carrying the parity between a pair and its parent
// (packed into the top bit, to keep the search's memory small).
class ParityUnionFind {
public:
    explicit ParityUnionFind(std::size_t n) : m_link(n) { std::iota(m_link.begin(), m_link.end(), std::uint32_t{0}); }
    // The root of x and x's parity relative to it.
    std::pair<std::uint32_t, std::uint8_t> Find(std::uint32_t x) {
        std::uint32_t root = x;
        std::uint8_t parity = 0;
        while (Parent(root) != root) {
            parity ^= m_link[root] >> 31;
            root = Parent(root);
        }
        // Second walk: point everything on the path straight at the root.
        std::uint8_t remaining = parity;
        while (Parent(x) != x) {
            const std::uint32_t next = Parent(x);
            const std::uint8_t step = m_link[x] >> 31;
            m_link[x] = root | (std::uint32_t(remaining) << 31);
            remaining ^= step;
            x = next;
        }
        return {root, parity};
    }
    // Requires value(a) xor value(b) == parity; false on a contradiction.
    bool Join(std::uint32_t a, std::uint32_t b, std::uint8_t parity) {
        auto [ra, pa] = Find(a);
        auto [rb, pb] = Find(b);
        if (ra == rb) return (pa ^ pb) == parity;
        m_link[ra] = rb | (std::uint32_t(pa ^ pb ^ parity) << 31);
        return true;
    }

private:
    std::uint32_t Parent(std::uint32_t x) const { return m_link[x] & 0x7FFFFFFFu; }
    std::vector<std::uint32_t> m_link;
};

}  // namespace

bool FindPairClasses(const LevelGraph& g, const LevelPairs& pairs, PairClasses& classes) {
    ParityUnionFind links(static_cast<std::size_t>(pairs.Count()));
    for (int level = 0; level + 1 < g.LevelCount(); ++level) {
        const auto gap = g.EdgesBelowGap(level);
        for (std::size_t i = 0; i < gap.size(); ++i) {
            const auto& e = g.Edges()[gap[i]];
            const int le = g.RankOf(e.lower), ue = g.RankOf(e.upper);
            for (std::size_t j = i + 1; j < gap.size(); ++j) {
                const auto& f = g.Edges()[gap[j]];
                const int lf = g.RankOf(f.lower), uf = g.RankOf(f.upper);
                if (le == lf || ue == uf) continue;
                // e and f do not cross: e's ends come first on both levels or on neither.
                const std::uint8_t parity = static_cast<std::uint8_t>((le > lf) ^ (ue > uf));
                if (!links.Join(static_cast<std::uint32_t>(pairs.Index(level, le, lf)),
                             static_cast<std::uint32_t>(pairs.Index(level + 1, ue, uf)), parity))
                    return false;
            }
        }
    }
    const std::size_t n = static_cast<std::size_t>(pairs.Count());
    classes.classOf.assign(n, -1);
    classes.parityOf.assign(n, 0);
    std::vector<std::int32_t> number(n, -1);
    classes.count = 0;
    for (std::size_t p = 0; p < n; ++p) {
        auto [root, parity] = links.Find(static_cast<std::uint32_t>(p));
        if (number[root] < 0) number[root] = classes.count++;
        classes.classOf[p] = number[root];
        classes.parityOf[p] = parity;
    }
    return true;
}


bool GapsAreForests(const LevelGraph& g) {
    // Union-find over the vertices, started afresh on the two levels of every gap.
    std::vector<int> parent(g.VertexCount());
    auto find = [&](int x) {
        while (parent[x] != x) x = parent[x] = parent[parent[x]];
        return x;
    };
    for (int level = 0; level + 1 < g.LevelCount(); ++level) {
        for (int l : {level, level + 1})
            for (int v : g.Level(l)) parent[v] = v;
        for (int e : g.EdgesBelowGap(level)) {
            const int a = find(g.Edges()[e].lower), b = find(g.Edges()[e].upper);
            if (a == b) return false;
            parent[a] = b;
        }
    }
    return true;
}
