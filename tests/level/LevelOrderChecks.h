#pragma once
// The check every order-producing level planarity method must pass.

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "level/LevelGraph.h"
#include "level/LevelPlanarityMethod.h"

// Every level of the orders is a permutation of the graph's level and no edges cross.
inline ::testing::AssertionResult ProperOrders(const LevelGraph& g, const LevelPlanarityResult& r) {
    if (!r.hasOrders) return ::testing::AssertionFailure() << "no orders";
    if (static_cast<int>(r.orders.size()) != g.LevelCount()) return ::testing::AssertionFailure() << "level count";
    for (int l = 0; l < g.LevelCount(); ++l) {
        std::vector<int> a = r.orders[l], b = g.Level(l);
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        if (a != b) return ::testing::AssertionFailure() << "level " << l << " is not a permutation";
    }
    if (HasLevelCrossing(g, r.orders)) return ::testing::AssertionFailure() << "orders cross";
    return ::testing::AssertionSuccess();
}
