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
