#include "planarity/LowerLeaves.h"

#include <algorithm>

#include "model/Element.h"
#include "planarity/PQnode.h"

void LowerLeafBuilder::Append(CNode& node, const CVertex& v, std::span<const EdgeEnd> ends, VertexLeaves& leaves,
                              std::span<const std::int32_t> stById) {
    if (++m_stamp == 0) { // the stamp wrapped: old stamps could look current
        for (Group& g : m_groups) g.stamp = 0;
        m_stamp = 1;
    }
    auto lower = [&](const EdgeEnd& end) {
        if (!stById.empty()) return stById[end.id] < v.m_stNumber;
        return end.other && end.other->m_stNumber < v.m_stNumber;
    };
    for (const EdgeEnd& end : ends) {
        if (!lower(end)) continue;
        Group& g = m_groups[end.id];
        if (g.stamp != m_stamp) g = {m_stamp, end.edge->m_edgeColor, false, false};
        else if (end.edge->m_edgeColor != g.firstColor) g.mixed = true;
    }
    for (const EdgeEnd& end : ends) {
        if (!lower(end)) continue;
        Group& g = m_groups[end.id];
        if (end.edge->m_edgeColor != g.firstColor) {
            g.passedOther = true;
            continue;
        }
        // Edges of the first colour before the first change of colour get leaves; those
        // of a group whose colours change are marked as class 2.
        if (g.passedOther) continue;
        std::vector<CNode*>& list = stById.empty() ? leaves.Of(end.other) : leaves[end.id];
        node.AppendChild(new CLeafnode(end.other, g.mixed ? 2 : 0, list));
    }
}

std::vector<EdgeEnd> AdjacencyEnds(const CVertex& v) {
    std::vector<CVertex*> others;
    others.reserve(v.m_edges.size());
    for (CEdge* e : v.m_edges) others.push_back(e->Other(&v));
    std::vector<CVertex*> sorted = others;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    std::vector<EdgeEnd> ends;
    ends.reserve(v.m_edges.size());
    for (std::size_t i = 0; i < v.m_edges.size(); ++i) {
        const auto id = std::lower_bound(sorted.begin(), sorted.end(), others[i]) - sorted.begin();
        ends.push_back({v.m_edges[i], others[i], static_cast<std::int32_t>(id), static_cast<std::int32_t>(i)});
    }
    return ends;
}
