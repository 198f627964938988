#pragma once
// A copy of part of the graph made only to look at its shape: vertices and edges as indices,
// every adjacency list in the order that copying the elements themselves would give it.
// The classification used to copy elements for this; making a ShapeCopy uses up as many
// element ids as that did, so the ids of later elements stay the same.

#include <cstddef>
#include <vector>

class CVertex;
class CEdge;

class ShapeCopy {
public:
    // A copy of document vertices and the edges that leave them as first end.
    explicit ShapeCopy(const std::vector<CVertex*>& vertices);
    // A copy of the live vertices of another copy, the same way.
    explicit ShapeCopy(const ShapeCopy& source, int /*tag: a copy of a copy*/);
    ShapeCopy(const ShapeCopy&) = delete;
    ShapeCopy& operator=(const ShapeCopy&) = delete;

    // Removes the first isolated vertex if there is one, otherwise every leaf with its edge.
    void RemoveLeavesOnce();

    // Live vertices in list order.
    const std::vector<int>& Vertices() const { return m_live; }
    const std::vector<int>& EdgesOf(int v) const { return m_vertices[v].adj; }
    std::size_t Degree(int v) const { return m_vertices[v].adj.size(); }
    int Other(int e, int v) const { return m_edges[e].a == v ? m_edges[e].b : m_edges[e].a; }

    // The vertex or edge this one was copied from in the source copy; -1 when the source
    // is the document.
    int SourceVertex(int v) const { return m_vertices[v].source; }
    int SourceEdge(int e) const { return m_edges[e].source; }
    // The document element at the start of the chain of copies.
    CVertex* DocVertex(int v) const { return m_vertices[v].doc; }
    CEdge* DocEdge(int e) const { return m_edges[e].doc; }

private:
    struct Vertex {
        CVertex* doc;
        int source;
        std::vector<int> adj;
    };
    struct Edge {
        int a, b; // first and second end
        CEdge* doc;
        int source;
    };
    // Edges created from a vertex first go into its own list; the far ends take theirs in
    // creation order once every vertex is copied.
    void AddFarEnds(const std::vector<int>& farEnds);

    std::vector<Vertex> m_vertices;
    std::vector<Edge> m_edges;
    std::vector<int> m_live;
};
