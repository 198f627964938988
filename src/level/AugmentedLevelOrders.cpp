// Orders by maximal augmentation: every gap is filled with edges for as long as the crossing
// equations stay consistent, after which each gap fixes the orders of its two levels up to
// mirroring and the exchange of interchangeable leaves, and the orders are read off.
//
// Why the orders read off have no crossing:
// (1) A candidate edge is kept only when the equations stay consistent, so the graph stays
//     level planar (see LevelPlanarByEquations). A refused candidate would stay refused
//     later, equations only accumulating, so in the end no gap takes one more edge: in any
//     drawing of the augmented graph H every gap between two non-empty levels holds a
//     maximal set of non-crossing segments between two rows of points. That is a staircase,
//     a lattice path from the two leftmost vertices to the two rightmost ones, each step
//     moving on one of the levels.
// (2) The vertices of degree two or more of a staircase (its spine) form a path alternating
//     between the levels. Walking it from one end, a spine vertex makes a block of its own on
//     its level and its leaves one block on the other level, both placed when it is met. Any
//     orders that keep the blocks of both levels in this sequence, or both in its reverse,
//     each block in any order, draw the gap without crossing: for independent edges (a, b),
//     (a', b') with a left of a', a and a' are not one block (leaves of one vertex share
//     their other end), so the walk meets a' later, and so b no later than b'; and b, b' in
//     one block would be leaves of one vertex c, which makes a = a' = c.
// (3) Every drawing of a staircase is of that form: sorted from left to right, non-crossing
//     edges of a connected graph between two rows follow each other with a shared end (an
//     edge leaving the part left of two neighbours in that sort would lie between them), so
//     a drawing walks the spine forwards or backwards with each vertex's leaves between the
//     edges to its spine neighbours.
// (4) A level between two gaps needs an order that keeps both gaps' block sequences, each
//     in its gap's direction. Two block sequences are kept by one order exactly when no two
//     vertices lie in opposite order in them; sorting by (block below, block above) then
//     keeps both. Directions are chosen from the lowest gap up, each given the one below:
//     a drawing of H has directions that suit every level, turning both round suits a level
//     as well, so whichever direction the gap below took, one for the gap above suits the
//     level between, and the next level again has a choice for either.
// All of it is polynomial: per gap n_i * n_(i+1) candidates, each one join per edge of the
// gap (a forest, so fewer than n_i + n_(i+1)), each join a find of logarithmic depth.

#include "level/AugmentedLevelOrders.h"

#include <algorithm>
#include <numeric>
#include <tuple>

#include "level/LevelPairClasses.h"
#include "level/LevelPairs.h"

