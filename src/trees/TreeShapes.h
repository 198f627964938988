#pragma once
// The three ULP tree classes tested on a light tree, by the same rules as ULP Recognition
// Mode: `adj` lists the neighbours of each vertex 0..n-1 of one tree.

#include <vector>

using TreeAdjacency = std::vector<std::vector<int>>;

//! Every vertex of degree three or more has at most two neighbours that are not leaves.
bool IsCaterpillarShape(const TreeAdjacency& adj);
//! Removing the leaves once leaves a star (two or more rays) whose centre is the only
//! vertex of the tree not of degree two among those left.
bool IsRadius2StarShape(const TreeAdjacency& adj);
//! Exactly one vertex of degree three and none of more.
bool Is3SpiderShape(const TreeAdjacency& adj);
