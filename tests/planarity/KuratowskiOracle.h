#pragma once
// Planarity of small graphs decided without PQ-trees: by Kuratowski's theorem a graph is
// planar exactly when it contains no subdivision of K5 or K3,3, and for a handful of
// vertices the subdivisions can be searched for exhaustively.

#include <utility>
#include <vector>

using EdgeList = std::vector<std::pair<int, int>>;

// Vertices are 0..n-1; loops and repeated edges are ignored. Meant for n up to about 10.
bool IsPlanarByKuratowski(int n, const EdgeList& edges);
