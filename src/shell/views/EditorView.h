#pragma once
// The graph editor view on screen: a CLattixView whose picture comes from DrawGraph, with
// the rubber band and the edge being drawn laid over it in inverting mode.

#include "model/DocView.h"
#include "shell/views/BufferedCanvas.h"

class QPainter;

class EditorView final : public BufferedCanvas, public CLattixView {
    Q_OBJECT
public:
    explicit EditorView(QWidget* parent = nullptr);

    // The status prompt when a press is ignored away from 100 % zoom.
    static const char* const kZoomPrompt;

    void Repaint() override;
    void ScrollTo(Point p) override;
    void RefreshOverlay() override;
    void ShowCursor(std::uint16_t code) override;

    // Document point under a client point: scroll first, then zoom, truncated.
    Point ToDocument(QPoint client) const;
    // Prints from the canvas origin, without guides.
    void PrintTo(QPainter& painter, QRect page);

protected:
    void paintEvent(QPaintEvent* event) override;
    void ComposeOverlay(QImage& picture) override;
    bool HasOverlay() const override { return m_overlay.band || m_overlay.edge; }

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool WheelZoom(int notches, QPoint client) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Panning: the middle button, or the left button while Space is held, drags the
    // canvas under the pointer; the document sees none of it.
    void StartPan(QPoint client);
    bool m_spaceHeld = false;
    bool m_panning = false;
    QPoint m_panFrom;
    Point m_panScroll;

    enum class Input { LeftDown, Move, LeftUp, RightDown, KeyDown, KeyUp };
    void Forward(Input input, unsigned flags, Point point, int key = 0, QPoint screen = {});
};
