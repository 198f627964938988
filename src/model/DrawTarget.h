#pragma once
// The drawing surface the renderer draws on: pens, brushes, fonts, lines, rectangles,
// ellipses and single-line text. The shell implements it on QPainter (screen, printer,
// SVG, PNG); tests record the calls.

#include <cstdint>
#include <optional>
#include <string>

#include "model/Colors.h"
#include "model/Geometry.h"

enum class PenStyle { Solid, Dash, DashDot, DashDotDot, Dot, Null };

struct Pen {
    PenStyle style = PenStyle::Solid;
    std::int32_t width = 1;
    Rgb color = kBlack;
    // A geometric pen has flat line ends (the dashed pens of edges and tracks).
    bool flatEnds = false;

    friend bool operator==(const Pen&, const Pen&) = default;
    static Pen Solid(std::int32_t width, Rgb color) { return {PenStyle::Solid, width, color, false}; }
    static Pen Geometric(PenStyle style, std::int32_t width, Rgb color) { return {style, width, color, true}; }
    static Pen None() { return {PenStyle::Null, 0, kBlack, false}; }
};

struct Font {
    std::string face = "Arial";
    // Character height (without internal leading), or, with cellHeight, the full cell height.
    std::int32_t height = 12;
    bool cellHeight = false;
    // Average character width; 0 lets the face choose.
    std::int32_t width = 0;

    friend bool operator==(const Font&, const Font&) = default;
};

struct TextSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

enum class TextAlign {
    Center,       // centred horizontally and vertically
    CenterBottom, // centred horizontally, on the bottom edge
    CenterTop,    // centred horizontally, on the top edge
    LeftTop,      // from the top-left corner
};

// How drawn pixels combine with what is there: plain copy, or the inverting mode of
// rubber bands and edges being dragged out (drawing twice restores the picture).
enum class RasterOp { Copy, NotXor };

class DrawTarget {
public:
    virtual ~DrawTarget() = default;

    virtual void SetPen(const Pen& pen) = 0;
    // A fill colour, or nullopt for no fill.
    virtual void SetBrush(std::optional<Rgb> fill) = 0;
    virtual void SetFont(const Font& font) = 0;
    virtual void SetTextColor(Rgb color) = 0;
    virtual void SetRasterOp(RasterOp op) = 0;

    // The part of the target that can show anything, in target pixels, when it is bounded.
    // The renderer may leave out what lies wholly outside; nullopt means draw everything.
    virtual std::optional<Rect> VisibleArea() const { return std::nullopt; }

    virtual void Line(Point from, Point to) = 0;
    // Outline with the pen, inside filled with the brush.
    virtual void Rectangle(const Rect& r) = 0;
    virtual void Ellipse(const Rect& bounds) = 0;
    virtual void FillRect(const Rect& r, Rgb color) = 0;

    // Size of a single line of text in the current font.
    virtual TextSize MeasureText(const std::string& text) = 0;
    // Single line of text in the rectangle, on a transparent background.
    virtual void Text(const std::string& text, const Rect& r, TextAlign align) = 0;
};