namespace {

// Union-find with parities whose joins can be taken back: union by rank without path
// compression, so that a join changes one link and at most one rank.
class UndoableParityUnionFind {
public:
    explicit UndoableParityUnionFind(std::size_t n) : m_link(n), m_rank(n, 0) {
        std::iota(m_link.begin(), m_link.end(), std::uint32_t{0});
    }
    // Requires value(a) xor value(b) == parity; false on a contradiction.
    bool Join(std::uint32_t a, std::uint32_t b, std::uint8_t parity) {
        std::uint8_t pa, pb;
        std::uint32_t ra = Find(a, pa), rb = Find(b, pb);
        if (ra == rb) return (pa ^ pb) == parity;
        if (m_rank[ra] > m_rank[rb]) std::swap(ra, rb);
        const bool grows = m_rank[ra] == m_rank[rb];
        m_link[ra] = rb | (std::uint32_t(pa ^ pb ^ parity) << 31);
        if (grows) ++m_rank[rb];
        m_undo.push_back({ra, grows});
        return true;
    }
    std::size_t Mark() const { return m_undo.size(); }
    void Undo(std::size_t mark) {
        while (m_undo.size() > mark) {
            const auto [x, grew] = m_undo.back();
            m_undo.pop_back();
            if (grew) --m_rank[m_link[x] & kMask];
            m_link[x] = x;
        }
    }
    void Keep() { m_undo.clear(); }

private:
    static constexpr std::uint32_t kMask = 0x7FFFFFFFu;
    std::uint32_t Find(std::uint32_t x, std::uint8_t& parity) const {
        parity = 0;
        while ((m_link[x] & kMask) != x) {
            parity ^= m_link[x] >> 31;
            x = m_link[x] & kMask;
        }
        return x;
    }
    std::vector<std::uint32_t> m_link; // parent, parity to it in the top bit
    std::vector<std::uint8_t> m_rank;
    std::vector<std::pair<std::uint32_t, bool>> m_undo; // linked root, whether its new root's rank grew
};

// Work counted in joins; `keepGoing` is asked every so many.
class Pacer {
public:
    explicit Pacer(const std::function<bool()>& keepGoing) : m_keepGoing(keepGoing) {}
    bool Spend(std::int64_t units) {
        m_spent += units;
        if (m_spent < kEvery) return true;
        m_spent = 0;
        return !m_keepGoing || m_keepGoing();
    }

private:
    static constexpr std::int64_t kEvery = 1 << 18;
    const std::function<bool()>& m_keepGoing;
    std::int64_t m_spent = 0;
};

using RankEdge = std::pair<int, int>; // ranks on the lower and the upper level

// Adds the equations of edge (a, b) of the gap above `level` with every independent edge of
// `edges`; false, with every join taken back, on a contradiction.
bool JoinEdge(const LevelPairs& pairs, UndoableParityUnionFind& links, int level, int a, int b,
              const std::vector<RankEdge>& edges) {
    const std::size_t mark = links.Mark();
    for (const auto& [c, d] : edges) {
        if (c == a || d == b) continue;
        const auto parity = static_cast<std::uint8_t>((a > c) ^ (b > d));
        if (!links.Join(static_cast<std::uint32_t>(pairs.Index(level, a, c)),
                        static_cast<std::uint32_t>(pairs.Index(level + 1, b, d)), parity)) {
            links.Undo(mark);
            return false;
        }
    }
    return true;
}

// Fills the gap above `level` up to a staircase; false when cancelled.
bool FillGap(const LevelGraph& g, const LevelPairs& pairs, UndoableParityUnionFind& links, int level,
             std::vector<RankEdge>& edges, Pacer& pacer) {
    const int na = static_cast<int>(g.Level(level).size()), nb = static_cast<int>(g.Level(level + 1).size());
    // Trees of the gap's forest, lower vertices first: an edge within one tree closes a
    // cycle of the gap, which no level planar graph has (and an edge present already has
    // both ends in one tree).
    std::vector<int> tree(na + nb);
    std::iota(tree.begin(), tree.end(), 0);
    auto root = [&](int x) {
        while (tree[x] != x) x = tree[x] = tree[tree[x]];
        return x;
    };
    for (const auto& [a, b] : edges) tree[root(a)] = root(na + b);
    const std::size_t full = static_cast<std::size_t>(na) + nb - 1;
    for (int a = 0; a < na && edges.size() < full; ++a)
        for (int b = 0; b < nb && edges.size() < full; ++b) {
            if (root(a) == root(na + b)) continue;
            if (!pacer.Spend(static_cast<std::int64_t>(edges.size()) + 1)) return false;
            if (!JoinEdge(pairs, links, level, a, b, edges)) continue;
            links.Keep();
            edges.push_back({a, b});
            tree[root(a)] = root(na + b);
        }
    return true;
}

// The blocks of a staircase's two levels in the order of a walk along its spine, by rank.
struct GapBlocks {
    std::vector<int> lower, upper;
    int lowerCount = 0, upperCount = 0;
};

bool ReadStaircase(int na, int nb, const std::vector<RankEdge>& edges, GapBlocks& blocks) {
    const int n = na + nb; // lower ranks, then upper ranks after na
    std::vector<std::vector<int>> adjacent(n);
    for (const auto& [a, b] : edges) {
        adjacent[a].push_back(na + b);
        adjacent[na + b].push_back(a);
    }
    std::vector<int> block(n, -1);
    int count[2] = {0, 0}; // lower, upper
    auto side = [&](int x) { return x < na ? 0 : 1; };
    auto spine = [&](int x) { return adjacent[x].size() >= 2; };
    int start = -1;
    for (int x = 0; x < n && start < 0; ++x)
        if (spine(x) && std::count_if(adjacent[x].begin(), adjacent[x].end(), spine) <= 1) start = x;
    if (start < 0) {
        if (n != 2 || edges.size() != 1) return false;
        block = {0, 0};
        count[0] = count[1] = 1;
    }
    for (int previous = -1, x = start; x >= 0;) {
        block[x] = count[side(x)]++;
        bool leaves = false;
        int next = -1;
        for (int y : adjacent[x]) {
            if (!spine(y)) {
                block[y] = count[side(y)];
                leaves = true;
            } else if (y != previous) {
                if (next >= 0) return false; // the spine branches
                next = y;
            }
        }
        if (leaves) ++count[1 - side(x)];
        previous = x;
        x = next;
    }
    if (std::count(block.begin(), block.end(), -1) > 0) return false;
    blocks.lower.assign(block.begin(), block.begin() + na);
    blocks.upper.assign(block.begin() + na, block.end());
    blocks.lowerCount = count[0];
    blocks.upperCount = count[1];
    return true;
}

int Directed(int block, int count, bool reversed) { return reversed ? count - 1 - block : block; }

// Orders from the staircases (see (4) above); false when some level has no order that suits
// both of its gaps.
bool OrdersFromStaircases(const LevelGraph& g, const std::vector<GapBlocks>& gaps, const std::vector<bool>& filled,
                          LevelOrders& orders) {
    const int levels = g.LevelCount();
    std::vector<bool> reversed(filled.size(), false);
    orders.assign(levels, {});
    std::vector<std::pair<int, int>> keys;
    for (int level = 0; level < levels; ++level) {
        const int w = static_cast<int>(g.Level(level).size());
        const bool below = level > 0 && filled[level - 1], above = level + 1 < levels && filled[level];
        auto keyBelow = [&](int r) {
            const GapBlocks& b = gaps[level - 1];
            return below ? Directed(b.upper[r], b.upperCount, reversed[level - 1]) : 0;
        };
        auto keyAbove = [&](int r, bool turned) {
            return above ? Directed(gaps[level].lower[r], gaps[level].lowerCount, turned) : 0;
        };
        std::vector<int> ranks(w);
        auto sortFor = [&](bool turned) {
            std::iota(ranks.begin(), ranks.end(), 0);
            std::sort(ranks.begin(), ranks.end(), [&](int x, int y) {
                return std::tuple(keyBelow(x), keyAbove(x, turned), x) < std::tuple(keyBelow(y), keyAbove(y, turned), y);
            });
            for (int i = 1; i < w; ++i)
                if (keyAbove(ranks[i - 1], turned) > keyAbove(ranks[i], turned)) return false;
            return true;
        };
        if (above) {
            reversed[level] = !sortFor(false);
            if (reversed[level] && !sortFor(true)) return false;
        } else {
            sortFor(false);
        }
        for (int r : ranks) orders[level].push_back(g.Level(level)[r]);
    }
    return true;
}

} // namespace

