#pragma once
// Steps shared by the level planarity commands and the batch experiments.

class CLattixDoc;

// The active editor view shows tracks (horizontal guides, added to vertical ones' place)
// and locks vertices to them.
void PrepareLevelGuides(CLattixDoc& doc);

// After the command's opening checkpoint: makes the graph proper (asking first), rebuilds
// the work lists and refuses graphs that are not simple or are directed. False, with any
// message shown, when the command must stop.
bool PrepareLevelGraph(CLattixDoc& doc);

// The vertex-exchange graph has a vertex for every pair of vertices on a common level, so
// its size grows with the square of the levels' widths. The test keeps about five bytes a
// pair (a search that has to run adds a few more per class of pairs); beyond this many pairs
// in one component it would take gigabytes, and the level commands refuse the component.
// Pairs are numbered in 31 bits, which this stays well below.
inline constexpr long long kMaxLevelPairs = 250000000;

// True when the extracted component (m_compVertices) is small enough for the vertex-exchange
// graph; otherwise shows why not and returns false.
bool LevelPairsWithinLimit(CLattixDoc& doc);
