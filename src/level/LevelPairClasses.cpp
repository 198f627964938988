// The classes of the order constraints and the quick rejections that need no search.

#include "level/LevelPairClasses.h"

#include <numeric>

ParityUnionFind::ParityUnionFind(std::size_t n) : m_link(n), m_rank(n, 0) {
    std::iota(m_link.begin(), m_link.end(), std::uint32_t{0});
}

std::uint32_t ParityUnionFind::Find(std::uint32_t x, std::uint8_t& parity) {
    std::uint32_t root = x;
    parity = 0;
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
    return root;
}

bool ParityUnionFind::Join(std::uint32_t a, std::uint32_t b, std::uint8_t parity) {
    std::uint8_t pa, pb;
    const std::uint32_t ra = Find(a, pa), rb = Find(b, pb);
    if (ra == rb) return (pa ^ pb) == parity;
    // Union by rank keeps the paths short: graphs with many more constraints than pairs
    // find the same roots over and over.
    const std::uint32_t bit = std::uint32_t(pa ^ pb ^ parity) << 31;
    if (m_rank[ra] < m_rank[rb]) {
        m_link[ra] = rb | bit;
    } else {
        m_link[rb] = ra | bit;
        if (m_rank[ra] == m_rank[rb]) ++m_rank[ra];
    }
    return true;
}

bool ParityUnionFind::Flush() {
    bool ok = true;
    for (int k = 0; k < m_pendingCount; ++k)
        ok &= Join(m_pending[k].first, m_pending[k].second & 0x7FFFFFFFu,
                   static_cast<std::uint8_t>(m_pending[k].second >> 31));
    m_pendingCount = 0;
    return ok;
}

void ParityUnionFind::PrepareNumbering() {
    Flush();
    const std::size_t n = m_link.size();
    std::uint8_t parity;
    for (std::size_t x = 0; x < n; ++x) Find(static_cast<std::uint32_t>(x), parity);
    m_root.assign(n, false);
    m_numbered.assign(n, false);
    for (std::size_t x = 0; x < n; ++x) m_root[x] = Parent(static_cast<std::uint32_t>(x)) == x;
}

// Every non-root points straight at its root. A root, once its class has a number, holds
// that number and its own parity relative to the class's first pair, which is just what it
// must hold in the end; a pair that is not a root takes its root's number, its parity
// combined with the root's.
void ParityUnionFind::Number(std::uint32_t p, std::int32_t& count) {
    if (m_root[p]) {
        if (!m_numbered[p]) {
            m_link[p] = static_cast<std::uint32_t>(count++);
            m_numbered[p] = true;
        }
        return;
    }
    const std::uint32_t root = Parent(p), parity = m_link[p] >> 31;
    if (!m_numbered[root]) {
        m_link[root] = static_cast<std::uint32_t>(count++) | (parity << 31);
        m_numbered[root] = true;
    }
    m_link[p] = (m_link[root] & 0x7FFFFFFFu) | ((parity ^ (m_link[root] >> 31)) << 31);
}

namespace {

// Joins the crossing equations of every gap; false on the first contradiction.
bool JoinEquations(const LevelGraph& g, const LevelPairs& pairs, ParityUnionFind& links) {
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
                if (!links.JoinSoon(static_cast<std::uint32_t>(pairs.Index(level, le, lf)),
                                    static_cast<std::uint32_t>(pairs.Index(level + 1, ue, uf)), parity))
                    return false;
            }
        }
    }
    return links.Flush();
}

} // namespace

bool FindPairClasses(const LevelGraph& g, const LevelPairs& pairs, PairClasses& classes) {
    ParityUnionFind links(static_cast<std::size_t>(pairs.Count()));
    if (!JoinEquations(g, pairs, links)) return false;
    classes = links.TakeClasses([&](auto visit) {
        for (std::int64_t p = 0; p < pairs.Count(); ++p) visit(static_cast<std::uint32_t>(p));
    });
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

bool LevelPlanarByEquations(const LevelGraph& g) {
    if (!GapsAreForests(g)) return false;
    const LevelPairs pairs(g);
    ParityUnionFind links(static_cast<std::size_t>(pairs.Count()));
    return JoinEquations(g, pairs, links);
}
