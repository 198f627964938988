#pragma once
// A drawing target that writes SVG as it draws: every shape goes out at once, so a
// drawing of millions of elements needs no more memory than a small one. Shapes that
// share pen and brush share one <g> element.

#include <cstdint>
#include <string>

#include "model/DrawTarget.h"

class QIODevice;

class SvgStreamTarget final : public DrawTarget {
public:
    // Writes the header of a picture of width by height pixels to `out`.
    SvgStreamTarget(QIODevice& out, std::int32_t width, std::int32_t height, const std::string& title);
    ~SvgStreamTarget() override;

    // Closes the picture; false when anything could not be written.
    bool Finish();

    void SetPen(const Pen& pen) override { m_pen = pen; }
    void SetBrush(std::optional<Rgb> fill) override { m_brush = fill; }
    void SetFont(const Font& font) override { m_font = font; }
    void SetTextColor(Rgb color) override { m_textColor = color; }
    void SetRasterOp(RasterOp) override {}
    std::optional<Rect> VisibleArea() const override { return Rect{0, 0, m_width, m_height}; }

    void Line(Point from, Point to) override;
    void Rectangle(const Rect& r) override;
    void Ellipse(const Rect& bounds) override;
    void FillRect(const Rect& r, Rgb color) override;
    TextSize MeasureText(const std::string& text) override;
    void Text(const std::string& text, const Rect& r, TextAlign align) override;

private:
    // Opens a group for the current pen (and brush, for closed shapes) unless one is open.
    void Group(bool filled);
    void CloseGroup();
    void Put(const std::string& s);
    void Flush();

    QIODevice& m_out;
    std::string m_buffer;
    bool m_failed = false;
    std::int32_t m_width, m_height;
    Pen m_pen;
    std::optional<Rgb> m_brush;
    Font m_font;
    Rgb m_textColor = kBlack;
    bool m_groupOpen = false;
    std::string m_groupKey;
};
