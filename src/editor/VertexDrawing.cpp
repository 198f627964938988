#include <string>

#include "editor/ElementDrawing.h"
#include "model/Element.h"

bool IsVertexVisible(const CVertex& vertex, const EdgeDisplay& display) {
    if (!vertex.m_isBend || vertex.m_edges.empty()) return true;
    return IsEdgeVisible(*vertex.m_edges.front(), display);
}

std::string VertexLabel(const CVertex& vertex, const VertexDisplay& display) {
    if (vertex.m_isBend) return {};
    std::string label;
    auto append = [&label](const std::string& part) {
        if (!label.empty()) label += ',';
        label += part;
    };
    if (display.showName) append(vertex.m_name);
    if (display.showStNumber) append(std::to_string(vertex.m_stNumber));
    if (display.showTrack) append(std::to_string(vertex.m_trackNumber));
    return label;
}

bool NeedsWhiteText(Rgb fill) {
    for (int id : {101, 102, 103, 107, 108}) // Blue, Red, Green, Purple, Black
        if (fill == ColorIdToRgb(id)) return true;
    return false;
}

namespace {

Rect ScreenRect(const CVertex& vertex, const Rect& r, const Projection& proj) {
    return proj.Map(r).Offset(vertex.m_offset);
}

// Narrows the font, then lowers it, until the label fits the disc or the font reaches its
// smallest size; a longer label overflows.
Font FitLabelFont(DrawTarget& target, const std::string& label, const Rect& box, double zoom) {
    std::int32_t height = static_cast<std::int32_t>(15 * zoom);
    std::int32_t width = static_cast<std::int32_t>(8 * zoom);
    TextSize measured;
    do {
        target.SetFont(Font{"Arial", height, false, width});
        measured = target.MeasureText(label);
        --width;
    } while (measured.width > box.Width() && width > 4);
    do {
        target.SetFont(Font{"Arial", height, false, width});
        measured = target.MeasureText(label);
        --height;
    } while (measured.height > box.Height() && height > 6);
    return Font{"Arial", height, false, width};
}

} // namespace

void DrawVertexHalo(DrawTarget& target, const CVertex& vertex, const Projection& proj) {
    if (vertex.m_hidden || vertex.m_highlight == kNoHighlight) return;
    target.SetPen(Pen::None());
    target.SetBrush(vertex.m_highlight);
    target.Ellipse(ScreenRect(vertex, vertex.m_rect.Inflated(5, 5, 6, 6), proj));
}

void DrawVertex(DrawTarget& target, const CVertex& vertex, const Projection& proj, const VertexDisplay& display) {
    if (vertex.m_hidden) return;
    const Rect rect = ScreenRect(vertex, vertex.m_rect, proj);
    target.SetRasterOp(RasterOp::Copy);
    target.SetBrush(vertex.m_color);
    target.SetPen(Pen::Solid(vertex.m_selected ? 2 : 1, MakeRgb(7, 0, 0)));
    target.Ellipse(rect);

    const std::string label = VertexLabel(vertex, display);
    if (vertex.m_isBend) return;
    target.SetTextColor(NeedsWhiteText(vertex.m_color) ? kWhite : kBlack);
    const Rect box = rect.Inflated(-1, -1, -1, -1);
    target.SetFont(FitLabelFont(target, label, box, proj.zoom));
    target.Text(label, box, TextAlign::Center);
}
