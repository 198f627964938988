#include "shell/Printing.h"

#include <algorithm>
#include <optional>

#include <QPainter>

#include "model/LattixDoc.h"
#include "shell/views/EditorView.h"
#include "shell/views/Navigation.h"

void PaintPage(EditorView& view, QPainter& painter, QRect page, double pixelsPerCanvasPixel, bool actualSize) {
    const CLattixDoc* doc = view.GetDocument();
    const std::optional<Rect> bounds = doc ? nav::DrawingBounds(*doc) : std::nullopt;
    painter.save();
    painter.translate(page.topLeft());
    if (actualSize || !bounds) {
        const double scale = pixelsPerCanvasPixel;
        painter.scale(scale, scale);
        view.PrintTo(painter, QRect(0, 0, int(page.width() / scale), int(page.height() / scale)));
        painter.restore();
        return;
    }
    // Halos, arrowheads and labels reach a little beyond the elements' boxes.
    constexpr double kMargin = 12;
    const double zoom = doc->ZoomFactor();
    const QRectF drawn(QPointF(bounds->left * zoom - kMargin, bounds->top * zoom - kMargin),
                       QPointF(bounds->right * zoom + kMargin, bounds->bottom * zoom + kMargin));
    const double scale = std::min(page.width() / drawn.width(), page.height() / drawn.height());
    painter.translate(page.width() / 2.0, page.height() / 2.0);
    painter.scale(scale, scale);
    painter.translate(-drawn.center());
    view.PrintTo(painter, drawn.toAlignedRect());
    painter.restore();
}
