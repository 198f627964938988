#include "trees/CrossingCount.h"

#include <memory>
#include <stdexcept>

#include "model/Colors.h"
#include "model/Element.h"
#include "trees/Crossings.h"

std::array<std::int32_t, 8> CountCrossingsOf(const LightGraph& g, std::span<const Point> centres,
                                             std::span<const std::uint16_t> codes) {
    if (!g.Valid() || centres.size() != static_cast<std::size_t>(g.vertexCount) ||
        (!codes.empty() && codes.size() != g.edges.size()))
        throw std::invalid_argument("CountCrossingsOf: every vertex needs a centre and every edge a colour");
    for (std::uint16_t code : codes)
        if (code < 1 || code > 8) throw std::invalid_argument("CountCrossingsOf: edge colours are codes 1 to 8");
    // The counter reads edges; scratch elements give it the same segments a document would.
    // Edges go first when the scratch graph dies, so that they unregister from live ends.
    std::vector<std::unique_ptr<CVertex>> vertices;
    vertices.reserve(centres.size());
    for (const Point& c : centres) vertices.push_back(std::make_unique<CVertex>(c.x, c.y, kWhite));
    std::vector<std::unique_ptr<CEdge>> edges;
    std::vector<const CEdge*> list;
    for (std::size_t i = 0; i < g.edges.size(); ++i) {
        const std::uint16_t code = codes.empty() ? static_cast<std::uint16_t>(kEdgeBlue) : codes[i];
        edges.push_back(std::make_unique<CEdge>(vertices[g.edges[i].first].get(), vertices[g.edges[i].second].get(), code));
        list.push_back(edges.back().get());
    }
    const std::array<std::int32_t, 8> counts = CountCrossingsFast(list);
    edges.clear();
    return counts;
}
