#pragma once
// The ULP tree layouts without a document: a light tree goes in, the placements come out
// in drawing order, each as a column (relative to an origin the caller picks) and the
// edge it reveals. Every placement is one animation step. Tracks stay the tree's own;
// the caller turns columns and tracks into positions.

#include <cstdint>
#include <utility>
#include <vector>

struct UlpTree {
    std::int32_t vertexCount = 0;
    std::vector<std::pair<std::int32_t, std::int32_t>> edges; // first end, second end
    std::vector<std::int32_t> tracks;
    // The edges at every vertex in the order the layouts walk them: the drawing's own
    // adjacency order, which need not be the order of `edges`.
    std::vector<std::vector<std::int32_t>> incidence;

    // A tree whose adjacency order follows the order of its edges.
    static UlpTree FromEdges(std::int32_t n, std::vector<std::pair<std::int32_t, std::int32_t>> edges,
                             std::vector<std::int32_t> tracks);
    std::int32_t Other(std::int32_t e, std::int32_t v) const {
        return edges[e].first == v ? edges[e].second : edges[e].first;
    }
    std::size_t Degree(std::int32_t v) const { return incidence[v].size(); }
};

struct UlpStep {
    std::int32_t vertex;
    std::int64_t column;
    std::int32_t via = -1; // the edge drawn with it, -1 for none
    bool operator==(const UlpStep&) const = default;
};

struct UlpLayout {
    bool drawn = false; // false: the tree has no shape this layout draws and stays as it is
    std::vector<UlpStep> steps;
    // The 3-spider: smallest column used (0 when nothing lies left of the centre).
    std::int64_t leftmost = 0;
};

// Spine left to right, one column per spine vertex, its leaves in the columns after it;
// columns count from 1.
UlpLayout CaterpillarLayoutOf(const UlpTree& tree);
// Centre in column k, legs that climb (and plain leaves) to its left, the others right.
UlpLayout Radius2StarLayoutOf(const UlpTree& tree);
// Centre in column 0, the legs as the spider plan places them. An edge between tracks
// further apart than one is meant to run through bends on the tracks between, standing in
// the column of its outer end (see BendsBetweenTracks).
UlpLayout SpiderLayoutOf(const UlpTree& tree);
