#include "shell/formats/DrawingExport.h"

#include <algorithm>

#include <QFileInfo>
#include <QPainter>
#include <QSvgGenerator>

#include "model/LattixDoc.h"
#include "shell/formats/QPainterDrawTarget.h"
#include "editor/RecordingDrawTarget.h"
#include "planarity/ReplayDrawing.h"

QImage RenderViewImage(CLattixDoc& doc, CDocView* view, Point scroll, std::int32_t width, std::int32_t height,
                       bool drawGuides) {
    QImage image(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QPainterDrawTarget target(painter, Rect{0, 0, image.width(), image.height()});
    const int mode = view && !view->IsEditorView() ? 2 : 0;
    doc.DrawGraph(target, scroll.x, scroll.y, mode, view, drawGuides);
    return image;
}

Rect ExportArea(const CLattixDoc& doc, std::int32_t margin) {
    const double zoom = doc.ZoomFactor();
    bool any = false;
    Rect box;
    for (const CElement* e : doc.m_elements) {
        if (e->m_hidden) continue;
        // Halos reach 6 units past a vertex; edges lie between their end points.
        const Rect r = e->IsVertex() ? e->GetRect().Inflated(6, 6, 6, 6) : e->GetRect();
        box = any ? Rect{std::min(box.left, r.left), std::min(box.top, r.top), std::max(box.right, r.right),
                         std::max(box.bottom, r.bottom)}
                  : r;
        any = true;
    }
    if (!any) return {0, 0, 2 * margin + 160, 2 * margin + 160};
    auto scale = [zoom](std::int32_t c) { return static_cast<std::int32_t>(c * zoom); };
    return {scale(box.left) - margin, scale(box.top) - margin, scale(box.right) + margin, scale(box.bottom) + margin};
}

bool ExportDrawing(CLattixDoc& doc, CDocView* view, const std::string& path, const DrawingExportOptions& options,
                   std::string& error) {
    const Rect area = ExportArea(doc, options.margin);
    const QString file = QString::fromStdString(path);
    const QString suffix = QFileInfo(file).suffix().toLower();
    CLattixView* editor = view && view->IsEditorView() ? static_cast<CLattixView*>(view) : nullptr;
    if (suffix == "png") {
        const QImage image =
            RenderViewImage(doc, view, {area.left, area.top}, area.Width(), area.Height(), options.guides);
        if (!image.save(file, "PNG")) {
            error = "Couldn't save the file";
            return false;
        }
        return true;
    }
    if (suffix == "svg") {
        QSvgGenerator svg;
        svg.setFileName(file);
        svg.setSize(QSize(area.Width(), area.Height()));
        svg.setViewBox(QRect(0, 0, area.Width(), area.Height()));
        svg.setTitle(QFileInfo(QString::fromStdString(doc.GetPathName())).completeBaseName());
        svg.setDescription("Drawn by Arborix");
        QPainter painter;
        if (!painter.begin(&svg)) {
            error = "Couldn't save the file";
            return false;
        }
        painter.fillRect(QRect(0, 0, area.Width(), area.Height()), Qt::white);
        QPainterDrawTarget target(painter, Rect{0, 0, area.Width(), area.Height()});
        doc.DrawGraph(target, area.left, area.top, 0, editor, options.guides);
        painter.end();
        return true;
    }
    error = "The drawing can be exported as .png or .svg only.";
    return false;
}

bool ExportReplaySvg(CLattixDoc& doc, const std::string& path, std::string& error) {
    // A first pass on a recording target finds how far the replay reaches.
    RecordingDrawTarget probe;
    DrawPQtreeReplay(doc, probe, 0, 0);
    std::int32_t width = 300, height = 120;
    for (const auto& op : probe.Ops()) {
        const Rect r = op.kind == RecordingDrawTarget::Op::Line ? Rect::Spanning(op.a, op.b) : op.rect;
        width = std::max(width, r.right + 50);
        height = std::max(height, r.bottom + 50);
    }
    QSvgGenerator svg;
    svg.setFileName(QString::fromStdString(path));
    svg.setSize(QSize(width, height));
    svg.setViewBox(QRect(0, 0, width, height));
    svg.setTitle("PQ-tree reduction");
    svg.setDescription("Drawn by Arborix");
    QPainter painter;
    if (!painter.begin(&svg)) {
        error = "Couldn't save the file";
        return false;
    }
    painter.fillRect(QRect(0, 0, width, height), Qt::white);
    QPainterDrawTarget target(painter);
    DrawPQtreeReplay(doc, target, 0, 0);
    painter.end();
    return true;
}
