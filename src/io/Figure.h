#pragma once
// A drawing as the figure writers (TikZ, Ipe, DOT) see it: vertices with their labels,
// edges as polylines through their bends, and the guides. Coordinates are document units
// measured from the figure's top-left corner, y growing downwards; the writers flip y
// where their format counts upwards.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "model/Colors.h"
#include "model/Geometry.h"

enum class LineDash { Solid, Dash, DashDot, DashDotDot };

struct FigureVertex {
    std::uint32_t id = 0;
    Point center;
    std::int32_t radius = 10;
    Rgb fill = kWhite;
    Rgb textColor = kBlack;
    Rgb highlight = kNoHighlight; // a halo 5 units wider than the disc
    std::string label;            // Latin-1, as the document holds names
};

struct FigureEdge {
    std::size_t from = 0, to = 0; // indices into Figure::vertices
    // From the attachment point on `from` through the bends to the one on `to`.
    std::vector<Point> points;
    // The bend points drawn on the edge, one per inner point of `points`.
    std::vector<Rgb> bendFills;
    std::int32_t bendRadius = 3;
    int colorCode = kEdgeBlue;
    Rgb color = 0;
    LineDash dash = LineDash::Solid;
    Rgb highlight = kNoHighlight; // a band 7 units wide under the edge
    bool showWeight = false;
    std::int32_t weight = 0;
};

struct FigureTrack {
    std::int32_t index = 0; // track number; drawn as a label when `labelled`
    std::int32_t y = 0;
    Rgb color = 0;
    std::int32_t width = 1;
    LineDash dash = LineDash::Solid;
    bool labelled = false;
};

struct Figure {
    std::int32_t width = 0, height = 0;
    bool directed = false;
    std::vector<FigureVertex> vertices;
    std::vector<FigureEdge> edges;
    std::vector<FigureTrack> tracks;       // horizontal guide lines
    std::vector<std::int32_t> gridLines;   // x of the vertical guide lines
    Rgb gridColor = MakeRgb(200, 200, 200);
};

// Each writes the whole figure to `out`; the caller checks the stream.
void WriteTikz(const Figure& figure, std::ostream& out);
void WriteIpe(const Figure& figure, std::ostream& out);
void WriteDot(const Figure& figure, std::ostream& out);
