#include "trees/UlpPlacement.h"

#include <algorithm>
#include <limits>

#include "model/AlgorithmWorkspace.h"
#include "model/LattixDoc.h"

std::int32_t ClampToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

UlpPlacer::UlpPlacer(AlgorithmWorkspace& ws, CLattixView& view)
    : m_ws(ws), m_view(view), m_sx(view.m_xSeparation), m_sy(view.m_ySeparation) {}

CLattixDoc& UlpPlacer::Doc() const { return m_ws.doc; }

std::int32_t UlpPlacer::ColumnX(std::int64_t x0, std::int64_t column) const { return ClampToInt32(x0 + column * m_sx); }

std::int32_t UlpPlacer::TrackY(std::int64_t track) const { return ClampToInt32(track * m_sy); }

void UlpPlacer::HideComponent() {
    for (CVertex* v : Doc().m_compVertices) v->m_hidden = true;
    for (CEdge* e : Doc().m_compEdges) e->m_hidden = true;
}

void UlpPlacer::RevealComponent() {
    for (CVertex* v : Doc().m_compVertices) v->m_hidden = false;
    for (CEdge* e : Doc().m_compEdges) e->m_hidden = false;
}

void UlpPlacer::Place(CVertex* v, std::int32_t x, CEdge* via) {
    v->PlaceAt(x, TrackY(v->m_trackNumber), &m_view, true);
    v->m_placed = true;
    v->m_hidden = false;
    if (via) via->m_hidden = false;
}

void UlpPlacer::Step() { m_ws.AnimationStep(); }

std::int32_t UlpPlacer::LargestCentreX(std::int32_t none) const {
    const auto& vertices = Doc().m_compVertices;
    if (vertices.empty()) return none;
    std::int32_t largest = vertices.front()->m_center.x;
    for (const CVertex* v : vertices) largest = std::max(largest, v->m_center.x);
    return largest;
}
