#include "shell/formats/DrawingExport.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include "editor/FigureBuilder.h"
#include "editor/RecordingDrawTarget.h"
#include "io/Figure.h"
#include "model/LattixDoc.h"
#include "planarity/ReplayDrawing.h"
#include "shell/formats/QPainterDrawTarget.h"
#include "shell/formats/SvgStreamTarget.h"

namespace {

const char* const kWriteFailed = "Couldn't save the file";
// An image larger than this (a gigabyte of pixels) is refused rather than allocated.
constexpr double kMaxImagePixels = 256.0 * 1024 * 1024;

// For the time of one export: the selection-only filter hides what is not selected, and
// no element shows the thicker outline of selected ones. Everything is put back after.
class ExportLook {
public:
    ExportLook(CLattixDoc& doc, bool selectionOnly) {
        for (CElement* e : doc.m_elements) {
            m_saved.push_back({e, e->m_hidden, e->m_selected});
            if (selectionOnly && !e->m_selected) e->m_hidden = true;
            e->m_selected = false;
        }
    }
    ~ExportLook() {
        for (const Saved& s : m_saved) s.element->m_hidden = s.hidden, s.element->m_selected = s.selected;
    }
    ExportLook(const ExportLook&) = delete;
    ExportLook& operator=(const ExportLook&) = delete;

private:
    struct Saved {
        CElement* element;
        bool hidden, selected;
    };
    std::vector<Saved> m_saved;
};

CLattixView* EditorOf(CLattixDoc& doc, CDocView* view) {
    if (view && view->IsEditorView()) return static_cast<CLattixView*>(view);
    return doc.GetGraphView();
}

void DrawInto(QPainter& painter, CLattixDoc& doc, CLattixView* view, const Rect& area, bool guides) {
    painter.fillRect(QRect(0, 0, area.Width(), area.Height()), Qt::white);
    QPainterDrawTarget target(painter, Rect{0, 0, area.Width(), area.Height()});
    doc.DrawGraph(target, area.left, area.top, 0, view, guides);
}

bool WritePng(CLattixDoc& doc, CLattixView* view, QSaveFile& file, const Rect& area, const DrawingExportOptions& o,
              std::string& error) {
    const double w = std::ceil(area.Width() * o.scale), h = std::ceil(area.Height() * o.scale);
    if (w * h > kMaxImagePixels || w > 65535 || h > 65535) {
        error = "The picture would be too large; choose a smaller scale.";
        return false;
    }
    QImage image(std::max(1, int(w)), std::max(1, int(h)), QImage::Format_RGB32);
    if (image.isNull()) {
        error = "There is not enough memory for a picture this large.";
        return false;
    }
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.scale(o.scale, o.scale);
        DrawInto(painter, doc, view, area, o.guides);
    }
    return image.save(&file, "PNG");
}

bool WritePdf(CLattixDoc& doc, CLattixView* view, QSaveFile& file, const Rect& area, const DrawingExportOptions& o) {
    QPdfWriter pdf(&file);
    // One pixel of the drawing is a 96th of an inch, as on a usual screen.
    pdf.setResolution(96);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setPageSize(QPageSize(QSizeF(area.Width() * 0.75, area.Height() * 0.75), QPageSize::Point, QString(),
                              QPageSize::ExactMatch));
    pdf.setCreator("Arborix");
    pdf.setTitle(QFileInfo(QString::fromStdString(doc.GetPathName())).completeBaseName());
    QPainter painter;
    if (!painter.begin(&pdf)) return false;
    DrawInto(painter, doc, view, area, o.guides);
    return painter.end();
}

bool WriteSvg(CLattixDoc& doc, CLattixView* view, QSaveFile& file, const Rect& area, const DrawingExportOptions& o) {
    SvgStreamTarget target(file, area.Width(), area.Height(),
                           QFileInfo(QString::fromStdString(doc.GetPathName())).completeBaseName().toStdString());
    doc.DrawGraph(target, area.left, area.top, 0, view, o.guides);
    return target.Finish();
}

bool WriteFigure(CLattixDoc& doc, CLattixView* view, QSaveFile& file, DrawingFormat format,
                 const DrawingExportOptions& o) {
    if (!view) return false;
    const Figure figure = BuildFigure(doc, *view, FigureOptions{o.guides, o.margin, o.selectionOnly});
    std::ostringstream out;
    if (format == DrawingFormat::Tikz) WriteTikz(figure, out);
    else if (format == DrawingFormat::Ipe) WriteIpe(figure, out);
    else WriteDot(figure, out);
    const std::string text = std::move(out).str();
    return file.write(text.data(), qint64(text.size())) == qint64(text.size());
}

} // namespace

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

bool DrawingFormatOf(const std::string& path, DrawingFormat& format) {
    const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    static const std::pair<const char*, DrawingFormat> kSuffixes[] = {
        {"svg", DrawingFormat::Svg},  {"png", DrawingFormat::Png}, {"pdf", DrawingFormat::Pdf},
        {"tex", DrawingFormat::Tikz}, {"ipe", DrawingFormat::Ipe}, {"dot", DrawingFormat::Dot}};
    for (const auto& [s, f] : kSuffixes)
        if (suffix == s) {
            format = f;
            return true;
        }
    return false;
}

Rect ExportArea(const CLattixDoc& doc, std::int32_t margin, bool selectionOnly) {
    const double zoom = doc.ZoomFactor();
    bool any = false;
    Rect box;
    for (const CElement* e : doc.m_elements) {
        if (e->m_hidden || (selectionOnly && !e->m_selected)) continue;
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
    DrawingFormat format;
    if (!DrawingFormatOf(path, format)) {
        error = "The drawing can be exported as .svg, .png, .pdf, .tex, .ipe or .dot only.";
        return false;
    }
    if (!(options.scale > 0 && options.scale <= 16)) {
        error = "The scale must lie between 0 and 16.";
        return false;
    }
    // The file appears only once it is complete; a failed export leaves any old one alone.
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        error = kWriteFailed;
        return false;
    }
    CLattixView* editor = EditorOf(doc, view);
    const Rect area = ExportArea(doc, options.margin, options.selectionOnly);
    bool ok = false;
    {
        // Figures read the selection themselves; the painted formats see it through the look.
        const bool painted = format == DrawingFormat::Svg || format == DrawingFormat::Png || format == DrawingFormat::Pdf;
        std::optional<ExportLook> look;
        if (painted) look.emplace(doc, options.selectionOnly);
        switch (format) {
        case DrawingFormat::Png: ok = WritePng(doc, editor, file, area, options, error); break;
        case DrawingFormat::Pdf: ok = WritePdf(doc, editor, file, area, options); break;
        case DrawingFormat::Svg: ok = WriteSvg(doc, editor, file, area, options); break;
        default: ok = WriteFigure(doc, editor, file, format, options); break;
        }
    }
    if (!ok || !file.commit()) {
        file.cancelWriting();
        if (error.empty()) error = kWriteFailed;
        return false;
    }
    return true;
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
        error = kWriteFailed;
        return false;
    }
    painter.fillRect(QRect(0, 0, width, height), Qt::white);
    QPainterDrawTarget target(painter);
    DrawPQtreeReplay(doc, target, 0, 0);
    painter.end();
    return true;
}
