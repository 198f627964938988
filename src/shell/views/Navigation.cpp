#include "shell/views/Navigation.h"

#include <algorithm>
#include <cmath>

#include "model/DocView.h"
#include "model/Element.h"
#include "model/LattixDoc.h"

namespace nav {

namespace {
// White space kept around a fitted drawing, in pixels.
constexpr int kFitMargin = 16;

double FactorOf(int index) { return CLattixDoc::m_zoomTable[std::size_t(std::clamp(index, 0, kZoomSteps - 1))]; }
} // namespace

Point ScrollKeeping(double docX, double docY, QPoint client, double zoom, std::int32_t clientWidth,
                    std::int32_t clientHeight) {
    const auto hold = [](double v, std::int32_t client) {
        const double top = std::max(0, kCanvasSize - std::max(client, 0));
        return std::int32_t(std::clamp(std::floor(v), 0.0, top));
    };
    return {hold(docX * zoom - client.x(), clientWidth), hold(docY * zoom - client.y(), clientHeight)};
}

void SetZoom(CLattixDoc& doc, int index, CLattixView* focus, std::optional<QPoint> anchor) {
    index = std::clamp(index, 0, kZoomSteps - 1);
    const double before = doc.ZoomFactor();
    const double after = FactorOf(index);
    // Each view's fixed point, in document units, taken before the zoom changes.
    struct Keep {
        CDocView* view;
        QPoint client;
        double x, y;
    };
    std::vector<Keep> keep;
    for (CDocView* view : doc.Views()) {
        if (!view->IsEditorView()) continue;
        const QPoint client = view == focus && anchor ? *anchor : QPoint(view->m_clientWidth / 2, view->m_clientHeight / 2);
        keep.push_back({view, client, (view->m_scroll.x + client.x()) / before, (view->m_scroll.y + client.y()) / before});
    }
    if (doc.m_zoomIndex != index) {
        // The zoom is saved with the document but undo keeps it: no checkpoint.
        doc.m_zoomIndex = index;
        doc.SetModifiedFlag(true);
    }
    for (const Keep& k : keep)
        k.view->ScrollTo(ScrollKeeping(k.x, k.y, k.client, after, k.view->m_clientWidth, k.view->m_clientHeight));
    doc.RepaintAllViews();
}

std::optional<Rect> DrawingBounds(const CLattixDoc& doc) {
    std::optional<Rect> box;
    const auto add = [&box](const Rect& r) {
        if (!box) box = r;
        else box = Rect{std::min(box->left, r.left), std::min(box->top, r.top), std::max(box->right, r.right),
                        std::max(box->bottom, r.bottom)};
    };
    for (const CElement* e : doc.m_elements)
        if (!e->m_hidden) add(e->GetRect());
    return box;
}

int FittingZoomIndex(const Rect& bounds, std::int32_t clientWidth, std::int32_t clientHeight) {
    const double w = std::max<std::int64_t>(1, std::int64_t(bounds.right) - bounds.left);
    const double h = std::max<std::int64_t>(1, std::int64_t(bounds.bottom) - bounds.top);
    const double roomX = std::max(1, clientWidth - 2 * kFitMargin);
    const double roomY = std::max(1, clientHeight - 2 * kFitMargin);
    for (int i = kZoomSteps - 1; i > 0; --i)
        if (w * FactorOf(i) <= roomX && h * FactorOf(i) <= roomY) return i;
    return 0;
}

bool FitDrawing(CLattixDoc& doc, CLattixView& view) {
    const std::optional<Rect> bounds = DrawingBounds(doc);
    if (!bounds) return false;
    const int index = FittingZoomIndex(*bounds, view.m_clientWidth, view.m_clientHeight);
    SetZoom(doc, index, &view, std::nullopt);
    const Point centre = bounds->Center();
    view.ScrollTo(ScrollKeeping(centre.x, centre.y, QPoint(view.m_clientWidth / 2, view.m_clientHeight / 2),
                                FactorOf(index), view.m_clientWidth, view.m_clientHeight));
    doc.RepaintAllViews();
    return true;
}

} // namespace nav
