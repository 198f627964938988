#pragma once
// An exact level planarity check for small graphs, independent of the program's methods:
// a search over the vertex orders of every level, level by level, for orders without
// crossings between adjacent levels.

#include <algorithm>
#include <optional>
#include <random>
#include <vector>

#include "level/LevelGraph.h"

inline bool CrossesBelow(const LevelGraph& g, int level, const std::vector<int>& position) {
    const auto gap = g.EdgesBelowGap(level);
    for (std::size_t i = 0; i < gap.size(); ++i)
        for (std::size_t j = i + 1; j < gap.size(); ++j) {
            const auto& e = g.Edges()[gap[i]];
            const auto& f = g.Edges()[gap[j]];
            const long a = position[e.lower] - position[f.lower];
            const long b = position[e.upper] - position[f.upper];
            if (a * b < 0) return true;
        }
    return false;
}

inline std::optional<LevelOrders> BruteForceLevelOrders(const LevelGraph& g) {
    const int levels = g.LevelCount();
    LevelOrders orders = g.Levels();
    for (auto& level : orders) std::sort(level.begin(), level.end());
    std::vector<int> position(g.VertexCount(), 0);
    auto place = [&](int level) {
        for (int r = 0; r < static_cast<int>(orders[level].size()); ++r) position[orders[level][r]] = r;
    };
    if (levels == 0) return orders;
    // fresh[level]: the level's order has not been tried yet.
    std::vector<bool> fresh(levels, true);
    int level = 0;
    while (level >= 0) {
        bool found = false;
        for (;;) {
            if (fresh[level]) {
                fresh[level] = false;
            } else if (!std::next_permutation(orders[level].begin(), orders[level].end())) {
                break; // next_permutation left the level sorted again
            }
            place(level);
            if (level == 0 || !CrossesBelow(g, level - 1, position)) {
                found = true;
                break;
            }
        }
        if (!found) {
            fresh[level] = true;
            --level;
            continue;
        }
        if (level + 1 == levels) return orders;
        ++level;
    }
    return std::nullopt;
}

// A random level graph: `levels` levels of 1..maxWidth vertices with random x, and each
// possible edge between adjacent levels with probability p.
inline LevelGraph RandomLevelGraph(std::mt19937& rng, int levels, int maxWidth, double p) {
    LevelGraph g;
    std::vector<std::vector<int>> members(levels);
    std::uniform_int_distribution<int> width(1, maxWidth), x(0, 1000);
    for (int l = 0; l < levels; ++l) {
        const int w = width(rng);
        for (int i = 0; i < w; ++i) members[l].push_back(g.AddVertex(l, x(rng)));
    }
    std::bernoulli_distribution coin(p);
    for (int l = 0; l + 1 < levels; ++l)
        for (int a : members[l])
            for (int b : members[l + 1])
                if (coin(rng)) g.AddEdge(a, b);
    g.Finish();
    return g;
}
