#include <cmath>
#include <string>

#include "editor/ElementDrawing.h"
#include "model/DocView.h"
#include "model/Element.h"

bool EdgeDisplay::IsColorShown(int code) const {
    const int slot = CLattixView::ShowColorSlot(code);
    return slot >= 0 && showColor[slot];
}

bool IsEdgeVisible(const CEdge& edge, const EdgeDisplay& display) {
    return IsEdgeColorCode(edge.m_edgeColor) && display.IsColorShown(edge.m_edgeColor);
}

namespace {

Pen EdgePen(const CEdge& edge, const EdgeDisplay& display) {
    const std::int32_t width = edge.m_selected ? 3 : 2;
    const Rgb color = ColorIdToRgb(100 + edge.m_edgeColor);
    return display.dashed ? Pen::Geometric(DashStyleOf(edge.m_edgeColor), width, color) : Pen::Solid(width, color);
}

void DrawArrowhead(DrawTarget& target, Point from, Point tip) {
    const double dx = tip.x - from.x, dy = tip.y - from.y;
    if (std::sqrt(dx * dx + dy * dy) <= 10) return;
    const ArrowPoints wings = ComputeArrowPoints(from, tip, 10.0);
    // The strokes meet one pixel off the tip on either side, which keeps the point sharp
    // with pens wider than one pixel.
    target.Line(wings.a, {tip.x, tip.y + 1});
    target.Line(wings.b, {tip.x, tip.y - 1});
}

// The weight sits in a box of the text's size around the middle of the edge on screen.
void DrawWeightBox(DrawTarget& target, Point from, Point to, std::int32_t weight) {
    const std::string text = std::to_string(weight);
    target.SetFont(Font{"Arial", 15, true, 0});
    const TextSize size = target.MeasureText(text);
    const Rect bounds = Rect::Spanning(from, to);
    const Point mid = bounds.Center();
    const Rect box{mid.x - size.width / 2, mid.y - size.height / 2, mid.x - size.width / 2 + size.width,
                   mid.y - size.height / 2 + size.height};
    target.SetBrush(kWhite);
    target.Rectangle(box.Inflated(2, 2, 2, 2));
    // The text colour is left as the paint has it: grey after track labels, else black.
    target.Text(text, box.Inflated(1, 1, 1, 1), TextAlign::Center);
}

} // namespace

void DrawEdgeHighlight(DrawTarget& target, const CEdge& edge, const Projection& proj, const EdgeDisplay& display) {
    if (edge.m_hidden || edge.m_highlight == kNoHighlight || !IsEdgeVisible(edge, display)) return;
    if (!edge.m_v1) return;
    target.SetPen(Pen::Solid(7, edge.m_highlight));
    target.Line(proj.Map(edge.m_start), proj.Map(edge.m_end));
}

void DrawEdge(DrawTarget& target, const CEdge& edge, const Projection& proj, const EdgeDisplay& display) {
    if (edge.m_hidden || !IsEdgeVisible(edge, display)) return;
    if (!edge.m_v1) return;
    target.SetPen(EdgePen(edge, display));
    const Point from = proj.Map(edge.m_start);
    const Point to = proj.Map(edge.m_end);
    target.Line(from, to);
    if (display.directed) DrawArrowhead(target, from, to);
    if (display.showWeight && edge.m_v2) DrawWeightBox(target, from, to, edge.m_weight);
}
