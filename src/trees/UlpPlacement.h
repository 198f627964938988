#pragma once
// The ULP tree layouts drawn into the document: the extracted component (m_compVertices,
// m_compEdges) becomes a light tree, the layout runs on it, and its placements are written
// back through PlaceAt in the active editor view, element by element, with the animation
// pause after each placement.

#include <cstdint>
#include <vector>

#include "trees/UlpLayout.h"

class CLattixDoc;
class CLattixView;
class CVertex;
class CEdge;
struct AlgorithmWorkspace;

// The extracted component as a light tree: vertices in list order, edges in list order,
// each vertex's edges in its adjacency order. Edges that leave the component are left out.
struct ComponentTree {
    UlpTree tree;
    std::vector<CVertex*> vertices;
    std::vector<CEdge*> edges;
};
ComponentTree LightTreeOfComponent(const CLattixDoc& doc);

// Each returns the largest centre x it produced, or x0 when the active view is not an
// editor view or the tree is not of the layout's shape. The 3-spider moves right when its
// left side would otherwise reach keepRightOf (the tree before it).
std::int32_t DrawCaterpillar(AlgorithmWorkspace& ws, std::int32_t x0);
std::int32_t DrawRadius2Star(AlgorithmWorkspace& ws, std::int32_t x0);
std::int32_t Draw3Spider(AlgorithmWorkspace& ws, std::int32_t x0, std::int32_t keepRightOf = INT32_MIN);

// Saturating conversion for coordinates computed in 64 bits.
std::int32_t ClampToInt32(std::int64_t value);
