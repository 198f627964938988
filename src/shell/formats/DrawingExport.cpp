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
#include "model/Platform.h"
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

// Passes every call on to the real target and reports progress by the shapes drawn. Once
// the user cancels, shapes are dropped so the drawing pass ends at once, and the export is
// abandoned.
class ProgressDrawTarget final : public DrawTarget {
public:
    ProgressDrawTarget(DrawTarget& inner, IPlatform& platform, std::size_t elements) : m_inner(inner) {
        // Small drawings take no time worth showing.
        if (elements >= kProgressFrom) {
            m_total = std::int64_t(elements) * 2;
            m_progress = platform.BeginProgress("Exporting the drawing", m_total);
        }
    }
    bool Cancelled() const { return m_cancelled; }

    void SetPen(const Pen& pen) override { m_inner.SetPen(pen); }
    void SetBrush(std::optional<Rgb> fill) override { m_inner.SetBrush(fill); }
    void SetFont(const Font& font) override { m_inner.SetFont(font); }
    void SetTextColor(Rgb color) override { m_inner.SetTextColor(color); }
    void SetRasterOp(RasterOp op) override { m_inner.SetRasterOp(op); }
    std::optional<Rect> VisibleArea() const override { return m_inner.VisibleArea(); }
    void Line(Point from, Point to) override {
        if (Step()) m_inner.Line(from, to);
    }
    void Rectangle(const Rect& r) override {
        if (Step()) m_inner.Rectangle(r);
    }
    void Ellipse(const Rect& bounds) override {
        if (Step()) m_inner.Ellipse(bounds);
    }
    void FillRect(const Rect& r, Rgb color) override {
        if (Step()) m_inner.FillRect(r, color);
    }
    TextSize MeasureText(const std::string& text) override { return m_inner.MeasureText(text); }
    void Text(const std::string& text, const Rect& r, TextAlign align) override {
        if (Step()) m_inner.Text(text, r, align);
    }

private:
    static constexpr std::size_t kProgressFrom = 50'000;

    bool Step() {
        if (m_cancelled) return false;
        if (m_progress && ++m_done % 4096 == 0 && !m_progress->Update(std::min(m_done, m_total))) m_cancelled = true;
        return !m_cancelled;
    }

    DrawTarget& m_inner;
    std::unique_ptr<IProgress> m_progress;
    std::int64_t m_total = 0, m_done = 0;
    bool m_cancelled = false;
};

// Draws the document onto `target` with progress; false when the user cancelled.
bool DrawWithProgress(CLattixDoc& doc, DrawTarget& target, CLattixView* view, const Rect& area, bool guides,
                      bool& cancelled) {
    ProgressDrawTarget watched(target, doc.Platform(), doc.m_elements.size());
    doc.DrawGraph(watched, area.left, area.top, 0, view, guides);
    cancelled = watched.Cancelled();
    return !cancelled;
}

CLattixView* EditorOf(CLattixDoc& doc, CDocView* view) {
    if (view && view->IsEditorView()) return static_cast<CLattixView*>(view);
    return doc.GetGraphView();
}

bool DrawInto(QPainter& painter, CLattixDoc& doc, CLattixView* view, const Rect& area, bool guides, bool& cancelled) {
    painter.fillRect(QRect(0, 0, area.Width(), area.Height()), Qt::white);
    QPainterDrawTarget target(painter, Rect{0, 0, area.Width(), area.Height()});
    return DrawWithProgress(doc, target, view, area, guides, cancelled);
}

bool WritePng(CLattixDoc& doc, CLattixView* view, QSaveFile& file, const Rect& area, const DrawingExportOptions& o,
              std::string& error, bool& cancelled) {
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
        if (!DrawInto(painter, doc, view, area, o.guides, cancelled)) return false;
    }
    return image.save(&file, "PNG");
}

bool WritePdf(CLattixDoc& doc, CLattixView* view, QSaveFile& file, const Rect& area, const DrawingExportOptions& o,
              bool& cancelled) {
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
    const bool drawn = DrawInto(painter, doc, view, area, o.guides, cancelled);
    return painter.end() && drawn;
}

bool WriteSvg(CLattixDoc& doc, CLattixView* view, QSaveFile& file, const Rect& area, const DrawingExportOptions& o,
              bool& cancelled) {
    SvgStreamTarget target(file, area.Width(), area.Height(),
                           QFileInfo(QString::fromStdString(doc.GetPathName())).completeBaseName().toStdString());
    const bool drawn = DrawWithProgress(doc, target, view, area, o.guides, cancelled);
    return target.Finish() && drawn;
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
    bool ok = false, cancelled = false;
    {
        // Figures read the selection themselves; the painted formats see it through the look.
        const bool painted = format == DrawingFormat::Svg || format == DrawingFormat::Png || format == DrawingFormat::Pdf;
        std::optional<ExportLook> look;
        if (painted) look.emplace(doc, options.selectionOnly);
        switch (format) {
        case DrawingFormat::Png: ok = WritePng(doc, editor, file, area, options, error, cancelled); break;
        case DrawingFormat::Pdf: ok = WritePdf(doc, editor, file, area, options, cancelled); break;
        case DrawingFormat::Svg: ok = WriteSvg(doc, editor, file, area, options, cancelled); break;
        default: ok = WriteFigure(doc, editor, file, format, options); break;
        }
    }
    if (!ok || !file.commit()) {
        file.cancelWriting();
        // A cancelled export leaves `error` empty: there is nothing to report.
        if (error.empty() && !cancelled) error = kWriteFailed;
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
