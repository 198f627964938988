#pragma once
// "Minimize Crossings on Levels" and "Show Level Planarity Obstruction".

#include <cstdint>
#include <vector>

class CLattixDoc;

// Draws every component on its tracks: level planar ones without crossings, the others
// with few (the fewest where that can be proved). `seed` varies the shuffled starts; the
// same seed gives the same drawing. False when the command stopped before drawing.
bool MinimizeCrossingsOnLevels(CLattixDoc& doc, std::uint64_t seed = 0);

// Highlights, per component that is not level planar, a minimal set of edges that cannot
// be drawn on their levels without crossings; long edges count whole.
struct LevelObstructionReport {
    bool ran = false; // false when a refusal or Cancel stopped the command
    // Per such component, the ids of its highlighted edges, ascending.
    std::vector<std::vector<std::uint32_t>> witnesses;
};
LevelObstructionReport ShowLevelObstruction(CLattixDoc& doc);
