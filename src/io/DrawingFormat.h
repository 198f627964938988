#pragma once
// The picture formats a drawing can be exported in, named by the file's extension.

#include <cstdint>
#include <string>

enum class DrawingFormat { Svg, Png, Pdf, Tikz, Ipe, Dot };

struct DrawingExportOptions {
    bool guides = false;        // draw the view's tracks and grid lines as well
    std::int32_t margin = 20;   // white space around the drawing, in pixels
    bool selectionOnly = false; // only the selected elements
    double scale = 1.0;         // PNG only: pixels of the image per pixel of the drawing
};

// The format an export file name asks for: .svg, .png, .pdf, .tex, .ipe, .dot, in any
// case; false for anything else.
bool DrawingFormatOf(const std::string& path, DrawingFormat& format);
