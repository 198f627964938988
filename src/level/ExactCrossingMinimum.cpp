#include "level/CrossingMinimizer.h"

#include <algorithm>
#include <limits>
#include <numeric>

#include "level/LayerCrossings.h"

namespace {

std::int64_t Factorial(std::size_t n) {
    std::int64_t f = 1;
    for (std::size_t i = 2; i <= n; ++i) f *= static_cast<std::int64_t>(i);
    return f;
}

} // namespace

bool ExactMinimumCrossings(const LevelGraph& g, std::int64_t budget, LevelOrders& orders, std::int64_t& crossings) {
    const int h = g.LevelCount();
    constexpr std::size_t kWidest = 9;
    std::int64_t work = 0;
    for (int l = 0; l < h; ++l)
        if (g.Level(l).size() > kWidest) return false;
    for (int l = 0; l + 1 < h; ++l) {
        work += Factorial(g.Level(l).size()) * Factorial(g.Level(l + 1).size());
        if (work > budget) return false;
    }

    // Every order of every level, as positions by rank in the level's stored order.
    std::vector<std::vector<std::vector<int>>> perms(h);
    for (int l = 0; l < h; ++l) {
        std::vector<int> p(g.Level(l).size());
        std::iota(p.begin(), p.end(), 0);
        do perms[l].push_back(p);
        while (std::next_permutation(p.begin(), p.end()));
    }
    // Dynamic programming along the levels: the crossings of a gap depend only on the
    // orders of its two levels.
    std::vector<std::vector<std::int64_t>> best(h);
    std::vector<std::vector<int>> from(h);
    best[0].assign(perms[0].size(), 0);
    from[0].assign(perms[0].size(), -1);
    LayerCrossingCounter counter;
    std::vector<std::pair<int, int>> ends;
    for (int l = 0; l + 1 < h; ++l) {
        const auto gap = g.EdgesBelowGap(l);
        const int lowerWidth = static_cast<int>(g.Level(l).size()), upperWidth = static_cast<int>(g.Level(l + 1).size());
        best[l + 1].assign(perms[l + 1].size(), std::numeric_limits<std::int64_t>::max());
        from[l + 1].assign(perms[l + 1].size(), 0);
        for (std::size_t i = 0; i < perms[l].size(); ++i) {
            const auto& lower = perms[l][i];
            for (std::size_t j = 0; j < perms[l + 1].size(); ++j) {
                const auto& upper = perms[l + 1][j];
                ends.clear();
                for (int e : gap) {
                    const auto& edge = g.Edges()[e];
                    ends.push_back({lower[g.RankOf(edge.lower)], upper[g.RankOf(edge.upper)]});
                }
                const std::int64_t total = best[l][i] + counter.Count(ends, lowerWidth, upperWidth);
                if (total < best[l + 1][j]) {
                    best[l + 1][j] = total;
                    from[l + 1][j] = static_cast<int>(i);
                }
            }
        }
    }
    orders.assign(h, {});
    if (h == 0) {
        crossings = 0;
        return true;
    }
    int choice = static_cast<int>(std::min_element(best[h - 1].begin(), best[h - 1].end()) - best[h - 1].begin());
    crossings = best[h - 1][choice];
    for (int l = h - 1; l >= 0; --l) {
        const auto& place = perms[l][choice];
        orders[l].assign(place.size(), 0);
        for (std::size_t r = 0; r < place.size(); ++r) orders[l][place[r]] = g.Level(l)[r];
        choice = from[l][choice];
    }
    return true;
}
