#pragma once
// The checks every planarity command runs first: bends (asked about, then removed), the
// vertex and edge lists in one pass, repeated pairs, direction. What passes is the
// document's graph by list positions, ready for the document-free tests.

#include <cstdint>
#include <optional>
#include <vector>

#include "planarity/LeftRightPlanarity.h"

class CLattixDoc;

struct PlanarInput {
    // Vertex i is m_allVertices[i]; edge j joins the positions of the ends of
    // m_allEdges[SourceOf(j)]. Loops, which neither make a graph non-planar nor have a
    // straight drawing, are left out.
    std::vector<PlanarEdge> m_edges;
    // Empty while no loop was left out: the edges are then m_allEdges in order, and a
    // table of a million positions would only stand beside the test's own arrays.
    std::vector<std::int32_t> m_source;
    std::int32_t SourceOf(std::size_t j) const { return m_source.empty() ? static_cast<std::int32_t>(j) : m_source[j]; }
    // False when an edge ends outside the vertex list (a fault of this program); the
    // edges are then empty.
    bool m_complete = true;
    // True when bends were removed first: the drawing changed, not only the verdict.
    bool m_bendsRemoved = false;
};

// What a bend vertex that removal left in place means: the end of the command without a
// word, or an ordinary vertex.
enum class LeftoverBends { Stop, AsVertices };

//! Fills m_allVertices and m_allEdges and returns the graph, or shows why not ("The graph
//! is not simple.", "The graph is not undirected.") and returns nothing; nothing too when
//! the user declines the removal of bends.
std::optional<PlanarInput> RunPlanarPreamble(CLattixDoc& doc, LeftoverBends leftover);
