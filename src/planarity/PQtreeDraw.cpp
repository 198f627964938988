// Drawing PQ-trees for the replay window: each node in a column as wide as its leaves,
// its children one level (50 pixels) lower, lines coloured by the edge class.

#include <algorithm>
#include <optional>
#include <string>

#include "model/DrawTarget.h"
#include "planarity/PQtree.h"

namespace {

constexpr Rgb kBlue = MakeRgb(0, 0, 255);
constexpr Rgb kRed = MakeRgb(255, 0, 0);
constexpr Rgb kLightBlue = MakeRgb(40, 189, 220);
constexpr Rgb kDarkBlue = MakeRgb(0, 0, 64);
constexpr Rgb kGrey = MakeRgb(220, 220, 220);
constexpr std::int32_t kLevel = 50;

Pen LinePen(std::int32_t edgeClass) {
    if (edgeClass == 0) return Pen::Solid(2, kBlue);
    if (edgeClass == 1) return Pen::Solid(2, kRed);
    return Pen::Solid(1, kBlack);
}

// The target, with the pen and fill it holds remembered: a Q-node outlines its box with
// the pen of its last child line and gives back the fill it found.
class Painter {
public:
    explicit Painter(DrawTarget& dc) : m_dc(dc) {
        SetPen(Pen::Solid(1, kBlack));
        SetBrush(kWhite);
    }
    DrawTarget& dc() { return m_dc; }
    void SetPen(const Pen& pen) {
        m_pen = pen;
        m_dc.SetPen(pen);
    }
    void SetBrush(std::optional<Rgb> fill) {
        m_brush = fill;
        m_dc.SetBrush(fill);
    }
    std::optional<Rgb> Brush() const { return m_brush; }

    // An arrow pointing right with its tip at `tip`.
    void Arrow(Point tip) {
        SetPen(Pen::Solid(1, kBlack));
        m_dc.Line(tip, {tip.x - 12, tip.y});
        m_dc.Line(tip, {tip.x - 4, tip.y - 4});
        m_dc.Line(tip, {tip.x - 4, tip.y + 4});
    }

private:
    DrawTarget& m_dc;
    Pen m_pen;
    std::optional<Rgb> m_brush;
};

struct Placed {
    CNode* node;
    std::int32_t x;
};

// Lines from the node's centre to its children, which are laid out left to right in the
// given order; returns where each child goes.
std::vector<Placed> DrawLines(Painter& p, const std::vector<CNode*>& order, std::int32_t x, std::int32_t y,
                              std::int32_t cx) {
    std::vector<Placed> placed;
    placed.reserve(order.size());
    for (CNode* c : order) {
        p.SetPen(LinePen(c->m_kind));
        p.dc().Line({cx, y + 6}, {x + c->m_width / 2, y + 56});
        placed.push_back({c, x});
        x += c->m_width;
    }
    return placed;
}

void DrawLeaf(Painter& p, const CLeafnode& leaf, std::int32_t x, std::int32_t y) {
    DrawTarget& dc = p.dc();
    dc.SetTextColor(leaf.m_label == 1 ? kBlue : kBlack);
    const std::string text = std::to_string(leaf.ShownStNumber());
    const Rect box{x, y + 10, x + 40, y + 50};
    const TextSize size = dc.MeasureText(text);
    const std::int32_t dx = std::max(0, (40 - size.width) / 2);
    const Rect measured{x, y + 10, x + size.width, y + 10 + size.height};
    if (leaf.m_shaded) {
        Rect halo = measured;
        if (size.height > size.width) {
            const std::int32_t grow = (size.height - size.width) / 2;
            halo = halo.Inflated(grow, 0, grow, 0);
        }
        p.SetPen(Pen::None());
        p.SetBrush(kGrey);
        dc.Ellipse(halo.Offset({dx, 0}));
    }
    p.SetBrush(std::nullopt);
    dc.Text(text, box, TextAlign::CenterTop);
    if (leaf.m_arrow) p.Arrow({measured.left + dx - 5, (measured.top + measured.bottom) / 2});
    dc.SetTextColor(kBlack);
}

// Draws a P-node and returns its children with their places, in drawing order.
std::vector<Placed> DrawPnode(Painter& p, CNode& node, std::int32_t x, std::int32_t y) {
    const std::int32_t cx = x + node.m_width / 2;
    const Rect circle{cx - 6, y, cx + 7, y + 13};
    if (node.m_shaded) {
        p.SetPen(Pen::None());
        p.SetBrush(kGrey);
        p.dc().Ellipse(circle.Inflated(5, 5, 5, 5));
    }
    p.SetBrush(kWhite);
    // Class 0 first, then class 2, then class 1.
    std::vector<CNode*> order;
    for (std::int32_t edgeClass : {0, 2, 1})
        for (CNode* c = node.FirstChild(); c; c = c->NextSibling())
            if (c->m_kind == edgeClass) order.push_back(c);
    std::vector<Placed> placed = DrawLines(p, order, x, y, cx);
    const std::int32_t label = node.m_label;
    p.SetBrush(label == 1 ? kBlue : label >= 2 && label <= 4 ? kLightBlue : kWhite);
    p.SetPen(Pen::Solid(1, kBlack));
    p.dc().Ellipse(circle);
    return placed;
}

Rect QnodeBox(const CNode& node, std::int32_t x, std::int32_t y) { return {x + 5, y, x + node.m_width - 5, y + 10}; }

std::vector<Placed> DrawQnode(Painter& p, CNode& node, std::int32_t x, std::int32_t y) {
    DrawTarget& dc = p.dc();
    const std::int32_t cx = x + node.m_width / 2;
    const Rect box = QnodeBox(node, x, y);
    if (node.m_shaded) {
        p.SetPen(Pen::None());
        p.SetBrush(kGrey);
        dc.Rectangle(box.Inflated(3, 3, 3, 3));
    }
    p.SetBrush(kWhite);
    std::vector<Placed> placed = DrawLines(p, node.Children(), x, y, cx);
    const auto [l, t, r, b] = box;
    const std::int32_t h = (l + r) / 2;
    auto fill = [&](Rgb color, const Rect& rect) {
        p.SetBrush(color);
        dc.Rectangle(rect);
    };
    auto outline = [&] {
        p.SetPen(Pen::Solid(1, kBlack));
        p.SetBrush(std::nullopt);
        dc.Rectangle(box);
    };
    switch (node.m_label) {
    case 1: fill(kBlue, box); break;
    case 2: fill(kDarkBlue, box); break;
    case 3: // the full part on the right
        p.SetPen(Pen::None());
        fill(kDarkBlue, {h - 1, t, r, b});
        fill(kWhite, {l, t, h, b});
        outline();
        break;
    case 4: { // the full part in the middle
        const std::int32_t w3 = (r - l) / 3;
        p.SetPen(Pen::None());
        fill(kWhite, {l, t, l + w3 - 1, b});
        fill(kDarkBlue, {l + w3, t, r - w3, b});
        fill(kWhite, {r - w3 + 1, t, r, b});
        outline();
        break;
    }
    default: fill(kWhite, box); break;
    }
    return placed;
}

} // namespace

