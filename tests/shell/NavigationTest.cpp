// Zooming and scrolling through a real editor view: Ctrl+wheel about the pointer, the
// zoom keys and box about the centre, Fit Drawing, panning, and the prompt that says why
// a click away from 100 % does nothing.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "QtTestApp.h"
#include "editor/CommandIds.h"
#include "model/LattixDoc.h"
#include "shell/ChildFrame.h"
#include "shell/CommandTable.h"
#include "shell/views/EditorView.h"

namespace {

const QString kExample = QString(ARBORIX_TEST_DATA) + "/../examples/level-graph.lxd";

struct ViewSession : Started {
    EditorView* view = nullptr;
    CLattixDoc* doc = nullptr;

    explicit ViewSession(QStringList args = {"arborix", kExample}) : Started(args) {
        view = dynamic_cast<EditorView*>(frame().ActiveView());
        doc = view ? view->GetDocument() : nullptr;
    }
    QWidget* Surface() const { return view->viewport(); }
    // The document point (in units, unrounded) under a client point.
    QPointF DocPointAt(QPoint client) const {
        const double z = doc->ZoomFactor();
        return {(view->m_scroll.x + client.x()) / z, (view->m_scroll.y + client.y()) / z};
    }
    void Wheel(QPoint at, int delta, Qt::KeyboardModifiers mods) {
        QWheelEvent wheel(at, Surface()->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, mods, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Surface(), &wheel);
    }
    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent e(type, at, Surface()->mapToGlobal(at), button, held, {});
        QApplication::sendEvent(Surface(), &e);
    }
    void Key(QEvent::Type type, int key) {
        QKeyEvent e(type, key, {});
        QApplication::sendEvent(view, &e);
    }
};

} // namespace

TEST(Navigation, CtrlWheelStepsTheZoomAboutThePointer) {
    ViewSession s;
    ASSERT_TRUE(s.ok && s.view);
    s.view->ScrollTo({100, 50});
    const QPoint at(200, 150);
    const QPointF under = s.DocPointAt(at);
    s.Wheel(at, 120, Qt::ControlModifier);
    EXPECT_EQ(s.doc->m_zoomIndex, 10);
    EXPECT_NEAR(s.DocPointAt(at).x(), under.x(), 1.0);
    EXPECT_NEAR(s.DocPointAt(at).y(), under.y(), 1.0);
    s.Wheel(at, -240, Qt::ControlModifier);
    EXPECT_EQ(s.doc->m_zoomIndex, 8);
    EXPECT_NEAR(s.DocPointAt(at).x(), under.x(), 1.5);
    EXPECT_NEAR(s.DocPointAt(at).y(), under.y(), 1.5);
    EXPECT_TRUE(s.doc->IsModified()); // the zoom is saved with the document

    // The plain wheel scrolls a few lines per notch, not the 3-pixel line step.
    s.view->ScrollTo({100, 400});
    s.Wheel(at, -120, {});
    EXPECT_EQ(s.view->m_scroll.y, 448);
    EXPECT_EQ(s.view->m_scroll.x, 100);
    EXPECT_EQ(s.doc->m_zoomIndex, 8);
}

TEST(Navigation, KeysAndTheBoxKeepTheCentreAndCtrl0ComesBack) {
    ViewSession s;
    ASSERT_TRUE(s.ok && s.view);
    s.view->ScrollTo({300, 200});
    const QPoint centre(s.view->m_clientWidth / 2, s.view->m_clientHeight / 2);
    const QPointF middle = s.DocPointAt(centre);
    s.frame().Action(cmd::kZoomIn)->trigger();
    EXPECT_EQ(s.doc->m_zoomIndex, 10);
    s.frame().ZoomBox()->setCurrentIndex(12);
    emit s.frame().ZoomBox()->activated(12);
    EXPECT_EQ(s.doc->m_zoomIndex, 12);
    EXPECT_NEAR(s.DocPointAt(centre).x(), middle.x(), 1.0);
    EXPECT_NEAR(s.DocPointAt(centre).y(), middle.y(), 1.0);
    s.frame().Action(cmd::kZoomActualSize)->trigger();
    EXPECT_EQ(s.doc->m_zoomIndex, 9);
    EXPECT_NEAR(s.DocPointAt(centre).x(), middle.x(), 1.0);
    for (int i = 0; i < 20; ++i) s.frame().Action(cmd::kZoomOut)->trigger();
    EXPECT_EQ(s.doc->m_zoomIndex, 0); // the table's end holds
}

