#include "trees/CrossingCount.h"

#include <stdexcept>

#include "model/Colors.h"
#include "trees/Crossings.h"

std::array<std::int32_t, 8> CountCrossingsOf(const LightGraph& g, std::span<const Point> centres,
                                             std::span<const std::uint16_t> codes) {
    if (!g.Valid() || centres.size() != static_cast<std::size_t>(g.vertexCount) ||
        (!codes.empty() && codes.size() != g.edges.size()))
        throw std::invalid_argument("CountCrossingsOf: every vertex needs a centre and every edge a colour");
    for (std::uint16_t code : codes)
        if (code < 1 || code > 8) throw std::invalid_argument("CountCrossingsOf: edge colours are codes 1 to 8");
    // The count compares end vertices by identity and never follows them, so any distinct
    // non-null values aligned as vertices are can stand for them; an edge runs from centre
    // to centre, as a document edge does.
    auto identity = [](std::size_t v) { return reinterpret_cast<const void*>((v + 1) * 8); };
    PendingCrossings taken;
    taken.Reserve(centres.size(), g.edges.size());
    for (std::size_t v = 0; v < centres.size(); ++v) taken.AddPlace(identity(v), centres[v]);
    for (std::size_t i = 0; i < g.edges.size(); ++i) {
        const auto [a, b] = g.edges[i];
        const std::uint16_t code = codes.empty() ? static_cast<std::uint16_t>(kEdgeBlue) : codes[i];
        taken.AddEdge(static_cast<std::uint32_t>(a), static_cast<std::uint32_t>(b), code);
    }
    return CountTakenCrossings(taken);
}