LevelPlanarityResult AugmentedLevelOrders(const LevelGraph& g, const std::function<bool()>& keepGoing) {
    LevelPlanarityResult result;
    if (!GapsAreForests(g)) return result;
    const int levels = g.LevelCount();
    const LevelPairs pairs(g);
    UndoableParityUnionFind links(static_cast<std::size_t>(pairs.Count()));
    Pacer pacer(keepGoing);
    std::vector<std::vector<RankEdge>> gapEdges(std::max(levels - 1, 0));
    for (int level = 0; level + 1 < levels; ++level) {
        auto& edges = gapEdges[level];
        for (int e : g.EdgesBelowGap(level)) {
            const int a = g.RankOf(g.Edges()[e].lower), b = g.RankOf(g.Edges()[e].upper);
            if (!JoinEdge(pairs, links, level, a, b, edges)) return result;
            links.Keep();
            edges.push_back({a, b});
        }
        if (!pacer.Spend(static_cast<std::int64_t>(edges.size()) * static_cast<std::int64_t>(edges.size()))) {
            result.cancelled = true;
            return result;
        }
    }
    result.planar = true;

    std::vector<GapBlocks> gaps(gapEdges.size());
    std::vector<bool> filled(gapEdges.size(), false);
    for (int level = 0; level + 1 < levels; ++level) {
        const int na = static_cast<int>(g.Level(level).size()), nb = static_cast<int>(g.Level(level + 1).size());
        if (na == 0 || nb == 0) continue;
        if (!FillGap(g, pairs, links, level, gapEdges[level], pacer)) {
            result.cancelled = true;
            return result;
        }
        filled[level] = ReadStaircase(na, nb, gapEdges[level], gaps[level]);
        if (!filled[level]) return result; // cannot happen, see (1); no orders rather than wrong ones
    }
    if (OrdersFromStaircases(g, gaps, filled, result.orders) && !HasLevelCrossing(g, result.orders)) {
        result.hasOrders = true;
    } else {
        result.orders.clear();
    }
    return result;
}

std::int64_t AugmentationWork(const LevelGraph& g) {
    std::int64_t work = 0;
    for (int level = 0; level + 1 < g.LevelCount(); ++level) {
        const std::int64_t na = static_cast<std::int64_t>(g.Level(level).size());
        const std::int64_t nb = static_cast<std::int64_t>(g.Level(level + 1).size());
        work += na * nb * (na + nb);
    }
    return work;
}
