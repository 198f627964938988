#pragma once
// The drawing of a document as one view shows it, turned into a Figure for the TikZ, Ipe
// and DOT writers: visible vertices and edges (bent edges as one polyline), the guides
// when asked for, everything moved so the figure starts at its top-left corner.

#include <cstdint>

#include "io/Figure.h"

class CLattixDoc;
class CLattixView;

struct FigureOptions {
    bool guides = false;       // the view's tracks and grid lines
    std::int32_t margin = 20;  // white space around the drawing, in document units
    bool selectionOnly = false; // only selected vertices and selected edges between them
};

Figure BuildFigure(const CLattixDoc& doc, const CLattixView& view, const FigureOptions& options);
