#pragma once
// The drawing target on a QPainter: the screen (through an off-screen image), printers,
// PNG images and SVG files all draw through it.

#include <optional>

#include <QColor>
#include <QPen>

#include "model/DrawTarget.h"

class QPainter;

QColor ToQColor(Rgb rgb);
// Text measured as QPainterDrawTarget measures it, for targets that write files.
TextSize MeasureTextIn(const Font& font, const std::string& text);
// The pixel size of the Qt font that stands for `font`.
int PixelSizeOf(const Font& font);

class QPainterDrawTarget final : public DrawTarget {
public:
    // `visible` is the area that can show anything, in the painter's coordinates; the
    // renderer leaves out what lies wholly outside it.
    explicit QPainterDrawTarget(QPainter& painter, std::optional<Rect> visible = std::nullopt);

    void SetPen(const Pen& pen) override;
    void SetBrush(std::optional<Rgb> fill) override;
    void SetFont(const Font& font) override;
    void SetTextColor(Rgb color) override;
    void SetRasterOp(RasterOp op) override;
    std::optional<Rect> VisibleArea() const override { return m_visible; }

    void Line(Point from, Point to) override;
    void Rectangle(const Rect& r) override;
    void Ellipse(const Rect& bounds) override;
    void FillRect(const Rect& r, Rgb color) override;
    TextSize MeasureText(const std::string& text) override;
    void Text(const std::string& text, const Rect& r, TextAlign align) override;

private:
    void UseShapePen();

    QPainter& m_painter;
    std::optional<Rect> m_visible;
    QPen m_pen;
    QColor m_textColor = Qt::black;
    bool m_painterHasShapePen = false;
    const struct CachedFont* m_font = nullptr;
};
