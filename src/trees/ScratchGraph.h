#pragma once
// Scratch copies of parts of the graph that SEFE Mode works on without
// touching the document. Copies are made with the ordinary element constructors, so
// they take element ids like any new element.

#include <unordered_map>
#include <vector>

class CVertex;
class CEdge;

struct ScratchGraph {
    std::vector<CVertex*> vertices; // the i-th is the copy of the i-th vertex copied
    std::vector<CEdge*> edges;
    // The document edge each scratch edge stands for. The graph owns the map so that the
    // copied elements carry no trace of the copy; a scratch edge that is deleted leaves it
    // through ForgetEdge, since its address may come back for a new edge.
    std::unordered_map<const CEdge*, CEdge*> sourceEdge;

    ScratchGraph() = default;
    ScratchGraph(const ScratchGraph&) = delete;
    ScratchGraph& operator=(const ScratchGraph&) = delete;
    ~ScratchGraph() { Clear(); }

    // The document edge a scratch edge stands for; null when none.
    CEdge* SourceOf(const CEdge* scratch) const;
    void ForgetEdge(const CEdge* scratch) { sourceEdge.erase(scratch); }

    // Deletes every scratch edge, then every scratch vertex.
    void Clear();
};

// Copies `vertices` and the edges among them into `out` (emptied first): each copy is a
// clone named after its source with a "'" appended; each edge becomes a black scratch
// edge between the copies, standing for the edge it was made from.
void CopyComponent(const std::vector<CVertex*>& vertices, ScratchGraph& out);
