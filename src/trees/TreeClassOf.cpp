#include "trees/TreeClassOf.h"

#include "model/HeadlessPlatform.h"
#include "model/LattixDoc.h"

UlpTreeClass ClassifyTree(int n, const std::vector<std::pair<int, int>>& edges) {
    // The scratch elements take ids; they are handed back so that a census leaves the
    // ids of the documents as they were.
    const std::uint32_t firstId = g_nextId;
    UlpTreeClass result = UlpTreeClass::None;
    {
        HeadlessPlatform platform;
        CLattixDoc doc(platform);
        std::vector<CVertex*> vertices;
        for (int v = 0; v < n; ++v) {
            vertices.push_back(new CVertex(0, 0, ColorIdToRgb(kColorIdBlue)));
            doc.AddElement(vertices.back());
        }
        for (const auto& [a, b] : edges) doc.AddElement(new CEdge(vertices[a], vertices[b], kEdgeBlack));
        doc.RebuildAllLists();
        doc.m_compVertices = doc.m_allVertices;
        doc.m_compEdges = doc.m_allEdges;
        if (doc.IsCaterpillar()) result = UlpTreeClass::Caterpillar;
        else if (doc.IsRadius2Star()) result = UlpTreeClass::Radius2Star;
        else if (doc.Is3Spider()) result = UlpTreeClass::Spider3;
    }
    g_nextId = firstId;
    return result;
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
