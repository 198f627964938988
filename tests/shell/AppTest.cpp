// The whole program without a screen: start-up, windows, commands and their updates.

#include <gtest/gtest.h>

#include <QTest>

#include <fstream>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMenuBar>
#include <QEventLoop>
#include <QMdiArea>
#include <QTimer>

#include "QtTestApp.h"
#include "editor/CommandIds.h"
#include "model/LattixDoc.h"
#include "shell/ChildFrame.h"
#include "shell/LattixApp.h"
#include "shell/MainFrame.h"
#include "shell/dialogs/ExportDrawingDialog.h"

#include <QDoubleSpinBox>
#include <QCheckBox>
#include <functional>

namespace {

const QString kExample = QString(ARBORIX_TEST_DATA) + "/../examples/triangle-and-path.lxd";

QStringList MenuTitles(CMainFrame& frame) {
    QStringList titles;
    for (QAction* a : frame.CurrentMenuBar()->actions()) titles << a->text();
    return titles;
}

std::size_t VertexCount(const CLattixDoc& doc) {
    std::size_t n = 0;
    for (CElement* e : doc.m_elements) n += e->IsVertex();
    return n;
}

QString WriteTempFile(const char* name, const std::string& bytes) {
    const QString path = QDir::tempPath() + "/" + name;
    std::ofstream(path.toStdString(), std::ios::binary) << bytes;
    return path;
}

} // namespace

TEST(Startup, WithoutArgumentsOneEmptyDocumentInAMaximisedWindow) {
    Started s;
    ASSERT_TRUE(s.ok);
    EXPECT_TRUE(s.frame().windowState() & Qt::WindowMaximized);
    ASSERT_EQ(s.app.Documents().size(), 1u);
    EXPECT_TRUE(s.app.Documents()[0]->m_elements.empty());
    EXPECT_EQ(s.frame().Frames().size(), 1u);
    ASSERT_NE(s.frame().ActiveView(), nullptr);
    EXPECT_TRUE(s.frame().ActiveView()->IsEditorView());
    EXPECT_EQ(s.app.Title(s.app.Documents()[0].get()), "Arborix1");
    EXPECT_EQ(s.frame().windowTitle(), "Arborix - Arborix1[*]");
    EXPECT_TRUE(MenuTitles(s.frame()).contains("&Graph"));
    EXPECT_EQ(s.frame().StatusText(0), "0 Crossings");
    EXPECT_EQ(s.frame().StatusText(2), "Ready");
}

TEST(Startup, AFileArgumentOpensThatFileInstead) {
    Started s({"arborix", kExample});
    ASSERT_TRUE(s.ok);
    ASSERT_EQ(s.app.Documents().size(), 1u);
    const CLattixDoc& doc = *s.app.Documents()[0];
    EXPECT_EQ(VertexCount(doc), 6u);
    EXPECT_EQ(s.frame().Frames().front()->windowTitle(), "triangle-and-path.lxd");
    EXPECT_FALSE(s.frame().Action(cmd::kEditUndo)->isEnabled());
    EXPECT_TRUE(s.app.RecentFiles().contains(QFileInfo(kExample).absoluteFilePath()));
}

