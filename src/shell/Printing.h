#pragma once
// What a printed page shows of an editor view.

#include <QRect>

class EditorView;
class QPainter;

//! Paints the view's drawing on a page of `page` device pixels, `pixelsPerCanvasPixel` of
//! them to one canvas pixel at actual size. At actual size the page starts at the canvas
//! origin, as the screen would show it at this size; otherwise the drawing, with a small
//! margin, is scaled to fill the page and centred on it, wherever it lies on the canvas.
void PaintPage(EditorView& view, QPainter& painter, QRect page, double pixelsPerCanvasPixel, bool actualSize);
