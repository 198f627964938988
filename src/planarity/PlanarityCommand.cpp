// "&Planarity Testing": components, blocks, st-numbers, one PQ-tree test per block.

#include "graph/ComponentLabels.h"
#include "model/AddressIndex.h"
#include "model/LattixDoc.h"
#include "planarity/BlockGraph.h"
#include "planarity/Blocks.h"
#include "planarity/ElementGraph.h"
#include "planarity/LeftRightPlanarity.h"
#include "planarity/PlanarPreamble.h"
#include "planarity/PQtree.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

// Tests every block of every component in order; false at the first non-planar block.
bool TestAllBlocks(CLattixDoc& doc, bool record) {
    const ElementGraph g = BuildElementGraph(doc.m_allVertices, doc.m_allEdges);
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
        const std::span<const std::int32_t> compVertices(vertices.data() + vertexStart[c],
                                                         vertices.data() + vertexStart[c + 1]);
        const std::span<const std::int32_t> compEdges(edges.data() + edgeStart[c], edges.data() + edgeStart[c + 1]);
        doc.m_compVertices.clear();
        for (const std::int32_t v : compVertices) doc.m_compVertices.push_back(g.vertices[v]);
        const std::int32_t blocks = search.Run(compVertices);
        sorted.Split(search, compVertices, compEdges, blocks);
        for (std::int32_t k = 0; k < blocks; ++k) {
            sorted.Build(k, doc.m_blockEdges, doc.m_compVertices, block);
            if (!StNumberBlock(block)) throw PlanarityError("a block has no st-numbering");
            if (!CPQtree::TestBlock(doc, block, {record, record})) return false;
        }
    }
    return true;
}

} // namespace

void CLattixDoc::OnPlanarityTesting() { RunPlanarityTesting(true); }

void CLattixDoc::RunPlanarityTesting(bool recordSnapshots) { RunPlanarityTesting(recordSnapshots ? PlanarityMethod::Recorded : PlanarityMethod::PqTree); }

void CLattixDoc::RunPlanarityTesting(PlanarityMethod method) {
    const bool recordSnapshots = method == PlanarityMethod::Recorded;
    const std::optional<PlanarInput> input = RunPlanarPreamble(*this, LeftoverBends::Stop);
    if (!input) return;
    bool planar = false;
    try {
        if (method == PlanarityMethod::LeftRight && !input->m_complete)
            throw PlanarityError("an edge ends outside the graph");
        planar = method == PlanarityMethod::LeftRight
                     ? TestPlanarityLR(static_cast<std::int32_t>(m_allVertices.size()), input->m_edges)
                     : TestAllBlocks(*this, recordSnapshots);
    } catch (const PlanarityError&) {
        // Only a fault of this program gets here; the graph is left as it was.
        Platform().ShowMessage("The planarity test failed on an internal error.", MessageIcon::Error);
        RepaintAllViews();
        return;
    }
    if (planar) {
        Platform().ShowMessage("The graph is planar.");
        m_planarResult = 1;
    } else {
        m_planarResult = 0;
        Platform().ShowMessage("The graph is non planar.");
    }
    if (m_autoCrossings) CountCrossings();
    RepaintAllViews();
}
