#pragma once
// Biconnected blocks and st-numbers of the planarity test.

#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

class CVertex;
class CEdge;
struct BlockGraph;
struct ElementGraph;

// Raised when the planarity machinery meets a state that its own earlier steps cannot
// produce (an st-numbering that is not one, a tree that lost its parent links).
struct PlanarityError : std::logic_error {
    using std::logic_error::logic_error;
};

// The block search, a depth-first search with an edge stack. Its state lives in arrays over
// the indices of the graph it was made for, so one search serves every component of a run.
class BlockSearch {
public:
    explicit BlockSearch(const ElementGraph& g);

    // Searches from the first of `vertices` (vertex indices; a whole component): the m_level
    // of each of them becomes 0, then that of every vertex reached its DFS number (0-based);
    // every edge reached gets the index of its block, in the order in which the search
    // closes the blocks. Returns the number of blocks.
    std::int32_t Run(std::span<const std::int32_t> vertices);

    // By vertex index: the DFS number (-1 before the vertex is reached), the low point and
    // the vertex index of the DFS parent (-1 for the root).
    std::vector<std::int32_t> dfs, low, parent;
    // By edge index: the block; -1 for an edge in no block (so far).
    std::vector<std::int32_t> block;

private:
    const ElementGraph& m_g;
};

// The block search over `vertices` and `edges` alone (each element once), from the first
// vertex. The values are by position in the two lists.
struct BlockLabels {
    std::int32_t count = 0;
    std::vector<std::int32_t> edgeBlock;
    std::vector<std::int32_t> low, parent;
};
BlockLabels LabelBlocks(const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& edges);

// The values the st-numbering's depth-first search leaves, by local index of the block.
struct StSearch {
    std::vector<std::int32_t> dfn, low, parent;
};

// Gives the block the Even-Tarjan st-numbering that starts from its first edge {A, B}: B
// gets 1 and A the number of block vertices. The search first follows the adjacency order
// as it stands; when that does not give an st-numbering (which can happen when {A, B} is
// not the first edge of A's adjacency), it numbers again with {A, B} taken first, which
// always works on a biconnected block. Returns false only for an edge set that is not a biconnected block.
// With `search`, the values of the last search are copied there.
bool StNumberBlock(const BlockGraph& block, StSearch* search = nullptr);

// Whether the block's st-numbers are an st-numbering: 1..n once each, 1 and n adjacent,
// and every other vertex with a lower and a higher neighbour.
bool IsStNumbering(const BlockGraph& block);
