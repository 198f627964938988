#include "shell/views/EditorView.h"

#include <QApplication>
#include <QCursor>
#include <QStatusTipEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "model/DrawTarget.h"
#include "editor/ContextMenu.h"
#include "editor/ElementDrawing.h"
#include "model/LattixDoc.h"
#include "shell/CommandGuard.h"
#include "shell/formats/QPainterDrawTarget.h"
#include "shell/menus/ContextMenus.h"
#include "shell/views/Navigation.h"
#include "editor/CommandTable.h"

const char* const EditorView::kZoomPrompt = "Editing works at 100% zoom (Ctrl+0)";

EditorView::EditorView(QWidget* parent) : BufferedCanvas(*this, parent) { viewport()->setMouseTracking(true); }

void EditorView::Repaint() { Invalidate(); }

void EditorView::ScrollTo(Point p) { ScrollToPixel(p.x, p.y); }

void EditorView::RefreshOverlay() { viewport()->update(); }

void EditorView::ShowCursor(std::uint16_t code) {
    switch (code) {
    case 120: viewport()->setCursor(Qt::SizeAllCursor); break;
    case 121: viewport()->setCursor(Qt::DragCopyCursor); break;
    case 122: viewport()->setCursor(Qt::ForbiddenCursor); break;
    default: viewport()->setCursor(Qt::ArrowCursor); break;
    }
}

Point EditorView::ToDocument(QPoint client) const {
    const CLattixDoc* doc = GetDocument();
    const double zoom = doc ? doc->ZoomFactor() : 1.0;
    return {static_cast<std::int32_t>((client.x() + m_scroll.x) / zoom),
            static_cast<std::int32_t>((client.y() + m_scroll.y) / zoom)};
}

void EditorView::paintEvent(QPaintEvent* event) {
    // Painting is when the crossings may be counted again after a drag switched them off.
    if (CLattixDoc* doc = GetDocument()) doc->m_autoCrossings = true;
    BufferedCanvas::paintEvent(event);
}

void EditorView::ComposeOverlay(QImage& picture) {
    const CLattixDoc* doc = GetDocument();
    if (!doc) return;
    QPainter painter(&picture);
    QPainterDrawTarget target(painter);
    target.SetRasterOp(RasterOp::NotXor);
    const Projection proj{doc->ZoomFactor(), m_scroll};
    if (m_overlay.band) {
        target.SetPen(Pen{PenStyle::Dot, 1, MakeRgb(7, 0, 0), false});
        target.SetBrush(std::nullopt);
        target.Rectangle(proj.Map(m_overlay.bandRect.Normalized()));
    }
    if (m_overlay.edge) {
        target.SetPen(Pen::Solid(2, ColorOfEdgeCode(m_overlay.edgeCode)));
        target.Line(proj.Map(m_overlay.edgeFrom), proj.Map(m_overlay.edgeTo));
    }
}

void EditorView::PrintTo(QPainter& painter, QRect page) {
    CLattixDoc* doc = GetDocument();
    if (!doc) return;
    QPainterDrawTarget target(painter, Rect{page.left(), page.top(), page.right(), page.bottom()});
    doc->DrawGraph(target, 0, 0, 0, this, false);
}

// ---------------------------------------------------------------- input

namespace {
unsigned Modifiers(Qt::KeyboardModifiers m) {
    return (m & Qt::ControlModifier ? CLattixDoc::kFlagCtrl : 0u) | (m & Qt::ShiftModifier ? CLattixDoc::kFlagShift : 0u);
}

int VirtualKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Shift: return CLattixDoc::kKeyShift;
    case Qt::Key_Control: return CLattixDoc::kKeyCtrl;
    case Qt::Key_Delete: return CLattixDoc::kKeyDelete;
    default: return 0;
    }
}
} // namespace

void EditorView::StartPan(QPoint client) {
    m_panning = true;
    m_panFrom = client;
    m_panScroll = m_scroll;
    viewport()->setCursor(Qt::ClosedHandCursor);
}

bool EditorView::WheelZoom(int notches, QPoint client) {
    CLattixDoc* doc = GetDocument();
    if (!doc) return false;
    nav::SetZoom(*doc, doc->m_zoomIndex + notches, this, client);
    return true;
}

