#pragma once
// An exact level planarity check for small graphs, independent of the program's methods:
// a search over the vertex orders of every level, level by level, for orders without
// crossings between adjacent levels.

#include <algorithm>
#include <optional>
#include <random>
#include <vector>

#include "level/LevelGraph.h"

// Fills the levels from the lowest, each from the left, one vertex at a time; a vertex may
// take the next place on its level when none of its edges down crosses an edge down from a
// vertex already placed to its left.
inline std::optional<LevelOrders> BruteForceLevelOrders(const LevelGraph& g) {
    struct Slot {
        int level, place;
    };
    std::vector<Slot> slots;
    for (int l = 0; l < g.LevelCount(); ++l)
        for (int s = 0; s < static_cast<int>(g.Level(l).size()); ++s) slots.push_back({l, s});
    const int n = static_cast<int>(slots.size());
    LevelOrders orders(g.LevelCount());
    for (int l = 0; l < g.LevelCount(); ++l) orders[l].assign(g.Level(l).size(), -1);
    std::vector<int> position(g.VertexCount(), -1), next(n + 1, 0);
    std::vector<bool> used(g.VertexCount(), false);
    auto fits = [&](int v, const Slot& slot) {
        for (int p : g.LowerNeighbours(v))
            for (int s = 0; s < slot.place; ++s)
                for (int q : g.LowerNeighbours(orders[slot.level][s]))
                    if (position[q] > position[p]) return false;
        return true;
    };
    int k = 0;
    while (k >= 0) {
        if (k == n) return orders;
        const Slot slot = slots[k];
        const auto& members = g.Level(slot.level);
        int& placed = orders[slot.level][slot.place];
        if (placed >= 0) {
            used[placed] = false;
            placed = -1;
        }
        int i = next[k];
        while (i < static_cast<int>(members.size()) && (used[members[i]] || !fits(members[i], slot))) ++i;
        if (i == static_cast<int>(members.size())) {
            next[k] = 0;
            --k;
            continue;
        }
        placed = members[i];
        used[placed] = true;
        position[placed] = slot.place;
        next[k] = i + 1;
        ++k;
        if (k < n) next[k] = 0;
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
