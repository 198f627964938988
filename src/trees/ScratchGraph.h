#pragma once
// Scratch copies of parts of the graph that the classification works on without
// touching the document. Copies are made with the ordinary element constructors, so
// they take element ids like any new element.

#include <vector>

class CVertex;
class CEdge;

struct ScratchGraph {
    std::vector<CVertex*> vertices;
    std::vector<CEdge*> edges;

    ScratchGraph() = default;
    ScratchGraph(const ScratchGraph&) = delete;
    ScratchGraph& operator=(const ScratchGraph&) = delete;
    ~ScratchGraph() { Clear(); }

    // Deletes every scratch edge, then every scratch vertex, and forgets the links
    // that the copied elements had to them.
    void Clear();
};

// Copies `vertices` and the edges among them into `out` (emptied first): each copy is a
// clone named after its source with a "'" appended, linked to it both ways (m_copy,
// m_source); each edge becomes a black scratch edge between the copies, linked both ways.
void CopyComponent(const std::vector<CVertex*>& vertices, ScratchGraph& out);

// Removes the leaves of a scratch graph once: the first isolated vertex alone if there is
// one, otherwise every vertex of degree 1 with its edge.
void RemoveLeavesOnce(ScratchGraph& g);

// Deletes one scratch vertex (which must have no edges left) and unlinks it from its source.
void DeleteScratchVertex(CVertex* v);