void EditorView::focusOutEvent(QFocusEvent* event) {
    // A Space released elsewhere never reaches this view.
    m_spaceHeld = false;
    BufferedCanvas::focusOutEvent(event);
}

void EditorView::mousePressEvent(QMouseEvent* event) {
    BufferedCanvas::mousePressEvent(event);
    const QPoint client = event->position().toPoint();
    if (event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && m_spaceHeld)) {
        StartPan(client);
        return;
    }
    if (m_panning) return;
    // Editing works only at 100 %; a press elsewhere is ignored, and the prompt says why.
    if (const CLattixDoc* doc = GetDocument();
        doc && doc->m_zoomIndex != nav::kZoomIndexOf100 && event->button() == Qt::LeftButton) {
        QStatusTipEvent tip(kZoomPrompt);
        QApplication::sendEvent(window(), &tip);
    }
    const Input input = event->button() == Qt::RightButton ? Input::RightDown : Input::LeftDown;
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        Forward(input, Modifiers(event->modifiers()), ToDocument(event->position().toPoint()), 0,
                event->globalPosition().toPoint());
}

void EditorView::mouseMoveEvent(QMouseEvent* event) {
    if (m_panning) {
        const QPoint moved = event->position().toPoint() - m_panFrom;
        ScrollToPixel(m_panScroll.x - moved.x(), m_panScroll.y - moved.y());
        return;
    }
    Forward(Input::Move, Modifiers(event->modifiers()), ToDocument(event->position().toPoint()));
}

void EditorView::mouseReleaseEvent(QMouseEvent* event) {
    if (m_panning) {
        if (event->buttons() & (Qt::LeftButton | Qt::MiddleButton)) return;
        m_panning = false;
        viewport()->setCursor(m_spaceHeld ? Qt::OpenHandCursor : Qt::ArrowCursor);
        return;
    }
    if (event->button() == Qt::LeftButton)
        Forward(Input::LeftUp, Modifiers(event->modifiers()), ToDocument(event->position().toPoint()));
}

void EditorView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space) {
        if (!event->isAutoRepeat() && !m_spaceHeld) {
            m_spaceHeld = true;
            if (!m_panning) viewport()->setCursor(Qt::OpenHandCursor);
        }
        return;
    }
    if (const int key = VirtualKey(event->key()); key && !event->isAutoRepeat()) Forward(Input::KeyDown, 0, {}, key);
    else BufferedCanvas::keyPressEvent(event);
}

void EditorView::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space) {
        if (!event->isAutoRepeat()) {
            m_spaceHeld = false;
            if (!m_panning) viewport()->setCursor(Qt::ArrowCursor);
        }
        return;
    }
    if (const int key = VirtualKey(event->key()); key && !event->isAutoRepeat()) Forward(Input::KeyUp, 0, {}, key);
    else BufferedCanvas::keyReleaseEvent(event);
}

// The one place where the view hands its input to the document. Points arrive already in
// document coordinates and modifiers as the document's flags; the document keeps all
// interaction state and decides what an event means (the widget only paints).
void EditorView::Forward(Input input, unsigned flags, Point point, int key, QPoint screen) {
    CLattixDoc* doc = GetDocument();
    if (!doc) return;
    const CommandGuard guard(window());
    // The press grabs the mouse until the release, as Qt does for the pressed button.
    switch (input) {
    case Input::LeftDown: doc->OnLButtonDown(this, flags, point); break;
    case Input::Move: doc->OnMouseMove(this, flags, point); break;
    case Input::LeftUp: doc->OnLButtonUp(this, flags, point); break;
    case Input::KeyDown: doc->OnKeyDown(this, key); break;
    case Input::KeyUp: doc->OnKeyUp(this, key); break;
    case Input::RightDown: {
        const ContextMenu menu = doc->OnRButtonDown(this, flags, point);
        // The menu opens where the button went down, which is not always where the
        // pointer is by the time the event arrives.
        const int chosen = ShowContextMenu(menu, screen, this);
        doc->OnContextMenuClosed(menu);
        if (chosen) ExecuteCommand(*doc, this, chosen);
        break;
    }
    }
}