TEST(Navigation, FitDrawingShowsTheWholeDrawingAtTheLargestZoomThatHoldsIt) {
    ViewSession s;
    ASSERT_TRUE(s.ok && s.view);
    s.view->ScrollTo({5000, 5000});
    s.frame().Action(cmd::kFitDrawing)->trigger();
    const double z = s.doc->ZoomFactor();
    Rect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (const CElement* e : s.doc->m_elements) {
        const Rect r = e->GetRect();
        box = {std::min(box.left, r.left), std::min(box.top, r.top), std::max(box.right, r.right),
               std::max(box.bottom, r.bottom)};
    }
    EXPECT_GE(box.left * z - s.view->m_scroll.x, 0);
    EXPECT_GE(box.top * z - s.view->m_scroll.y, 0);
    EXPECT_LE(box.right * z - s.view->m_scroll.x, s.view->m_clientWidth);
    EXPECT_LE(box.bottom * z - s.view->m_scroll.y, s.view->m_clientHeight);
    // One step larger would not hold it.
    ASSERT_LT(s.doc->m_zoomIndex, 13);
    const double next = CLattixDoc::m_zoomTable[std::size_t(s.doc->m_zoomIndex + 1)];
    EXPECT_TRUE((box.right - box.left) * next > s.view->m_clientWidth - 32 ||
                (box.bottom - box.top) * next > s.view->m_clientHeight - 32);
}

TEST(Navigation, MiddleButtonAndSpaceWithTheLeftButtonPanWithoutEditing) {
    ViewSession s({"arborix"});
    ASSERT_TRUE(s.ok && s.view);
    s.view->ScrollTo({1000, 1000});
    s.Mouse(QEvent::MouseButtonPress, {100, 100}, Qt::MiddleButton, Qt::MiddleButton);
    s.Mouse(QEvent::MouseMove, {80, 90}, Qt::NoButton, Qt::MiddleButton);
    s.Mouse(QEvent::MouseMove, {60, 70}, Qt::NoButton, Qt::MiddleButton);
    s.Mouse(QEvent::MouseButtonRelease, {60, 70}, Qt::MiddleButton, Qt::NoButton);
    EXPECT_EQ(s.view->m_scroll, (Point{1040, 1030}));

    // With Space held, the left button pans too: the Vertex tool adds nothing.
    s.Key(QEvent::KeyPress, Qt::Key_Space);
    s.Mouse(QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    s.Mouse(QEvent::MouseMove, {150, 120}, Qt::NoButton, Qt::LeftButton);
    s.Mouse(QEvent::MouseButtonRelease, {150, 120}, Qt::LeftButton, Qt::NoButton);
    s.Key(QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_EQ(s.view->m_scroll, (Point{990, 1010}));
    EXPECT_TRUE(s.doc->m_elements.empty());

    // Space released: the left button edits again.
    s.Mouse(QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    s.Mouse(QEvent::MouseButtonRelease, {100, 100}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(s.doc->m_elements.size(), 1u);
}

TEST(Navigation, AClickAwayFrom100PercentPromptsInsteadOfEditing) {
    ViewSession s({"arborix"});
    ASSERT_TRUE(s.ok && s.view);
    s.frame().Action(cmd::kZoomIn)->trigger();
    s.Mouse(QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    s.Mouse(QEvent::MouseButtonRelease, {100, 100}, Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(s.doc->m_elements.empty());
    EXPECT_EQ(s.frame().StatusText(2), "Editing works at 100% zoom (Ctrl+0)");
    EXPECT_TRUE(s.boxes.messages.empty()); // a prompt, not a message box

    s.frame().Action(cmd::kZoomActualSize)->trigger();
    s.Mouse(QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    s.Mouse(QEvent::MouseButtonRelease, {100, 100}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(s.doc->m_elements.size(), 1u);
}
