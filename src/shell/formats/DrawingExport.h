#pragma once
// Pictures of a document outside the window: an off-screen image of a view, and the
// drawing written as SVG, PNG, PDF, TikZ, Ipe or DOT (by the export dialog and by
// arborix-cli render).

#include <cstdint>
#include <string>

#include <QImage>

#include "io/DrawingFormat.h"
#include "model/Geometry.h"

class CLattixDoc;
class CDocView;

// The view's picture at a scroll position: white, then DrawGraph (mode 0 for an editor
// view, 2 for a PQ-tree view).
QImage RenderViewImage(CLattixDoc& doc, CDocView* view, Point scroll, std::int32_t width, std::int32_t height,
                       bool drawGuides);

// The part of the canvas, in view pixels at the document's zoom, that an export shows:
// every element (or every selected one) with the margin around it.
Rect ExportArea(const CLattixDoc& doc, std::int32_t margin, bool selectionOnly = false);

// Writes the drawing as seen in `view` in the format its extension names; false with
// `error` set when it could not (then no file is left half written). Large drawings show
// progress; when the user cancels, the result is false with `error` empty.
bool ExportDrawing(CLattixDoc& doc, CDocView* view, const std::string& path, const DrawingExportOptions& options,
                   std::string& error);

// Writes the PQ-tree replay (what the PQ-tree window shows) as an SVG picture tall
// enough for every recorded step; false with `error` set when it could not.
bool ExportReplaySvg(CLattixDoc& doc, const std::string& path, std::string& error);
