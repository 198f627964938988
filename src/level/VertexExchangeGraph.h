#pragma once
// The vertex-exchange graph of a proper level graph: one vertex for every pair of vertices
// on a common level, one edge for every pair of independent edges between two such pairs,
// labelled by whether the two pairs must keep or swap their relative order.
//
// Only what the test reads of it is kept: the components, as classes of pairs with the
// parity of each pair, four bytes a pair. The edges are never stored; whoever needs a
// pair's neighbours reads them off the level graph (the neighbours of a pair (a, b) one
// level down are the pairs (c, d) of a lower neighbour c of a and d of b, c != d).
//
// Components are numbered in the order of the construction sequence, which meets the pairs
// (i, j), i < j, of a sequence of the graph's vertices; the parities are taken relative to
// the first pair of each component.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "level/LevelGraph.h"
#include "level/LevelPairs.h"

class VertexExchangeGraph {
public:
    // `sequence` lists the graph's vertices (each once); within a level it must follow the
    // level's order. Without `numbered` only the test's answer is kept, the components are
    // not numbered (ComponentCount() is 0): the numbering is as much work again as the joins.
    void Build(const LevelGraph& g, std::span<const int> sequence, bool numbered = true);

    // Both independent edge pairs between two pairs exist (a K2,2 between two adjacent
    // levels): the pairs would have to keep and swap their order at once.
    bool HasContradiction() const { return m_contradictions > 0; }
    // Some component cannot be 2-coloured: its pairs would have to keep and swap at once.
    bool HasOddCycle() const { return m_oddCycle; }

    const LevelPairs& Pairs() const { return m_pairs; }
    std::int64_t PairIndex(int level, int r1, int r2) const { return m_pairs.Index(level, r1, r2); }
    // The component of the pair with index p, and whether the pair does the opposite of the
    // component's first pair (meaningless after an odd cycle).
    std::int32_t ComponentOf(std::int64_t p) const { return m_classes.ClassOf(p); }
    std::uint8_t ParityOf(std::int64_t p) const { return m_classes.ParityOf(p); }
    std::int32_t ComponentCount() const { return m_classes.count; }
    const PairClasses& Classes() const { return m_classes; }

private:
    LevelPairs m_pairs{LevelGraph{}};
    PairClasses m_classes;
    std::int64_t m_contradictions = 0;
    bool m_oddCycle = false;
};

// The test: true when every component can be 2-coloured and, unless `asWritten`, no edge is
// contradictory.
bool TestVertexExchangeGraph(const VertexExchangeGraph& veg, bool asWritten = false);

// The orders the labels stand for: in each component the first pair keeps the order it
// had when the graph was made, the others follow by their parities. None when that is not
// transitive on some level (the vertex-exchange graph does not see transitivity).
std::optional<LevelOrders> OrdersFromLabels(const VertexExchangeGraph& veg, const LevelGraph& g);
