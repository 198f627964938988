// "&Planarity Testing": components, blocks, st-numbers, one PQ-tree test per block.

#include "model/LattixDoc.h"
#include "planarity/BlockGraph.h"
#include "planarity/Blocks.h"
#include "planarity/LeftRightPlanarity.h"
#include "planarity/PlanarPreamble.h"
#include "planarity/PQtree.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace {

// Tests every block of every component in order; false at the first non-planar block.
bool TestAllBlocks(CLattixDoc& doc, bool record) {
    const std::int32_t components = doc.CountComponents(&doc.m_allVertices);
    // Vertices and edges by component, in list order, from one pass each.
    std::vector<std::vector<CVertex*>> vertices(components);
    std::vector<std::vector<CEdge*>> edges(components);
    for (CVertex* v : doc.m_allVertices) vertices[v->m_component].push_back(v);
    for (CEdge* e : doc.m_allEdges) {
        e->m_block = -1;
        edges[e->m_v1->m_component].push_back(e);
    }
    BlockGraph block;
    for (std::int32_t c = 0; c < components; ++c) {
        // Each block search starts with every edge unlabelled; only the edges of the
        // previous component can carry labels by now.
        if (c > 0)
            for (CEdge* e : edges[c - 1]) e->m_block = -1;
        doc.m_compVertices = vertices[c];
        const std::int32_t blocks = LabelBlocks(doc.m_compVertices, {});
        ComponentBlocks sorted(vertices[c], edges[c], blocks);
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
