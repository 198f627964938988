#include "level/TreeClassOf.h"

#include <stdexcept>

#include "graph/Components.h"
#include "model/HeadlessPlatform.h"
#include "model/LattixDoc.h"

std::vector<TreeClass> ClassifyComponents(const LightGraph& g, std::span<const std::int32_t> tracks) {
    if (!g.Valid() || (!tracks.empty() && tracks.size() != static_cast<std::size_t>(g.vertexCount)))
        throw std::invalid_argument("ClassifyComponents: every vertex needs a track");
    // The predicates of the mode read a document's component lists; a scratch document in
    // the light graph's order gives them the same components.
    HeadlessPlatform platform;
    CLattixDoc doc(platform);
    doc.m_autoCrossings = false;
    std::vector<CVertex*> vertices;
    for (std::int32_t v = 0; v < g.vertexCount; ++v) {
        vertices.push_back(new CVertex(0, 0, kWhite));
        vertices.back()->m_trackNumber = tracks.empty() ? v : tracks[v];
        doc.AddElement(vertices.back());
    }
    for (const auto& [a, b] : g.edges) doc.AddElement(new CEdge(vertices[a], vertices[b], kEdgeBlue));

    std::vector<TreeClass> classes;
    doc.RebuildAllLists();
    if (!doc.IsSimple()) return classes;
    const std::int32_t count = doc.CountComponents(&doc.m_allVertices);
    ComponentExtractor extractor(doc, count, doc.m_allVertices, doc.m_allEdges);
    for (std::int32_t k = 0; k < count; ++k) {
        extractor.Extract(k);
        TreeClass c = TreeClass::OtherTree;
        if (doc.m_compEdges.size() + 1 != doc.m_compVertices.size()) c = TreeClass::NotATree;
        else if (doc.HasSharedTrack()) c = doc.IsCaterpillar() ? TreeClass::Caterpillar : TreeClass::OtherTree;
        else if (doc.IsCaterpillar()) c = TreeClass::Caterpillar;
        else if (doc.IsRadius2Star()) c = TreeClass::Radius2Star;
        else if (doc.Is3Spider()) c = TreeClass::Spider3;
        classes.push_back(c);
    }
    return classes;
}

UlpTreeClass ClassifyTree(int n, const std::vector<std::pair<int, int>>& edges) {
    const std::uint32_t firstId = g_nextId;
    LightGraph g;
    g.vertexCount = n;
    for (const auto& [a, b] : edges) g.edges.emplace_back(a, b);
    const std::vector<TreeClass> classes = ClassifyComponents(g);
    g_nextId = firstId;
    if (classes.size() != 1) return UlpTreeClass::None;
    switch (classes.front()) {
    case TreeClass::Caterpillar: return UlpTreeClass::Caterpillar;
    case TreeClass::Radius2Star: return UlpTreeClass::Radius2Star;
    case TreeClass::Spider3: return UlpTreeClass::Spider3;
    default: return UlpTreeClass::None;
    }
}

std::string_view UlpTreeClassName(UlpTreeClass c) {
    switch (c) {
    case UlpTreeClass::Caterpillar: return "caterpillar";
    case UlpTreeClass::Radius2Star: return "radius-2 star";
    case UlpTreeClass::Spider3: return "3-spider";
    case UlpTreeClass::None: break;
    }
    return "none";
}
