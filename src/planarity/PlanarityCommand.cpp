// "&Planarity Testing": components, blocks, st-numbers, one PQ-tree test per block.

#include "model/LattixDoc.h"
#include "planarity/BlockGraph.h"
#include "planarity/Blocks.h"
#include "planarity/LeftRightPlanarity.h"
#include "planarity/PQtree.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace {

// Fills m_allVertices and m_allEdges from the element list; false at the first bend.
bool CollectElements(CLattixDoc& doc) {
    doc.m_allVertices.clear();
    doc.m_allEdges.clear();
    for (CElement* element : doc.m_elements) {
        if (CVertex* v = element->AsVertex()) {
            if (v->m_isBend) return false;
            doc.m_allVertices.push_back(v);
        } else {
            CEdge* e = element->AsEdge();
            if ((e->m_v1 && e->m_v1->m_isBend) || (e->m_v2 && e->m_v2->m_isBend)) return false;
            doc.m_allEdges.push_back(e);
        }
    }
    return true;
}

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

// Positions of the vertices in m_allVertices, looked up by address: an open-addressing
// table, as the lookups of every edge's two ends dominate the test's set-up otherwise.
class VertexPositions {
public:
    explicit VertexPositions(const std::vector<CVertex*>& vertices) {
        std::size_t capacity = 16;
        while (capacity < 2 * vertices.size()) capacity *= 2;
        m_mask = capacity - 1;
        m_slots.assign(capacity, {nullptr, -1});
        for (std::size_t i = 0; i < vertices.size(); ++i) {
            std::size_t h = Hash(vertices[i]);
            while (m_slots[h].first && m_slots[h].first != vertices[i]) h = (h + 1) & m_mask;
            m_slots[h] = {vertices[i], static_cast<std::int32_t>(i)};
        }
    }
    // The position of v, or -1 when it is not among the vertices.
    std::int32_t Of(const CVertex* v) const {
        for (std::size_t h = Hash(v);; h = (h + 1) & m_mask) {
            if (m_slots[h].first == v) return m_slots[h].second;
            if (!m_slots[h].first) return -1;
        }
    }

private:
    std::size_t Hash(const CVertex* v) const {
        return static_cast<std::size_t>((reinterpret_cast<std::uintptr_t>(v) >> 4) * 0x9E3779B97F4A7C15ull >> 17) &
               m_mask;
    }
    std::vector<std::pair<const CVertex*, std::int32_t>> m_slots;
    std::size_t m_mask = 0;
};

// The verdict of the left-right test, without blocks or st-numbers. Loops do not change
// planarity and are left out.
bool TestLeftRight(const CLattixDoc& doc) {
    const VertexPositions index(doc.m_allVertices);
    std::vector<PlanarEdge> edges;
    edges.reserve(doc.m_allEdges.size());
    for (const CEdge* e : doc.m_allEdges) {
        if (e->IsSelfLoop()) continue;
        const std::int32_t a = index.Of(e->m_v1), b = index.Of(e->m_v2);
        if (a < 0 || b < 0) throw PlanarityError("an edge ends outside the graph");
        edges.push_back({a, b});
    }
    return TestPlanarityLR(static_cast<std::int32_t>(doc.m_allVertices.size()), edges);
}

} // namespace

void CLattixDoc::OnPlanarityTesting() { RunPlanarityTesting(true); }

void CLattixDoc::RunPlanarityTesting(bool recordSnapshots) { RunPlanarityTesting(recordSnapshots ? PlanarityMethod::Recorded : PlanarityMethod::PqTree); }

void CLattixDoc::RunPlanarityTesting(PlanarityMethod method) {
    const bool recordSnapshots = method == PlanarityMethod::Recorded;
    if (HasBends()) {
        if (!Platform().AskOkCancel("The operation will remove bends")) return;
        RemoveAllBends();
    }
    if (!CollectElements(*this)) return;
    if (!IsSimple()) {
        Platform().ShowMessage("The graph is not simple.");
        RepaintAllViews();
        return;
    }
    if (m_directed) {
        Platform().ShowMessage("The graph is not undirected.");
        RepaintAllViews();
        return;
    }
    bool planar = false;
    try {
        planar = method == PlanarityMethod::LeftRight ? TestLeftRight(*this) : TestAllBlocks(*this, recordSnapshots);
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
