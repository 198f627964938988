#pragma once
// Graphs for the planarity tests: generators of planar and non-planar families, and a
// document built from an edge list.

#include <random>
#include <string>

#include "KuratowskiOracle.h"
#include "support/TestDoc.h"

// A maximal planar graph on n >= 3 vertices: a triangle, then each new vertex inside a
// random face, joined to its three corners.
EdgeList StackedTriangulation(int n, std::mt19937& rng);
// A maximal planar graph grown by adding vertices inside faces and then flipping random
// edges of the triangulation, which spreads the degrees.
EdgeList FlippedTriangulation(int n, int flips, std::mt19937& rng);
EdgeList Grid(int rows, int columns);
EdgeList Complete(int n);
EdgeList CompleteBipartite(int a, int b);
EdgeList Petersen();
// Replaces every edge by a path through `extra` new vertices (numbered from n on).
EdgeList Subdivide(const EdgeList& edges, int n, int extra, int& vertexCount);
int VertexCount(const EdgeList& edges);
void Shuffle(EdgeList& edges, std::mt19937& rng);

// Vertices v0..v(n-1) in order, then the edges in order (each in the orientation given).
void BuildDocument(TestDoc& t, int n, const EdgeList& edges);
// The verdict of the planarity command (without snapshots) on a fresh document.
bool CommandSaysPlanar(int n, const EdgeList& edges);
