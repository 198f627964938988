#pragma once
// A drawing target that records every call as a line of text and measures text with a
// fixed-width model (each character as wide as the font's width, or half its height).
// Tests of the renderer compare what was drawn; it also helps to debug drawings.

#include <algorithm>
#include <string>
#include <vector>

#include "model/DrawTarget.h"

class RecordingDrawTarget : public DrawTarget {
public:
    struct Op {
        enum Kind { Line, Rectangle, Ellipse, FillRect, Text } kind;
        Point a, b;       // Line
        Rect rect;        // Rectangle, Ellipse, FillRect, Text
        std::string text; // Text
        TextAlign align = TextAlign::Center;
        Pen pen;
        std::optional<Rgb> brush;
        Font font;
        Rgb textColor = kBlack;
        RasterOp rop = RasterOp::Copy;
    };

    void SetPen(const Pen& pen) override { m_pen = pen; }
    void SetBrush(std::optional<Rgb> fill) override { m_brush = fill; }
    void SetFont(const Font& font) override {
        m_font = font;
        ++m_fontsCreated;
    }
    void SetTextColor(Rgb color) override { m_textColor = color; }
    void SetRasterOp(RasterOp op) override { m_rop = op; }
    void Line(Point from, Point to) override { Record(Op::Line, from, to, {}, {}); }
    void Rectangle(const Rect& r) override { Record(Op::Rectangle, {}, {}, r, {}); }
    void Ellipse(const Rect& r) override { Record(Op::Ellipse, {}, {}, r, {}); }
    void FillRect(const Rect& r, Rgb color) override {
        const auto saved = m_brush;
        m_brush = color;
        Record(Op::FillRect, {}, {}, r, {});
        m_brush = saved;
    }
    TextSize MeasureText(const std::string& text) override {
        const std::int32_t w = m_font.width > 0 ? m_font.width : std::max(1, m_font.height / 2);
        return {static_cast<std::int32_t>(text.size()) * w, m_font.height};
    }
    void Text(const std::string& text, const Rect& r, TextAlign align) override {
        Record(Op::Text, {}, {}, r, text);
        m_ops.back().align = align;
    }

    const std::vector<Op>& Ops() const { return m_ops; }
    std::vector<Op> OpsOf(Op::Kind kind) const {
        std::vector<Op> out;
        for (const Op& op : m_ops)
            if (op.kind == kind) out.push_back(op);
        return out;
    }
    int FontsCreated() const { return m_fontsCreated; }
    void Clear() { m_ops.clear(); }

private:
    void Record(Op::Kind kind, Point a, Point b, Rect r, std::string text) {
        m_ops.push_back({kind, a, b, r, std::move(text), TextAlign::Center, m_pen, m_brush, m_font, m_textColor, m_rop});
    }

    std::vector<Op> m_ops;
    Pen m_pen;
    std::optional<Rgb> m_brush;
    Font m_font;
    Rgb m_textColor = kBlack;
    RasterOp m_rop = RasterOp::Copy;
    int m_fontsCreated = 0;
};
