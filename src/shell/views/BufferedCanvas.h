#pragma once
// A scrolling window over the 20000 x 20000 canvas that paints a document view through
// DrawGraph into an off-screen image and copies it to the screen in one step, so a
// redraw never flickers. Editor and PQ-tree views differ only in the drawing mode.

#include <QAbstractScrollArea>
#include <QImage>

class CDocView;
class CLattixDoc;

class BufferedCanvas : public QAbstractScrollArea {
    Q_OBJECT
public:
    BufferedCanvas(CDocView& docView, QWidget* parent);

    // Asks for a fresh picture at the next paint.
    void Invalidate();
    // The picture as it is on screen now (drawn afresh when out of date).
    const QImage& Picture();
    // Scrolls so that the canvas point p (in pixels) is at the top left.
    void ScrollToPixel(int x, int y);

signals:
    // The pane became the one that commands go to.
    void Activated(BufferedCanvas* canvas);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // The plain wheel scrolls a few lines of text per notch (Shift or a sideways wheel
    // scrolls across); with Ctrl it goes to WheelZoom.
    void wheelEvent(QWheelEvent* event) override;
    // Ctrl+wheel by `notches` (positive: away from the user) at a client point; false when
    // the view does not zoom.
    virtual bool WheelZoom(int notches, QPoint client) { return false; }

    // What goes on top of the picture before it reaches the screen (the editor's overlay).
    virtual void ComposeOverlay(QImage& picture) {}
    virtual bool HasOverlay() const { return false; }
    CDocView& DocView() const { return m_docView; }

private:
    void SyncGeometry();
    void Render();

    CDocView& m_docView;
    QImage m_picture;
    QImage m_composed;
    bool m_dirty = true;
    int m_zoomWheelRest = 0; // eighths of a degree not yet turned into a zoom step
};
