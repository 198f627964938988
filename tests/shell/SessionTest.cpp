// One session as a user runs it, through the real window: draw a level graph with the
// mouse, test it, look at the PQ-trees, draw it level planar and as ULP trees, add a
// random tree, undo, save, quit, start again and reopen the file from the recent files.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "QtTestApp.h"
#include "editor/CommandIds.h"
#include "model/LattixDoc.h"
#include "shell/ChildFrame.h"
#include "shell/dialogs/IntegerDialogs.h"
#include "shell/views/EditorView.h"

namespace {

std::size_t Vertices(const CLattixDoc& doc) {
    std::size_t n = 0;
    for (CElement* e : doc.m_elements) n += e->IsVertex() && !e->AsVertex()->m_isBend;
    return n;
}

QAction* FileMenuEntry(CMainFrame& frame, int id) {
    for (QAction* top : frame.CurrentMenuBar()->actions())
        if (top->text() == "&File")
            for (QAction* a : top->menu()->actions())
                if (a->data().toInt() == id) return a;
    return nullptr;
}

} // namespace

TEST(Session, DrawTestDrawUndoSaveQuitAndReopenFromRecentFiles) {
    const QString path = QDir::tempPath() + "/arborix-session.lxd";
    QFile::remove(path);
    std::size_t savedVertices = 0;
    {
        Started s;
        ASSERT_TRUE(s.ok);
        s.frame().resize(1100, 800);
        // Keys reach the accelerators of the active window only.
        s.frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&s.frame()));
        Flush();
        auto* view = dynamic_cast<EditorView*>(s.frame().ActiveView());
        ASSERT_NE(view, nullptr);
        CLattixDoc* doc = view->GetDocument();
        QWidget* surface = view->viewport();
        const auto menu = [&](int id) {
            QAction* a = s.frame().Action(id);
            ASSERT_TRUE(a->isEnabled()) << id;
            a->trigger();
        };
        int dialogs = 0;
        s.app.Platform().m_dialogDriver = [&dialogs](QDialog& d) {
            ++dialogs;
            if (auto* size = dynamic_cast<CRandomTreeDialog*>(&d)) size->Field()->setText("7");
            d.accept();
        };

        // Tracks with snapping and automatic track numbers: a root on level 1, two
        // children on level 2 and two grandchildren on level 4, joined crosswise.
        menu(cmd::kShowTracks);
        menu(cmd::kSnapToGuides);
        menu(cmd::kAutoTrackNumbers);
        for (QPoint p : {QPoint(150, 33), QPoint(100, 62), QPoint(200, 58), QPoint(100, 118), QPoint(200, 122)})
            QTest::mouseClick(surface, Qt::LeftButton, {}, p);
        ASSERT_EQ(Vertices(*doc), 5u);
        menu(cmd::kToolBlueEdge);
        const auto drag = [&](QPoint from, QPoint to) {
            QTest::mousePress(surface, Qt::LeftButton, {}, from);
            QTest::mouseMove(surface, to);
            QTest::mouseRelease(surface, Qt::LeftButton, {}, to);
        };
        drag({150, 30}, {100, 60});
        drag({150, 30}, {200, 60});
        drag({100, 60}, {200, 120});
        drag({200, 60}, {100, 120});
        s.frame().UpdateCommandUI();
        EXPECT_EQ(s.frame().StatusText(0), "1 Crossing (Blue)");

        menu(cmd::kPlanarityTesting);
        EXPECT_EQ(s.boxes.messages.back(), "The graph is planar.");

        menu(cmd::kNewPqTreeWindow);
        EXPECT_EQ(s.frame().ActiveFrame()->Kind(), ViewKind::PQtree);
        EXPECT_FALSE(doc->m_pqTrees.empty());
        s.frame().MdiArea()->setActiveSubWindow(s.frame().Frames().front());
        ASSERT_EQ(s.frame().ActiveView(), view);

        menu(cmd::kDrawLevelPlanarGraph);

        s.frame().UpdateCommandUI();
        EXPECT_EQ(s.frame().StatusText(0), "0 Crossings");

        const int dialogsBefore = dialogs;
        menu(cmd::kDrawUlpTrees);
        EXPECT_EQ(dialogs, dialogsBefore + 1);
        s.frame().UpdateCommandUI();
        EXPECT_EQ(s.frame().StatusText(0), "0 Crossings");

        menu(cmd::kRandomLabeledTree);
        EXPECT_EQ(Vertices(*doc), 12u);

        // Ctrl+Z in the view: the tree goes in one step, then the ULP drawing.
        // Without a window manager nobody hands activation back after the dialogs.
        s.frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&s.frame()));
        QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Vertices(*doc), 5u);
        QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(s.frame().Action(cmd::kEditRedo)->isEnabled());
        savedVertices = Vertices(*doc);

        s.app.m_fileDialogDriver = [&](bool save, const QString& suggested) {
            EXPECT_TRUE(save);
            EXPECT_EQ(suggested, "Arborix1.lxd");
            return path;
        };
        QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
        ASSERT_TRUE(QFile::exists(path));
        EXPECT_FALSE(doc->IsModified());
        EXPECT_EQ(s.frame().windowTitle(), "Arborix - arborix-session.lxd[*]");

        FileMenuEntry(s.frame(), cmd::kAppExit)->trigger();
        EXPECT_FALSE(s.frame().isVisible());
        for (const std::string& q : s.boxes.questions) EXPECT_NE(q.rfind("save ", 0), 0u) << q; // saved: not asked
    }

    Started again;
    ASSERT_TRUE(again.ok);
    ASSERT_FALSE(again.app.RecentFiles().isEmpty());
    EXPECT_EQ(again.app.RecentFiles().front(), QFileInfo(path).absoluteFilePath());
    QAction* recent = FileMenuEntry(again.frame(), cmd::kFileMruFirst);
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(recent->text(), "&1 arborix-session.lxd");
    recent->trigger();
    CLattixDoc* reopened = again.frame().ActiveDocument();
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(again.app.Title(reopened), "arborix-session.lxd");
    EXPECT_EQ(Vertices(*reopened), savedVertices);
    EXPECT_EQ(again.app.Documents().size(), 2u);
}

TEST(Session, QuittingWithUnsavedChangesAsksAndCancelKeepsTheWindow) {
    Started s;
    ASSERT_TRUE(s.ok);
    s.frame().ActiveDocument()->SetModifiedFlag(true);
    s.boxes.saveAnswer = SaveChangesAnswer::Cancel;
    s.frame().Action(cmd::kAppExit)->trigger();
    EXPECT_EQ(s.boxes.questions, std::vector<std::string>{"save Arborix1"});
    EXPECT_TRUE(s.frame().isVisible());
    s.boxes.saveAnswer = SaveChangesAnswer::Discard;
    s.frame().Action(cmd::kAppExit)->trigger();
    EXPECT_FALSE(s.frame().isVisible());
}
