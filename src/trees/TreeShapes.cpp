#include "trees/TreeShapes.h"

#include <algorithm>

bool IsCaterpillarShape(const TreeAdjacency& adj) {
    for (const auto& around : adj) {
        if (around.size() <= 2) continue;
        const auto leaves = std::count_if(around.begin(), around.end(), [&](int w) { return adj[w].size() < 2; });
        // At most two neighbours may be more than leaves: they continue the spine.
        if (around.size() - static_cast<std::size_t>(leaves) > 2) return false;
    }
    return true;
}

bool IsRadius2StarShape(const TreeAdjacency& adj) {
    std::size_t largest = 0;
    for (const auto& around : adj) largest = std::max(largest, around.size());
    if (largest < 3) return false;
    // What is left once the leaves are gone: a subtree, whose own leaves are its vertices
    // with a single neighbour left in it.
    std::vector<int> inner;
    for (int v = 0; v < static_cast<int>(adj.size()); ++v)
        if (adj[v].size() >= 2) inner.push_back(v);
    std::size_t notMiddle = 0;
    int remembered = -1;
    for (int v : inner)
        if (adj[v].size() != 2) {
            ++notMiddle;
            remembered = v;
        }
    // Removing leaves again must leave one vertex: the inner part is a star of two rays or
    // more (a single vertex goes as isolated, two joined vertices both go as leaves).
    if (inner.size() < 3) return false;
    std::vector<int> left;
    for (int v : inner) {
        const auto innerNeighbours =
            std::count_if(adj[v].begin(), adj[v].end(), [&](int w) { return adj[w].size() >= 2; });
        if (innerNeighbours >= 2) left.push_back(v);
    }
    return left.size() == 1 && notMiddle == 1 && left.front() == remembered;
}

bool Is3SpiderShape(const TreeAdjacency& adj) {
    std::size_t largest = 0, degreeThree = 0;
    for (const auto& around : adj) {
        largest = std::max(largest, around.size());
        if (around.size() == 3) ++degreeThree;
    }
    return largest == 3 && degreeThree == 1;
}
