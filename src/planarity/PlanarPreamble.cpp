#include "planarity/PlanarPreamble.h"

#include <algorithm>

#include "graph/IndexedEdges.h"
#include "model/LattixDoc.h"

namespace {

// Fills m_allVertices and m_allEdges in element order; true when a bend is among the
// vertices. The lists a load or an edit left for the crossing count move over whole.
bool CollectElements(CLattixDoc& doc) {
    doc.MoveAllLists();
    return std::any_of(doc.m_allVertices.begin(), doc.m_allVertices.end(), [](const CVertex* v) { return v->m_isBend; });
}

} // namespace

std::optional<PlanarInput> RunPlanarPreamble(CLattixDoc& doc, LeftoverBends leftover) {
    bool bendsRemoved = false;
    if (CollectElements(doc)) {
        if (!doc.Platform().AskOkCancel("The operation will remove bends")) return std::nullopt;
        doc.RemoveAllBends();
        bendsRemoved = true;
        if (CollectElements(doc) && leftover == LeftoverBends::Stop) return std::nullopt;
    }
    IndexedEdges indexed = IndexEdges(doc.m_allVertices, doc.m_allEdges);
    // The check sees loops: two at one vertex repeat a pair.
    if (!IsSimpleGraph(doc.m_allVertices, doc.m_allEdges, indexed)) {
        doc.Platform().ShowMessage("The graph is not simple.");
        doc.RepaintAllViews();
        return std::nullopt;
    }
    if (doc.m_directed) {
        doc.Platform().ShowMessage("The graph is not undirected.");
        doc.RepaintAllViews();
        return std::nullopt;
    }
    PlanarInput input;
    input.m_complete = indexed.m_complete;
    input.m_bendsRemoved = bendsRemoved;
    if (!input.m_complete) return input;
    std::vector<VertexPair>& ends = indexed.m_ends;
    const auto firstLoop = std::find_if(ends.begin(), ends.end(), [](const VertexPair& p) { return p.first == p.second; });
    if (firstLoop != ends.end()) {
        input.m_source.reserve(ends.size());
        for (std::size_t j = 0; j < ends.size(); ++j)
            if (ends[j].first != ends[j].second) input.m_source.push_back(static_cast<std::int32_t>(j));
        ends.erase(std::remove_if(firstLoop, ends.end(), [](const VertexPair& p) { return p.first == p.second; }),
                   ends.end());
    }
    input.m_edges = std::move(indexed.m_ends);
    return input;
}
