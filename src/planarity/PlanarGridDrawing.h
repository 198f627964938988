#pragma once
// Straight-line drawings of planar graphs on an integer grid, without crossings: the
// graph is embedded by the left-right test, every face is triangulated (with helper
// vertices that are dropped again), a canonical ordering is taken, and the shift method
// of de Fraysseix, Pach and Pollack places the vertices, with the linear-time offsets of
// Chrobak and Payne.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "planarity/LeftRightPlanarity.h"

struct GridPoint {
    std::int64_t x = 0, y = 0;
    bool operator==(const GridPoint&) const = default;
};

struct PlanarGridDrawing {
    std::vector<GridPoint> m_points; // per vertex; x grows to the right, y downwards
    std::int64_t m_width = 0;        // largest x and y used; the smallest are 0
    std::int64_t m_height = 0;
};

//! The width no drawing of n vertices goes below: a component of k vertices takes at least
//! k / 2 columns with the gap after it.
constexpr std::int64_t PlanarWidthAtLeast(std::int32_t n) { return n / 2 - 1; }

//! Nothing when the graph on 0..n-1 is not planar. Otherwise every connected component
//! drawn without crossings on the grid, the components side by side from left to right
//! in the order of their smallest vertex, tops aligned at y = 0. Edges must be simple.
//! A planar graph whose drawing is known to be wider than `widthLimit` before it is made
//! gets no points, only a width over the limit (a lower bound of the real one).
std::optional<PlanarGridDrawing> DrawPlanarOnGrid(std::int32_t n, std::span<const PlanarEdge> edges,
                                                  std::int64_t widthLimit = INT64_MAX);
