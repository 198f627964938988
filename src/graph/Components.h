#pragma once
// Connected components of the document's graph.

#include <cstdint>
#include <vector>

class CLattixDoc;
class CVertex;
class CEdge;

// Fills m_compVertices and m_compEdges component by component, with the same result as
// CLattixDoc::ExtractComponent, but from buckets made in one pass over the elements, so
// that a loop over all components stays linear. Valid while the elements and their
// component labels stay as they were when it was built.
class ComponentExtractor {
public:
    ComponentExtractor(CLattixDoc& doc, std::int32_t componentCount);
    // The same from lists of all vertices and all edges, each in element order (as
    // CLattixDoc::RebuildAllLists makes them), without walking the element list again.
    ComponentExtractor(CLattixDoc& doc, std::int32_t componentCount, const std::vector<CVertex*>& vertices,
                       const std::vector<CEdge*>& edges);
    bool Extract(std::int32_t k);

private:
    CLattixDoc& m_doc;
    std::vector<std::vector<CVertex*>> m_vertices;
    std::vector<std::vector<CEdge*>> m_edges;
};
