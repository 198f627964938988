#pragma once
// The classification of ULP Recognition Mode on a light graph, without a document: the
// class of every component, as the mode counts them, by the mode's rules on the light
// graph itself.

#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "graph/LightGraph.h"

enum class TreeClass {
    NotATree,
    Caterpillar,
    Radius2Star,
    Spider3,
    OtherTree, // a tree of none of the three classes, or a level-assigned tree that is no caterpillar
};

// Components are numbered as ComponentLabels numbers them. `tracks` holds every vertex's
// track (all different when empty); vertices sharing a track make a level-assigned tree,
// of which only caterpillars count. Empty for a graph that is not simple, as the mode then
// counts nothing.
std::vector<TreeClass> ClassifyComponents(const LightGraph& g, std::span<const std::int32_t> tracks = {});

// The ULP class of one tree given by its edges on vertices 0..n-1, by the same tests as
// ULP Recognition Mode in the same order (caterpillar, radius-2 star, 3-spider).
enum class UlpTreeClass { Caterpillar, Radius2Star, Spider3, None };

UlpTreeClass ClassifyTree(int n, const std::vector<std::pair<int, int>>& edges);

// "caterpillar", "radius-2 star", "3-spider" or "none".
std::string_view UlpTreeClassName(UlpTreeClass c);
