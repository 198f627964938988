#pragma once
// The steps every exact level planarity method shares: the classes into which the crossing
// equations tie the same-level pairs, and the rejection that needs no pairs at all.

#include "level/LevelGraph.h"
#include "level/LevelPairs.h"

// The classes of the order constraints, or false when they contradict each other (which
// proves the graph not level planar).
bool FindPairClasses(const LevelGraph& g, const LevelPairs& pairs, PairClasses& classes);

// False when the edges between two adjacent levels contain a cycle. Two levels drawn
// without crossings only hold forests (a cycle between them always crosses itself, a K2,2
// being the smallest), so such a graph is not level planar; and with every gap a forest the
// independent edge pairs of a gap are at most a small multiple of the gap's vertex pairs.
bool GapsAreForests(const LevelGraph& g);