TEST(Startup, AnUnreadableFileArgumentShowsItsMessageAndTheWindowStays) {
    const QString bad = WriteTempFile("arborix-not-a-graph.lxd", "this is text, not a graph");
    Started s({"arborix", bad});
    EXPECT_TRUE(s.ok);
    EXPECT_EQ(s.boxes.messages, std::vector<std::string>{"Invalid File Type"});
    EXPECT_TRUE(s.app.Documents().empty());
    EXPECT_TRUE(s.frame().Frames().empty());
    EXPECT_TRUE(s.frame().isVisible());
    // From there the user carries on as after closing the last document, or quits.
    s.frame().Action(cmd::kFileNew)->trigger();
    EXPECT_EQ(s.app.Documents().size(), 1u);
    EXPECT_EQ(s.frame().Frames().size(), 1u);
    s.frame().Action(cmd::kFileClose)->trigger();
    Flush();
    s.frame().activateWindow();
    QTest::keyClick(&s.frame(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(s.frame().isVisible());
}

TEST(FileCommands, AFailedOpenShowsTheMessageAndOpensNothing) {
    Started s;
    const QString bad = WriteTempFile("arborix-bad.lxd", "garbage");
    s.app.m_fileDialogDriver = [bad](bool save, const QString&) { return save ? QString() : bad; };
    s.frame().Action(cmd::kFileOpen)->trigger();
    EXPECT_EQ(s.boxes.messages, std::vector<std::string>{"Invalid File Type"});
    EXPECT_EQ(s.app.Documents().size(), 1u);
    ASSERT_EQ(s.frame().Frames().size(), 1u);
    EXPECT_EQ(s.frame().Frames().front()->windowTitle(), "Arborix1");
    EXPECT_FALSE(s.app.RecentFiles().contains(bad));
}

TEST(FileCommands, NewOpensAnotherEditorWindow) {
    Started s;
    s.frame().Action(cmd::kFileNew)->trigger();
    ASSERT_EQ(s.app.Documents().size(), 2u);
    ASSERT_EQ(s.frame().Frames().size(), 2u);
    EXPECT_EQ(s.frame().ActiveFrame()->Kind(), ViewKind::Editor);
    EXPECT_EQ(s.frame().ActiveDocument(), s.app.Documents()[1].get());
    EXPECT_EQ(s.frame().windowTitle(), "Arborix - Arborix2[*]");
}

TEST(FileCommands, SaveAsWritesTheDocumentAndRenamesTheWindow) {
    Started s;
    CLattixDoc* doc = s.frame().ActiveDocument();
    doc->AddElement(new CVertex(100, 100, ColorIdToRgb(101)));
    doc->CheckPoint();
    const QString path = QDir::tempPath() + "/arborix-saved.lxd";
    QFile::remove(path);
    s.app.m_fileDialogDriver = [path](bool save, const QString& suggested) {
        EXPECT_TRUE(save);
        EXPECT_EQ(suggested, "Arborix1.lxd");
        return path;
    };
    s.frame().Action(cmd::kFileSaveAs)->trigger();
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(s.frame().Frames().front()->windowTitle(), "arborix-saved.lxd");
}

TEST(FileCommands, ClosingAModifiedDocumentAsksAndCancelKeepsIt) {
    Started s;
    CLattixDoc* doc = s.frame().ActiveDocument();
    doc->SetModifiedFlag(true);
    s.boxes.saveAnswer = SaveChangesAnswer::Cancel;
    s.frame().Action(cmd::kFileClose)->trigger();
    EXPECT_EQ(s.boxes.questions, std::vector<std::string>{"save Arborix1"});
    EXPECT_EQ(s.app.Documents().size(), 1u);

    s.boxes.saveAnswer = SaveChangesAnswer::Discard;
    s.frame().Action(cmd::kFileClose)->trigger();
    Flush();
    EXPECT_TRUE(s.app.Documents().empty());
    EXPECT_TRUE(s.frame().Frames().empty());
    EXPECT_EQ(MenuTitles(s.frame()), (QStringList{"&File", "&View", "&Help"}));
    EXPECT_EQ(s.frame().windowTitle(), "Arborix");
}

TEST(Commands, UndoAndRedoFollowTheHistory) {
    Started s;
    CLattixDoc* doc = s.frame().ActiveDocument();
    QAction* undo = s.frame().Action(cmd::kEditUndo);
    QAction* redo = s.frame().Action(cmd::kEditRedo);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    doc->AddElement(new CVertex(100, 100, ColorIdToRgb(101)));
    doc->CheckPoint();
    s.frame().UpdateCommandUI();
    EXPECT_TRUE(undo->isEnabled());
    undo->trigger();
    EXPECT_TRUE(doc->m_elements.empty());
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_TRUE(redo->isEnabled());
    EXPECT_EQ(undo->shortcuts(), (QList<QKeySequence>{QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}));
    redo->trigger();
    EXPECT_EQ(doc->m_elements.size(), 1u);
    EXPECT_FALSE(redo->isEnabled());
}

TEST(Commands, ModesCarryCheckMarks) {
    Started s;
    QAction* upward = s.frame().Action(cmd::kUpwardMode);
    EXPECT_TRUE(upward->isCheckable());
    EXPECT_FALSE(upward->isChecked());
    upward->trigger();
    EXPECT_TRUE(s.frame().ActiveDocument()->m_upwardMode);
    EXPECT_TRUE(upward->isChecked());
}

TEST(ZoomBox, FollowsTheActiveDocumentAndSetsItsZoom) {
    Started s;
    CLattixDoc* first = s.frame().ActiveDocument();
    CChildFrame* firstFrame = s.frame().ActiveFrame();
    s.app.OnFileNew();
    CLattixDoc* second = s.frame().ActiveDocument();
    second->m_zoomIndex = 12;
    s.frame().UpdateCommandUI();
    EXPECT_EQ(s.frame().ZoomBox()->currentText(), "200%");
    s.frame().MdiArea()->setActiveSubWindow(firstFrame);
    s.frame().UpdateCommandUI();
    EXPECT_EQ(s.frame().ZoomBox()->currentText(), "100%");

    ASSERT_EQ(s.frame().ZoomBox()->count(), 14);
    s.frame().ZoomBox()->setCurrentIndex(3);
    emit s.frame().ZoomBox()->activated(3);
    EXPECT_EQ(first->m_zoomIndex, 3);
    EXPECT_EQ(second->m_zoomIndex, 12);
}

TEST(Windows, SplitShowsOneDocumentInFourPanesWithTheirOwnSettings) {
    Started s;
    CChildFrame* frame = s.frame().ActiveFrame();
    CLattixDoc* doc = frame->Document();
    s.frame().Action(cmd::kWindowSplit)->trigger();
    ASSERT_EQ(frame->PaneCount(), 4);
    EXPECT_EQ(doc->Views().size(), 4u);
    auto views = frame->Views();
    static_cast<CLattixView*>(views[1])->SetColorShown(kEdgeBlue, false);
    EXPECT_TRUE(static_cast<CLattixView*>(views[0])->IsColorShown(kEdgeBlue));
    views[2]->ScrollTo({300, 0});
    EXPECT_EQ(views[2]->m_scroll.x, 300);
    EXPECT_EQ(views[3]->m_scroll.x, 0);

    s.frame().Action(cmd::kWindowSplit)->trigger(); // back to one pane
    EXPECT_EQ(frame->PaneCount(), 1);
    EXPECT_EQ(doc->Views().size(), 1u);
}

TEST(Windows, PQtreeWindowIsASecondViewOnTheDocument) {
    Started s;
    CLattixDoc* doc = s.frame().ActiveDocument();
    s.frame().Action(cmd::kNewPqTreeWindow)->trigger();
    EXPECT_EQ(s.frame().Frames().size(), 2u);
    EXPECT_EQ(s.frame().ActiveFrame()->Kind(), ViewKind::PQtree);
    EXPECT_EQ(doc->GetGraphView(), s.frame().Frames().front()->ActiveView());
    // Closing the extra window leaves the document open.
    s.frame().ActiveFrame()->close();
    Flush();
    EXPECT_EQ(s.app.Documents().size(), 1u);
    EXPECT_EQ(doc->Views().size(), 1u);
}

// Runs File > Export Drawing with the dialog set by `choose`, saving to `path`.
static void ExportThroughDialog(Started& s, const QString& path, std::function<void(CExportDrawingDialog&)> choose) {
    s.app.m_fileDialogDriver = [path](bool, const QString&) { return path; };
    s.app.Platform().m_dialogDriver = [choose](QDialog& d) {
        auto& dialog = dynamic_cast<CExportDrawingDialog&>(d);
        choose(dialog);
        dialog.accept();
    };
    s.frame().Action(cmd::kExportDrawing)->trigger();
}

TEST(Export, DialogChoicesReachTheFile) {
    Started s({"arborix", kExample});
    const QString one = QDir::tempPath() + "/arborix-export-1.png", two = QDir::tempPath() + "/arborix-export-2.png";
    QFile::remove(one);
    QFile::remove(two);
    auto png = [](double scale) {
        return [scale](CExportDrawingDialog& d) {
            d.FormatBox()->setCurrentIndex(d.FormatBox()->findText("PNG"));
            d.ScaleBox()->setValue(scale);
        };
    };
    ExportThroughDialog(s, one, png(1));
    ExportThroughDialog(s, two, png(2));
    const QImage a(one), b(two);
    ASSERT_FALSE(a.isNull());
    ASSERT_FALSE(b.isNull());
    EXPECT_GT(a.width(), 300);
    EXPECT_NEAR(b.width(), 2 * a.width(), 1);
    EXPECT_NEAR(b.height(), 2 * a.height(), 1);

    // The scale applies to PNG only, and nothing selected leaves only the whole drawing.
    s.app.Platform().m_dialogDriver = [](QDialog& d) {
        auto& dialog = dynamic_cast<CExportDrawingDialog&>(d);
        dialog.FormatBox()->setCurrentIndex(dialog.FormatBox()->findText("PDF"));
        EXPECT_FALSE(dialog.ScaleBox()->isEnabled());
        EXPECT_FALSE(dialog.GuidesBox()->isChecked());
        dialog.reject();
    };
    s.app.Documents()[0]->ClearSelection();
    s.frame().Action(cmd::kExportDrawing)->trigger();
}

TEST(FileCommands, OpenImportsDotAsANewUntitledDocument) {
    Started s;
    const QString dot = WriteTempFile("arborix-open.dot", "digraph { a -> b -> c; a [color=red] }");
    s.app.m_fileDialogDriver = [dot](bool save, const QString&) { return save ? QString() : dot; };
    s.frame().Action(cmd::kFileOpen)->trigger();
    ASSERT_EQ(s.app.Documents().size(), 2u);
    CLattixDoc* doc = s.app.Documents()[1].get();
    EXPECT_EQ(VertexCount(*doc), 3u);
    EXPECT_TRUE(doc->m_directed);
    EXPECT_EQ(s.app.Title(doc), "arborix-open");
    EXPECT_TRUE(doc->GetPathName().empty());
    EXPECT_FALSE(doc->IsModified());

    const QString bad = WriteTempFile("arborix-bad.gml", "graph [ node [ id 1 ] edge [ source 1 target 9 ] ]");
    s.app.m_fileDialogDriver = [bad](bool save, const QString&) { return save ? QString() : bad; };
    s.frame().Action(cmd::kFileOpen)->trigger();
    EXPECT_EQ(s.app.Documents().size(), 2u);
    ASSERT_EQ(s.boxes.messages.size(), 1u);
    EXPECT_NE(s.boxes.messages[0].find("GML"), std::string::npos);
}
