#pragma once
// Connected components of the document's graph.

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

class CLattixDoc;
class CVertex;
class CEdge;

// True when the vertices' adjacency lists hold as many edge ends as the edges of the list
// have (a loop counts twice), as in a document whose edges all have both ends among the
// vertices: the edge list is then the whole adjacency, and labelling it labels the graph.
// With `touch`, the same pass flags the vertices that extracting them may change (a
// highlight to clear or a name with an underscore).
bool AdjacencyMatchesEdges(const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& edges,
                           std::vector<std::uint8_t>* touch = nullptr);

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
    // The same from the labels of the vertices by position (as ComponentLabels numbers them)
    // and the ends of the edges by position (every end in the list). `vertexTouch` and
    // `edgeTouch` (empty: all) flag the elements whose highlight or name extraction may
    // change; the others are listed without being visited. Every list is kept by reference
    // and must outlive the extractor.
    ComponentExtractor(CLattixDoc& doc, std::int32_t componentCount, const std::vector<CVertex*>& vertices,
                       const std::vector<CEdge*>& edges, std::span<const std::int32_t> labels,
                       std::span<const std::pair<std::int32_t, std::int32_t>> ends,
                       std::span<const std::uint8_t> vertexTouch = {}, std::span<const std::uint8_t> edgeTouch = {});
    bool Extract(std::int32_t k);

private:
    bool ExtractByPosition(std::int32_t k);

    CLattixDoc& m_doc;
    std::vector<std::vector<CVertex*>> m_vertices;
    std::vector<std::vector<CEdge*>> m_edges;

    // By position: the lists, and each component's positions in them (counting-sorted, so
    // in list order); a single component of every vertex takes the lists whole and needs
    // no buckets.
    bool m_byPosition = false;
    bool m_whole = false;
    std::int32_t m_count = 0;
    const std::vector<CVertex*>* m_allVertices = nullptr;
    const std::vector<CEdge*>* m_allEdges = nullptr;
    std::span<const std::int32_t> m_labels;
    std::span<const std::pair<std::int32_t, std::int32_t>> m_ends;
    std::span<const std::uint8_t> m_vertexTouch, m_edgeTouch;
    std::vector<std::int32_t> m_vertexAt, m_vertexStart, m_edgeAt, m_edgeStart;
};
