// Planning the 3-spider drawing. Each side of the centre is drawn outward, one column per
// vertex, so a leg's newest vertex is always the outermost one on its side. A leg that is
// enclosed by the other two (the middle one by track) is walked only while it stays within
// the tracks already in use; once it leaves them it is free, and the leg it passed becomes
// the enclosed one, walked next on the other side.

#include "trees/SpiderPlan.h"

#include <algorithm>

namespace {

enum class Side { Left, Right };

Side Opposite(Side s) { return s == Side::Left ? Side::Right : Side::Left; }

struct Front {
    int leg;
    std::int32_t index;
};

class SpiderPlanner {
public:
    SpiderPlanner(std::int32_t centreTrack, const SpiderLegTracks& legs)
        : m_centre(centreTrack), m_legs(legs), m_lowest(centreTrack), m_highest(centreTrack) {
        for (int i = 0; i < 3; ++i) m_columns[i].assign(m_legs[i].size(), 0);
    }

    SpiderPlan Run() {
        if (m_legs[0].empty() || m_legs[1].empty() || m_legs[2].empty()) return std::move(m_plan);
        PlaceFirstVertices();
        FinishLegs();
        return std::move(m_plan);
    }

private:
    std::int32_t Track(int leg, std::int32_t index) const { return m_legs[leg][index]; }
    std::int32_t Track(Front f) const { return Track(f.leg, f.index); }
    std::int32_t Column(Front f) const { return m_columns[f.leg][f.index]; }
    bool Done(int leg) const { return m_front[leg] + 1 >= static_cast<std::int32_t>(m_legs[leg].size()); }

    // The next vertex of the leg goes one column further out on the side.
    std::int32_t Place(int leg, Side side) {
        const std::int32_t index = ++m_front[leg];
        std::int32_t column;
        if (side == Side::Left) {
            column = --m_left;
            m_plan.leftmost = column;
        } else {
            column = ++m_right;
            m_plan.rightmost = column;
        }
        m_columns[leg][index] = column;
        m_plan.steps.push_back({leg, index, column});
        m_lowest = std::min(m_lowest, Track(leg, index));
        m_highest = std::max(m_highest, Track(leg, index));
        return index;
    }

    // Walks the leg on from its front. With the range limit, the walk stops after the first
    // vertex whose track lies outside the tracks in use when it began; with a stop index,
    // after that vertex. Returns the index of the last vertex placed, or -1 for none.
    std::int32_t Walk(int leg, Side side, bool rangeLimit, std::int32_t stopAt = -1) {
        const std::int32_t low = m_lowest, high = m_highest;
        std::int32_t last = -1;
        while (!Done(leg)) {
            last = Place(leg, side);
            if (last == stopAt) break;
            const std::int32_t t = Track(leg, last);
            if (rangeLimit && (t < low || t > high)) break;
        }
        return last;
    }

    // The vertex of the leg's first run on one side of the centre's track that lies
    // furthest from it.
    std::int32_t Extreme(int leg) const {
        const std::vector<std::int32_t>& tracks = m_legs[leg];
        std::int32_t extreme = 0;
        for (std::size_t cur = 0; cur + 1 < tracks.size(); ++cur) {
            const std::int32_t here = tracks[cur], next = tracks[cur + 1];
            if (here < m_centre ? next < tracks[extreme] : next > tracks[extreme])
                extreme = static_cast<std::int32_t>(cur + 1);
            if ((here < m_centre && next > m_centre) || (here > m_centre && next < m_centre)) break;
        }
        return extreme;
    }

    void PlaceFirstVertices() {
        int hi = 0, lo = 0;
        for (int i = 1; i < 3; ++i) {
            if (Track(i, 0) > Track(hi, 0)) hi = i;
            if (Track(i, 0) < Track(lo, 0)) lo = i;
        }
        int mid = -1;
        for (int i = 0; i < 3 && mid < 0; ++i)
            if (Track(i, 0) > Track(lo, 0) && Track(i, 0) < Track(hi, 0)) mid = i;
        if (mid < 0 || hi == lo) {
            // Neighbours sharing a track: keep the three legs apart all the same.
            if (hi == lo) lo = (hi + 1) % 3;
            mid = 3 - hi - lo;
        }

        if (Track(lo, 0) < m_centre && m_centre < Track(hi, 0)) {
            Place(hi, Side::Left);
            Place(lo, Side::Right);
            Place(mid, Side::Right);
            return;
        }

        // All three neighbours on one side of the centre's track: the leg reaching furthest
        // that way goes right and is drawn out to its extreme first.
        const int order[3] = {hi, mid, lo};
        std::int32_t extreme[3];
        for (int i = 0; i < 3; ++i) extreme[i] = Extreme(i);
        int chosen = hi;
        std::int32_t reference = Track(hi, extreme[hi]); // the centre's own track when the extreme lies on it
        for (int leg : {mid, lo}) {
            const std::int32_t t = Track(leg, extreme[leg]);
            const bool beyond = (reference < m_centre && t < reference) || (reference > m_centre && t > reference) ||
                                (reference == m_centre && t != m_centre);
            if (beyond) {
                chosen = leg;
                reference = t;
            }
        }
        Place(chosen, Side::Right);
        if (extreme[chosen] > 0) Walk(chosen, Side::Right, false, extreme[chosen]);

        int others[2], k = 0;
        for (int leg : order)
            if (leg != chosen) others[k++] = leg;
        const int left = others[0], right = others[1];
        Place(right, Side::Right);
        const std::int32_t first = Place(left, Side::Left);
        // A left leg that is a single edge places nothing on its walk; its first vertex,
        // which is placed, then decides.
        std::int32_t stopped = Walk(left, Side::Left, true);
        if (stopped < 0) stopped = first;
        if (Track(left, stopped) < m_centre) Walk(right, Side::Right, true);
    }

    void FinishLegs() {
        std::array<Front, 3> fronts;
        for (int leg = 0; leg < 3; ++leg) fronts[leg] = {leg, m_front[leg]};
        std::stable_sort(fronts.begin(), fronts.end(), [&](Front a, Front b) { return Track(a) < Track(b); });
        Front low = fronts[0], middle = fronts[1], high = fronts[2];

        Side side = Side::Right;
        if (Track(high) > m_centre && Track(middle) > m_centre) {
            if (Track(high) > Track(middle) && Column(high) > Column(middle)) side = Side::Left;
        } else if (Track(low) < Track(middle) && Column(low) > Column(middle)) {
            side = Side::Left;
        }

        while (!Done(middle.leg)) {
            const Front reached{middle.leg, Walk(middle.leg, side, true)};
            if (Track(reached) < Track(low)) {
                middle = low;
                low = reached;
            } else if (Track(reached) > Track(high)) {
                middle = high;
                high = reached;
            } else {
                middle = reached;
            }
            side = Opposite(side);
        }
        Walk(high.leg, Side::Left, false);
        Walk(low.leg, Side::Right, false);
    }

    std::int32_t m_centre;
    const SpiderLegTracks& m_legs;
    std::array<std::vector<std::int32_t>, 3> m_columns;
    std::array<std::int32_t, 3> m_front{-1, -1, -1};
    std::int32_t m_left = 0, m_right = 0;
    std::int32_t m_lowest, m_highest; // tracks in use, the centre's included
    SpiderPlan m_plan;
};

} // namespace

SpiderPlan PlanSpider(std::int32_t centreTrack, const SpiderLegTracks& legs) {
    return SpiderPlanner(centreTrack, legs).Run();
}
