// Editing with the mouse through a real editor view: the view converts the events and the
// document edits. Clicks and drags go through QTest on the offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTest>

#include "QtTestApp.h"
#include "editor/CommandIds.h"
#include "model/LattixDoc.h"
#include "shell/menus/ColorMenu.h"
#include "shell/views/EditorView.h"

namespace {

struct EditingSession : Started {
    EditorView* view = nullptr;
    CLattixDoc* doc = nullptr;

    EditingSession() {
        view = dynamic_cast<EditorView*>(frame().ActiveView());
        doc = view ? view->GetDocument() : nullptr;
    }
    QWidget* Surface() const { return view->viewport(); }
    void Command(int id) { frame().Action(id)->trigger(); }
    void Click(QPoint p, Qt::KeyboardModifiers mods = {}) { QTest::mouseClick(Surface(), Qt::LeftButton, mods, p); }
    void Drag(QPoint from, QPoint to) {
        QTest::mousePress(Surface(), Qt::LeftButton, {}, from);
        QTest::mouseMove(Surface(), (from + to) / 2);
        QTest::mouseMove(Surface(), to);
        QTest::mouseRelease(Surface(), Qt::LeftButton, {}, to);
    }
    std::size_t Count(bool vertices) const {
        std::size_t n = 0;
        for (CElement* e : doc->m_elements) n += e->IsVertex() == vertices;
        return n;
    }
    CVertex* VertexNamed(const std::string& name) const {
        for (CElement* e : doc->m_elements)
            if (e->IsVertex() && e->m_name == name) return e->AsVertex();
        return nullptr;
    }
};

} // namespace

TEST(Editing, DrawSnapSelectRecolourAndUndoItAll) {
    EditingSession s;
    ASSERT_TRUE(s.ok);
    ASSERT_NE(s.view, nullptr);
    s.frame().resize(1000, 800);
    Flush();

    // A triangle: three vertices, then three blue edges.
    s.Click({100, 100});
    s.Click({200, 100});
    s.Click({150, 200});
    ASSERT_EQ(s.Count(true), 3u);
    s.Command(cmd::kToolBlueEdge);
    EXPECT_TRUE(s.frame().Action(cmd::kToolBlueEdge)->isChecked());
    s.Drag({100, 100}, {200, 100});
    s.Drag({200, 100}, {150, 200});
    s.Drag({150, 200}, {100, 100});
    ASSERT_EQ(s.Count(false), 3u);

    // Tracks with snapping: vertex 3 dropped near track 8 lands on it.
    s.Command(cmd::kToolPointer);
    s.Command(cmd::kShowTracks);
    s.Command(cmd::kSnapToGuides);
    s.Drag({150, 200}, {150, 244});
    EXPECT_EQ(s.VertexNamed("3")->m_center, (Point{150, 240}));

    // A rubber band over everything selects the whole triangle.
    s.Drag({40, 40}, {300, 300});
    EXPECT_EQ(s.doc->m_selection.size(), 6u);

    // The context menu of a vertex recolours every selected vertex.
    int colourEntries = 0;
    QPoint menuAt;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        menuAt = menu->pos();
        for (QAction* a : menu->actions()) {
            auto* colours = qobject_cast<CColorMenu*>(a->menu());
            if (!colours) continue;
            EXPECT_EQ(a->text(), "Vertex &Color");
            for (QAction* c : colours->actions()) {
                ++colourEntries;
                if (c->data().toInt() == 103) c->trigger();
            }
        }
    });
    QTest::mouseClick(s.Surface(), Qt::RightButton, {}, {100, 100});
    EXPECT_EQ(colourEntries, 15);
    EXPECT_EQ(menuAt, s.Surface()->mapToGlobal(QPoint(100, 100))); // where the button went down
    for (const char* name : {"1", "2", "3"}) EXPECT_EQ(s.VertexNamed(name)->m_color, ColorIdToRgb(103)) << name;

    // Undo walks every step back to the empty document.
    while (s.frame().Action(cmd::kEditUndo)->isEnabled()) {
        s.Command(cmd::kEditUndo);
        s.frame().UpdateCommandUI();
    }
    EXPECT_TRUE(s.doc->m_elements.empty());
    EXPECT_FALSE(s.frame().Action(cmd::kEditUndo)->isEnabled());
}

TEST(Editing, DeleteKeyAndCursorFollowThePointer) {
    EditingSession s;
    ASSERT_TRUE(s.ok);
    s.frame().resize(1000, 800);
    Flush();
    s.Click({300, 300});
    s.Command(cmd::kToolPointer);
    s.Click({300, 300});
    QTest::mouseMove(s.Surface(), {301, 301});
    EXPECT_EQ(s.Surface()->cursor().shape(), Qt::SizeAllCursor);
    QTest::keyClick(s.view, Qt::Key_Delete);
    EXPECT_EQ(s.Count(true), 0u);
}
