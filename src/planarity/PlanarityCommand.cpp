// "&Planarity Testing": components, blocks, st-numbers, one PQ-tree test per block.

#include "model/LattixDoc.h"
#include "planarity/Blocks.h"
#include "planarity/LeftRightPlanarity.h"
#include "planarity/PlanarPreamble.h"
#include "planarity/PlanarityReplay.h"

#include <cstdint>

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
                     : TestAllBlocks(m_allVertices, m_allEdges, m_compVertices, m_blockEdges,
                                     recordSnapshots ? &m_pqTrees : nullptr);
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
