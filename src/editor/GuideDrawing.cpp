#include <string>

#include "editor/ElementDrawing.h"
#include "model/DocView.h"

namespace {

constexpr Rgb kGuideGrey = MakeRgb(200, 200, 200);
constexpr Rgb kLabelGrey = MakeRgb(128, 128, 128);

bool Overlaps(const std::optional<Rect>& visible, const Rect& r) {
    if (!visible) return true;
    return r.left <= visible->right && r.right >= visible->left && r.top <= visible->bottom &&
           r.bottom >= visible->top;
}

Pen TrackPen(const CLattixView& view, std::int32_t track, bool selected) {
    // Tracks past the colour table (separations below 10) are uncoloured.
    const int colorId = track < kTrackColorCount ? view.m_trackColors[track] : 0;
    if (colorId == 0) return Pen::Solid(selected ? 3 : 1, kGuideGrey);
    const PenStyle style = view.m_showDashedTracks ? TrackDashStyleOf(colorId) : PenStyle::Solid;
    return Pen::Geometric(style, selected ? 3 : 2, ColorIdToRgb(colorId));
}

bool DrawTracks(DrawTarget& target, const CLattixView& view, const GuideContext& c) {
    const std::int32_t sep = view.m_ySeparation;
    const std::int32_t count = kCanvasSize / sep;
    const double zoom = c.proj.zoom;
    const std::int32_t scaledSep = static_cast<std::int32_t>(sep * zoom);
    const bool labels = c.showTrackLabels && count > 1;
    if (labels) target.SetTextColor(kLabelGrey);
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t y = static_cast<std::int32_t>(i * sep * zoom) - c.proj.scroll.y;
        const Rect line{-c.clientWidth, y - 2, 2 * c.clientWidth, y + 2};
        if (Overlaps(c.visible, line)) {
            target.SetPen(TrackPen(view, i, i == c.selectedTrack));
            target.Line({-c.clientWidth, y}, {2 * c.clientWidth, y});
        }
        if (labels && i > 0) {
            // Left-anchored: the numbers ignore the horizontal scroll.
            const std::int32_t top = static_cast<std::int32_t>((i - 1) * sep * zoom) - c.proj.scroll.y;
            const Rect box{5, top, static_cast<std::int32_t>(sep * zoom + 30), top + scaledSep};
            if (Overlaps(c.visible, box)) target.Text(std::to_string(i), box, TextAlign::CenterBottom);
        }
    }
    return labels;
}

void DrawGridLines(DrawTarget& target, const CLattixView& view, const GuideContext& c) {
    const std::int32_t sep = view.m_xSeparation;
    const std::int32_t count = kCanvasSize / sep;
    target.SetPen(Pen::Solid(1, kGuideGrey));
    for (std::int32_t i = 1; i < count; ++i) {
        const std::int32_t x = static_cast<std::int32_t>(i * sep * c.proj.zoom) - c.proj.scroll.x;
        if (!Overlaps(c.visible, {x - 1, 0, x + 1, c.clientHeight})) continue;
        target.Line({x, 0}, {x, c.clientHeight});
    }
}

} // namespace

bool DrawGuides(DrawTarget& target, const CLattixView& view, const GuideContext& context) {
    bool labels = false;
    if (view.HasHorizontalGuides() && view.m_ySeparation > 0) labels = DrawTracks(target, view, context);
    if (view.HasVerticalGuides() && view.m_xSeparation > 0) DrawGridLines(target, view, context);
    return labels;
}
