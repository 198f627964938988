#pragma once
// Drawing of single elements and of the guides, as DrawGraph composes them. Each operation
// takes the target, the projection of the view (zoom and scroll) and the display flags that
// apply, so tests can drive one of them at a time.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/DrawTarget.h"
#include "model/Geometry.h"

class CEdge;
class CVertex;
class CLattixView;

// Document units to view pixels: trunc(c * zoom) - scroll.
struct Projection {
    double zoom = 1.0;
    Point scroll;

    std::int32_t Scale(std::int32_t c) const { return static_cast<std::int32_t>(c * zoom); }
    Point Map(Point p) const { return {Scale(p.x) - scroll.x, Scale(p.y) - scroll.y}; }
    Rect Map(const Rect& r) const {
        return {Scale(r.left) - scroll.x, Scale(r.top) - scroll.y, Scale(r.right) - scroll.x,
                Scale(r.bottom) - scroll.y};
    }
};

// What decides how edges look in one view.
struct EdgeDisplay {
    std::array<bool, 8> showColor{}; // slots as CLattixView::m_showColor
    bool directed = false;
    bool showWeight = false;
    bool dashed = false;

    bool IsColorShown(int code) const;
};

// Which parts make up a vertex label.
struct VertexDisplay {
    bool showName = true;
    bool showStNumber = false;
    bool showTrack = false;
};

// Line style of an edge colour code when dashed drawing is on.
PenStyle DashStyleOf(int code);
// Line style of a track colour id: through its RGB value back to the edge colour code, so
// the light colours, which no edge code carries, stay solid.
PenStyle TrackDashStyleOf(int colorId);

bool IsEdgeVisible(const CEdge& edge, const EdgeDisplay& display);
// A bend point disappears with its first edge.
bool IsVertexVisible(const CVertex& vertex, const EdgeDisplay& display);
// Labels on the dark named fills are drawn white, on every other fill black.
bool NeedsWhiteText(Rgb fill);
// The comma-separated label of a vertex; empty for bend points.
std::string VertexLabel(const CVertex& vertex, const VertexDisplay& display);

void DrawEdgeHighlight(DrawTarget& target, const CEdge& edge, const Projection& proj, const EdgeDisplay& display);
void DrawVertexHalo(DrawTarget& target, const CVertex& vertex, const Projection& proj);
void DrawEdge(DrawTarget& target, const CEdge& edge, const Projection& proj, const EdgeDisplay& display);
void DrawVertex(DrawTarget& target, const CVertex& vertex, const Projection& proj, const VertexDisplay& display);

// What the guides need besides the view's own settings.
struct GuideContext {
    Projection proj;
    std::int32_t clientWidth = 0;
    std::int32_t clientHeight = 0;
    bool showTrackLabels = true;
    std::int32_t selectedTrack = -1;
    // Lines and labels wholly outside this area may be left out; nothing else changes.
    std::optional<Rect> visible;
};

// Horizontal tracks with their labels (modes 1 and 3), then vertical grid lines (2 and 3).
// Returns whether track labels were due, which leaves the text colour grey.
bool DrawGuides(DrawTarget& target, const CLattixView& view, const GuideContext& context);
