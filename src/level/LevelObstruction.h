#pragma once
// Why a level graph is not level planar: a set of its edges that cannot be drawn on their
// levels without a crossing and that can once any one of them is removed.
//
// Deletion filtering on the exact test, started from what an odd cycle of order
// constraints already shows (two edges between the same levels tie the orders of their
// ends together; a cycle of such ties that demands a pair be both kept and swapped is a
// reason in itself) and from one component that is not level planar.

#include <functional>
#include <vector>

#include "level/LevelGraph.h"

struct LevelObstruction {
    bool planar = false;
    bool cancelled = false;
    std::vector<int> groups; // ascending; empty when planar or cancelled
};

// Edges come in groups (the pieces of one long edge form one group, `groupOfEdge` by edge
// index); the obstruction is minimal as a set of groups. `keepGoing` is asked between
// tests; false cancels.
LevelObstruction FindLevelObstruction(const LevelGraph& g, const std::vector<int>& groupOfEdge,
                                      const std::function<bool()>& keepGoing = {});

// Whether the edges of the given groups alone can be drawn without crossings.
bool GroupsLevelPlanar(const LevelGraph& g, const std::vector<int>& groupOfEdge, const std::vector<int>& groups);