void CNode::Draw(DrawTarget& dc, std::int32_t x, std::int32_t y) {
    Painter p(dc);
    // Each node draws itself, then its children one after the other, then (when it
    // finishes) its arrow; the frames keep that order without recursion.
    struct Frame {
        CNode* node;
        std::int32_t x, y;
        bool finish;
        std::optional<Rgb> savedBrush;
    };
    std::vector<Frame> stack{{this, x, y, false, {}}};
    while (!stack.empty()) {
        Frame f = stack.back();
        stack.pop_back();
        CNode& n = *f.node;
        if (f.finish) {
            if (n.m_arrow) {
                const Rect box = n.IsQnode() ? QnodeBox(n, f.x, f.y)
                                             : Rect{f.x + n.m_width / 2 - 6, f.y, f.x + n.m_width / 2 + 7, f.y + 13};
                p.Arrow({box.left - 4, (box.top + box.bottom) / 2});
            }
            if (n.IsQnode()) p.SetBrush(f.savedBrush);
            continue;
        }
        if (n.IsLeaf()) {
            DrawLeaf(p, static_cast<CLeafnode&>(n), f.x, f.y);
            continue;
        }
        const std::optional<Rgb> before = p.Brush();
        const std::vector<Placed> children = n.IsPnode() ? DrawPnode(p, n, f.x, f.y) : DrawQnode(p, n, f.x, f.y);
        stack.push_back({&n, f.x, f.y, true, before});
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            stack.push_back({it->node, it->x, f.y + kLevel, false, {}});
    }
}

Rect CPQtree::Draw(DrawTarget& dc, std::int32_t x, std::int32_t y) {
    std::unique_ptr<CNode> image;
    CNode* root = m_root;
    if (!root) {
        image = m_image.Build();
        root = image.get();
    }
    if (!root) return {0, 0, 0, 0};
    dc.SetTextColor(kBlack);
    dc.Text(m_caption, {x, y, x + 500, y + 50}, TextAlign::LeftTop);
    m_width = root->ComputeWidth();
    m_depth = root->SetDepth(1);
    root->Draw(dc, x, y + 30);
    m_height = (m_depth + 1) * kLevel;
    return {0, 0, m_width, m_height};
}
