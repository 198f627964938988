#pragma once
// Level graphs in test documents.

#include <string>
#include <vector>

#include "BruteForceLevelPlanarity.h"
#include "level/LevelGraph.h"
#include "support/TestDoc.h"

// A vertex on a track, drawn at the track's height for a separation of 30.
inline CVertex* OnTrack(TestDoc& t, int track, int x, const std::string& name = {}) {
    CVertex* v = t.Vertex(x, track * 30, name);
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
