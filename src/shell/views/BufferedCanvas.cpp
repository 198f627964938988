#include "shell/views/BufferedCanvas.h"

#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include "model/DocView.h"
#include "model/LattixDoc.h"
#include "shell/formats/DrawingExport.h"
#include "shell/views/Navigation.h"

namespace {
// The scrolling extent is the canvas in pixels whatever the zoom; page and line steps as
// the editor has always had them.
constexpr int kExtent = kCanvasSize;
constexpr int kPageStep = 50;
constexpr int kLineStep = 3;
} // namespace

BufferedCanvas::BufferedCanvas(CDocView& docView, QWidget* parent) : QAbstractScrollArea(parent), m_docView(docView) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        bar->setSingleStep(kLineStep);
        bar->setPageStep(kPageStep);
        bar->setRange(0, kExtent);
    }
    // The view's own fields are set at the first resize: the document view part of the
    // derived class is not built yet while this constructor runs.
}

void BufferedCanvas::SyncGeometry() {
    const QSize size = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, kExtent - size.width()));
    verticalScrollBar()->setRange(0, std::max(0, kExtent - size.height()));
    m_docView.m_clientWidth = size.width();
    m_docView.m_clientHeight = size.height();
    m_docView.m_scroll = {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void BufferedCanvas::Invalidate() {
    m_dirty = true;
    viewport()->update();
}

void BufferedCanvas::Render() {
    CLattixDoc* doc = m_docView.GetDocument();
    const QSize size = viewport()->size();
    if (!doc) {
        m_picture = QImage(size.expandedTo({1, 1}), QImage::Format_RGB32);
        m_picture.fill(Qt::white);
    } else {
        m_picture = RenderViewImage(*doc, &m_docView, m_docView.m_scroll, size.width(), size.height(), true);
    }
    m_dirty = false;
}

const QImage& BufferedCanvas::Picture() {
    if (m_docView.m_clientWidth != viewport()->width() || m_docView.m_clientHeight != viewport()->height())
        SyncGeometry();
    if (m_dirty || m_picture.size() != viewport()->size().expandedTo({1, 1})) Render();
    return m_picture;
}

void BufferedCanvas::ScrollToPixel(int x, int y) {
    horizontalScrollBar()->setValue(x);
    verticalScrollBar()->setValue(y);
    m_docView.m_scroll = {horizontalScrollBar()->value(), verticalScrollBar()->value()};
    Invalidate();
}

void BufferedCanvas::paintEvent(QPaintEvent*) {
    const QImage& picture = Picture();
    QPainter painter(viewport());
    if (HasOverlay()) {
        m_composed = picture.copy();
        ComposeOverlay(m_composed);
        painter.drawImage(0, 0, m_composed);
    } else {
        painter.drawImage(0, 0, picture);
    }
}

void BufferedCanvas::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    SyncGeometry();
    Invalidate();
}

void BufferedCanvas::scrollContentsBy(int, int) {
    // The whole picture is drawn afresh, so the left-anchored track numbers never smear.
    m_docView.m_scroll = {horizontalScrollBar()->value(), verticalScrollBar()->value()};
    Invalidate();
}

void BufferedCanvas::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    emit Activated(this);
}

void BufferedCanvas::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    emit Activated(this);
    QAbstractScrollArea::mousePressEvent(event);
}

void BufferedCanvas::wheelEvent(QWheelEvent* event) {
    constexpr int kNotch = 120; // eighths of a degree
    QPoint delta = event->angleDelta();
    if (event->modifiers() & Qt::ControlModifier) {
        m_zoomWheelRest += delta.y();
        const int notches = m_zoomWheelRest / kNotch;
        m_zoomWheelRest -= notches * kNotch;
        if (notches == 0 || WheelZoom(notches, event->position().toPoint())) {
            event->accept();
            return;
        }
    }
    if (event->modifiers() & Qt::ShiftModifier && delta.x() == 0) delta = {delta.y(), 0};
    // Wheels that report pixels (touchpads) scroll by them; notched wheels by a fixed step.
    const QPoint pixels = event->pixelDelta();
    const QPoint step = !pixels.isNull() && delta == event->angleDelta() ? pixels : delta * nav::kWheelStepPixels / kNotch;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - step.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() - step.y());
    event->accept();
}
