#include "planarity/PlanarityVerdict.h"

#include <memory>
#include <vector>

#include "model/HeadlessPlatform.h"
#include "model/LattixDoc.h"

PlanarityVerdict TestPlanarity(const LightGraph& g) {
    PlanarityVerdict verdict;
    if (!g.Valid()) {
        verdict.message = "An edge joins a vertex that is not in the graph.";
        return verdict;
    }
    // The test runs on the elements of a scratch document, in the order of the light graph,
    // so that the verdict and the message are the command's own.
    HeadlessPlatform platform;
    CLattixDoc doc(platform);
    doc.m_autoCrossings = false;
    std::vector<CVertex*> vertices(g.vertexCount);
    for (std::int32_t v = 0; v < g.vertexCount; ++v) {
        vertices[v] = new CVertex(0, 0, ColorIdToRgb(kColorIdBlue));
        doc.AddElement(vertices[v]);
    }
    for (const auto& [a, b] : g.edges) doc.AddElement(new CEdge(vertices[a], vertices[b], 1));
    doc.ClearSelection();
    doc.RunPlanarityTesting(false);
    if (!platform.m_messages.empty()) verdict.message = platform.m_messages.back();
    if (verdict.message == "The graph is planar.") verdict.planar = true;
    else if (verdict.message == "The graph is non planar.") verdict.planar = false;
    return verdict;
}
