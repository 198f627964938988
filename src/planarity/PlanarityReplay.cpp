// The block loop of the PQ-tree test, and its run over a light graph on elements of its own.

#include "planarity/PlanarityReplay.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "graph/ComponentLabels.h"
#include "model/Element.h"
#include "planarity/BlockGraph.h"
#include "planarity/Blocks.h"
#include "planarity/ElementGraph.h"
#include "planarity/PQtree.h"

bool TestAllBlocks(const std::vector<CVertex*>& allVertices, const std::vector<CEdge*>& allEdges,
                   std::vector<CVertex*>& compVertices, std::vector<CEdge*>& blockEdges,
                   std::vector<PQtreePtr>* sink) {
    const bool record = sink != nullptr;
    const ElementGraph g = BuildElementGraph(allVertices, allEdges);
    for (const auto& [a, b] : g.ends)
        if (a < 0 || b < 0) throw PlanarityError("an edge ends outside the graph");
    // Components numbered as CountComponents numbers them, each with its vertices and
    // edges in list order, from one pass each.
    const std::int32_t n = g.VertexCount();
    const std::vector<std::int32_t> componentOf = ComponentLabels(LightGraph{n, g.ends});
    const std::int32_t components = n == 0 ? 0 : *std::max_element(componentOf.begin(), componentOf.end()) + 1;
    std::vector<std::int32_t> vertexStart(components + 1, 0), edgeStart(components + 1, 0);
    for (const std::int32_t c : componentOf) ++vertexStart[c + 1];
    for (const auto& ends : g.ends) ++edgeStart[componentOf[ends.first] + 1];
    for (std::int32_t c = 0; c < components; ++c) {
        vertexStart[c + 1] += vertexStart[c];
        edgeStart[c + 1] += edgeStart[c];
    }
    std::vector<std::int32_t> vertices(n), edges(g.EdgeCount());
    {
        std::vector<std::int32_t> fill(vertexStart.begin(), vertexStart.end() - 1);
        for (std::int32_t v = 0; v < n; ++v) vertices[fill[componentOf[v]]++] = v;
        fill.assign(edgeStart.begin(), edgeStart.end() - 1);
        for (std::int32_t e = 0; e < g.EdgeCount(); ++e) edges[fill[componentOf[g.ends[e].first]]++] = e;
    }

    BlockSearch search(g);
    ComponentBlocks sorted(g);
    BlockGraph block;
    for (std::int32_t c = 0; c < components; ++c) {
        const std::span<const std::int32_t> compVertexIds(vertices.data() + vertexStart[c],
                                                          vertices.data() + vertexStart[c + 1]);
        const std::span<const std::int32_t> compEdgeIds(edges.data() + edgeStart[c], edges.data() + edgeStart[c + 1]);
        compVertices.clear();
        for (const std::int32_t v : compVertexIds) compVertices.push_back(g.vertices[v]);
        const std::int32_t blocks = search.Run(compVertexIds);
        sorted.Split(search, compVertexIds, compEdgeIds, blocks);
        for (std::int32_t k = 0; k < blocks; ++k) {
            sorted.Build(k, blockEdges, compVertices, block);
            if (!StNumberBlock(block)) throw PlanarityError("a block has no st-numbering");
            if (!CPQtree::TestBlock(sink, block, {record, record})) return false;
        }
    }
    return true;
}

namespace {

// adjacency[v] lists each edge of v exactly once (the graph is simple: no loops).
bool ListsEveryEdgeOnce(const LightGraph& g, std::span<const std::vector<std::int32_t>> adjacency) {
    if (adjacency.size() != static_cast<std::size_t>(g.vertexCount)) return false;
    std::vector<std::int32_t> degree(g.vertexCount, 0), seenBy(g.edges.size(), -1);
    for (const auto& [a, b] : g.edges) {
        ++degree[a];
        ++degree[b];
    }
    for (std::int32_t v = 0; v < g.vertexCount; ++v) {
        if (static_cast<std::int32_t>(adjacency[v].size()) != degree[v]) return false;
        for (const std::int32_t e : adjacency[v]) {
            if (e < 0 || e >= static_cast<std::int32_t>(g.edges.size()) || seenBy[e] == v) return false;
            if (g.edges[e].first != v && g.edges[e].second != v) return false;
            seenBy[e] = v;
        }
    }
    return true;
}

// Vertices and edges that belong to no document: no ids taken, adjacency as given or in
// edge order.
struct RunElements {
    std::vector<std::unique_ptr<CVertex>> vertexStore;
    std::vector<std::unique_ptr<CEdge>> edgeStore;
    std::vector<CVertex*> vertices;
    std::vector<CEdge*> edges;

    RunElements(const LightGraph& g, std::span<const std::string> names,
                std::span<const std::vector<std::int32_t>> adjacency) {
        for (std::int32_t v = 0; v < g.vertexCount; ++v) {
            vertexStore.push_back(std::make_unique<CVertex>());
            vertexStore.back()->m_name = names.empty() ? std::to_string(v) : names[v];
            vertices.push_back(vertexStore.back().get());
        }
        for (const auto& [a, b] : g.edges) {
            edgeStore.push_back(std::make_unique<CEdge>());
            CEdge* e = edgeStore.back().get();
            e->m_v1 = vertices[a];
            e->m_v2 = vertices[b];
            vertices[a]->m_edges.push_back(e);
            vertices[b]->m_edges.push_back(e);
            edges.push_back(e);
        }
        if (!adjacency.empty())
            for (std::size_t v = 0; v < vertices.size(); ++v)
                for (std::size_t i = 0; i < adjacency[v].size(); ++i) vertices[v]->m_edges[i] = edges[adjacency[v][i]];
    }
    // Torn down at once: no edge unregisters itself from its ends.
    ~RunElements() {
        for (CEdge* e : edges) e->ForgetEndpoints();
        for (CVertex* v : vertices) v->m_edges.clear();
    }
};

} // namespace

std::optional<PlanarityReplay> ReplayPlanarity(const LightGraph& g, std::span<const std::string> names, bool record,
                                               std::span<const std::vector<std::int32_t>> adjacency) {
    if (g.vertexCount < 0 || !g.Valid() || !g.Simple()) return std::nullopt;
    if (!names.empty() && names.size() != static_cast<std::size_t>(g.vertexCount)) return std::nullopt;
    if (!adjacency.empty() && !ListsEveryEdgeOnce(g, adjacency)) return std::nullopt;
    const RunElements run(g, names, adjacency);
    PlanarityReplay result;
    std::vector<CVertex*> compVertices;
    std::vector<CEdge*> blockEdges;
    result.planar = TestAllBlocks(run.vertices, run.edges, compVertices, blockEdges, record ? &result.snapshots : nullptr);
    result.stNumbers.reserve(run.vertices.size());
    for (const CVertex* v : run.vertices) result.stNumbers.push_back(v->m_stNumber);
    return result;
}
