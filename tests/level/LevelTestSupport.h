#pragma once
// Level graphs in test documents.

#include <algorithm>
#include <string>
#include <vector>

#include "BruteForceLevelPlanarity.h"
#include "level/LevelGraph.h"
#include "support/TestDoc.h"

// A vertex on a track, drawn at the track's height for a separation of 30 (held within
// the coordinates a file may carry, for tracks at the ends of the 32-bit range).
inline CVertex* OnTrack(TestDoc& t, int track, int x, const std::string& name = {}) {
    const long long y = std::clamp(track * 30LL, -(1LL << 24), 1LL << 24);
    CVertex* v = t.Vertex(x, static_cast<int>(y), name);
    v->m_trackNumber = track;
    return v;
}

// The whole document as a level graph, vertices at their centres.
inline LevelGraph DocumentLevelGraph(const TestDoc& t) {
    std::vector<CVertex*> vertices;
    return LevelGraphOf(t.Vertices(), t.Edges(), vertices);
}

// Two edges between the same two tracks cross in the drawing (by centre x).
inline bool DocumentHasLevelCrossing(const TestDoc& t) {
    const LevelGraph g = DocumentLevelGraph(t);
    return HasLevelCrossing(g, g.Levels());
}

inline bool DocumentIsLevelPlanar(const TestDoc& t) { return BruteForceLevelOrders(DocumentLevelGraph(t)).has_value(); }

// The level graph of the given document edges (tracks as levels, tracks 0 and up), long
// edges through dummies of their own.
inline LevelGraph LevelGraphOfEdges(const std::vector<const CEdge*>& edges) {
    LevelGraph g;
    std::vector<std::pair<const CVertex*, int>> index;
    auto vertex = [&](const CVertex* v) {
        for (const auto& [w, i] : index)
            if (w == v) return i;
        index.push_back({v, g.AddVertex(v->m_trackNumber, v->m_center.x)});
        return index.back().second;
    };
    for (const CEdge* e : edges) {
        const CVertex* a = e->m_v1;
        const CVertex* b = e->m_v2;
        if (a->m_trackNumber > b->m_trackNumber) std::swap(a, b);
        int previous = vertex(a);
        for (int track = a->m_trackNumber + 1; track < b->m_trackNumber; ++track) {
            const int d = g.AddVertex(track, a->m_center.x);
            g.AddEdge(previous, d);
            previous = d;
        }
        g.AddEdge(previous, vertex(b));
    }
    g.Finish();
    return g;
}

// Whether the document's edges, long ones included, can be drawn without crossings.
inline bool DocumentIsLevelPlanarWithLongEdges(const TestDoc& t) {
    const std::vector<CEdge*> edges = t.Edges();
    return BruteForceLevelOrders(LevelGraphOfEdges({edges.begin(), edges.end()})).has_value();
}
