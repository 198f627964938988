#pragma once
// The 3-spider layout worked out in columns before anything is drawn: which vertex of
// which leg goes to which column, in the order of placement. Column 0 holds the centre,
// the right side counts up from 1 and the left side down from -1; each placement takes
// the next column out on its side. Planning on track numbers alone tells the drawing how
// far left the spider reaches before its first vertex moves.

#include <array>
#include <cstdint>
#include <vector>

struct SpiderStep {
    int leg;              // 0..2, in the centre's adjacency order
    std::int32_t index;   // position along the leg, 0 = the centre's neighbour
    std::int32_t column;
};

struct SpiderPlan {
    std::vector<SpiderStep> steps;
    std::int32_t leftmost = 0;  // smallest column used (0 when the left side is empty)
    std::int32_t rightmost = 0; // largest column used
};

using SpiderLegTracks = std::array<std::vector<std::int32_t>, 3>;

//! Plans the level planar drawing of a spider whose centre lies on centreTrack and whose
//! legs carry the given tracks from the centre outward (every leg has a vertex). All
//! tracks are expected to differ; every leg vertex is placed exactly once.
SpiderPlan PlanSpider(std::int32_t centreTrack, const SpiderLegTracks& legs);
