#pragma once
// Biconnected blocks and st-numbers of the planarity test.

#include <cstdint>
#include <stdexcept>
#include <vector>

class CVertex;
class CEdge;
struct BlockGraph;

// Raised when the planarity machinery meets a state that its own earlier steps cannot
// produce (an st-numbering that is not one, a tree that lost its parent links).
struct PlanarityError : std::logic_error {
    using std::logic_error::logic_error;
};

// The block search from the first of `vertices` (a whole component): every edge of
// `resetEdges` first loses its block label (m_block = -1), then every edge reached gets
// the index of its block, in the order in which the depth-first search closes the blocks.
// m_level of each vertex becomes its DFS number (0-based). Returns the number of blocks.
std::int32_t LabelBlocks(const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& resetEdges);

// Gives the block the Even-Tarjan st-numbering that starts from its first edge {A, B}: B
// gets 1 and A the number of block vertices. The search first follows the adjacency order
// as it stands; when that does not give an st-numbering (which can happen when {A, B} is
// not the first edge of A's adjacency), it numbers again with {A, B} taken first, which
// always works on a biconnected block. Returns false only for an edge set that is not a biconnected block.
bool StNumberBlock(const BlockGraph& block);

// Whether the block's st-numbers are an st-numbering: 1..n once each, 1 and n adjacent,
// and every other vertex with a lower and a higher neighbour.
bool IsStNumbering(const BlockGraph& block);
