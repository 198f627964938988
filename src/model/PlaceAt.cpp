// Placing a vertex under the guides of a view: snapping to tracks and grid lines, locking
// to the vertex's own track, coloured tracks that only take vertices of their colour, and
// the canvas border.

#include <algorithm>

#include "model/LattixDoc.h"

namespace {

constexpr int kMaxTracksSearched = 100;

// A track takes the vertex when it is uncoloured or coloured in the vertex's colour.
// The track at 20000 / 10 = 2000 has no colour entry and counts as uncoloured.
bool Admissible(const CLattixView& view, std::int32_t track, Rgb color) {
    if (track < 0 || track >= kTrackColorCount) return true;
    const std::uint16_t id = view.m_trackColors[track];
    return id == 0 || ColorIdToRgb(id) == color;
}

// The track a vertex with centre height Y snaps to.
std::int32_t SnapTrack(const CLattixView& view, std::int32_t Y, std::int32_t S, Rgb color) {
    const std::int32_t last = kCanvasSize / S;
    const std::int32_t i0 = (Y - S / 2) / S;

    std::int32_t k = std::min(i0, last);
    if (k < 0) {
        k = 0;
    } else {
        for (int passed = 0; !Admissible(view, k, color);) {
            --k;
            if (k < 0) {
                k = 0;
                break;
            }
            if (++passed > kMaxTracksSearched) break;
        }
    }

    std::int32_t m = i0 + 1;
    if (m >= last) {
        m = last;
    } else {
        if (m < 0) m = 0;
        for (int passed = 0; !Admissible(view, m, color);) {
            ++m;
            if (m >= last) {
                m = last;
                break;
            }
            if (++passed > kMaxTracksSearched) break;
        }
    }
    return (std::int64_t(Y) - std::int64_t(k) * S) < (std::int64_t(m) * S - Y) ? k : m;
}

} // namespace

void CVertex::PlaceAt(std::int32_t x, std::int32_t y, CDocView* view, bool updateEdges) {
    if (view && !view->IsEditorView()) return;
    const CLattixView* guides = static_cast<const CLattixView*>(view);
    x = std::clamp(x, -kCoordinateLimit, kCoordinateLimit);
    y = std::clamp(y, -kCoordinateLimit, kCoordinateLimit);
    m_center = {x, y};

    if (guides && guides->HasHorizontalGuides() && guides->m_ySeparation > 1) {
        const std::int32_t S = guides->m_ySeparation;
        if (guides->m_lockToTracks) {
            if (m_trackNumber > 0 && std::int64_t(m_trackNumber) * S < kCanvasSize) m_offset.y = m_trackNumber * S - y;
        } else if (guides->m_snapToGuides) {
            const std::int32_t track = SnapTrack(*guides, y + m_grabOffset.y, S, m_color);
            m_offset.y = track * S - y;
            if (const CLattixDoc* doc = guides->GetDocument(); doc && doc->m_autoTrack) m_trackNumber = (y + m_offset.y) / S;
        }
    }
    if (guides && guides->HasVerticalGuides() && guides->m_xSeparation > 1 && guides->m_snapToGuides) {
        const std::int32_t X = guides->m_xSeparation;
        const std::int32_t xp = x + m_grabOffset.x;
        const std::int32_t j = (xp - X / 2) / X;
        m_offset.x = (xp - j * X) < ((j + 1) * X - xp) ? j * X - x : (j + 1) * X - x;
    }

    // The drawn disc stays on the canvas.
    const std::int32_t r = m_radius;
    if (x + m_offset.x - r < 0) m_offset.x = r - x;
    if (y + m_offset.y - r < 0) m_offset.y = r - y;
    if (x + m_offset.x + r > kCanvasSize) m_offset.x = kCanvasSize - r - x;
    if (y + m_offset.y + r > kCanvasSize) m_offset.y = kCanvasSize - r - y;

    m_rect = {x - r, y - r, x + r, y + r};
    if (updateEdges)
        for (CEdge* e : m_edges) {
            e->ComputeAttachment();
            e->RecomputeRect();
        }
}
