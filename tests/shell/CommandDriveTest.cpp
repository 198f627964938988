// Every menu entry driven once through the menu on a small document: each must reach a
// handler that does something the user can see, or be disabled by its update rule.

#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressDialog>
#include <QTest>
#include <QToolBar>

#include "QtTestApp.h"
#include "editor/CommandIds.h"
#include "io/DocumentFormat.h"
#include "model/LattixDoc.h"
#include "shell/ChildFrame.h"
#include "shell/CommandTable.h"
#include "shell/menus/ColorMenu.h"

namespace {

const QString kExample = QString(ARBORIX_TEST_DATA) + "/../examples/triangle-and-path.lxd";

struct MenuEntry {
    QString menu;
    QString text;
    int id;
    QAction* action;
};

void Collect(const QString& title, QMenu& menu, std::vector<MenuEntry>& out) {
    for (QAction* a : menu.actions()) {
        if (a->isSeparator()) continue;
        if (a->menu()) Collect(title, *a->menu(), out);
        else out.push_back({title, a->text(), a->data().toInt(), a});
    }
}

std::vector<MenuEntry> EntriesOf(CMainFrame& frame, const QString& title) {
    std::vector<MenuEntry> out;
    for (QAction* top : frame.CurrentMenuBar()->actions())
        if (top->text() == title) Collect(title, *top->menu(), out);
    return out;
}

// Everything a command could change that the user would notice, in one string.
std::string Observed(CMainFrame& frame, const CLattixDoc& doc, const RecordedBoxes& boxes, int dialogs) {
    std::string s;
    const auto bytes = WriteDocument(doc);
    s += std::to_string(std::hash<std::string_view>{}(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())));
    const auto add = [&s](auto v) { s += "," + std::to_string(v); };
    add(doc.IsModified());
    add(doc.UndoDepth());
    add(doc.RedoDepth());
    add(doc.m_clipboard.size());
    add(doc.m_selection.size());
    add(doc.m_tool);
    add(doc.m_directed);
    add(doc.m_showName);
    add(doc.m_showStNumber);
    add(doc.m_showWeight);
    add(doc.m_showTrack);
    add(doc.m_upwardMode);
    add(doc.m_sefeMode);
    add(doc.m_ulpMode);
    add(doc.m_autoTrack);
    add(doc.m_topToBottom);
    add(doc.m_currentColor);
    for (CDocView* v : doc.Views()) {
        add(int(v->Kind()));
        if (!v->IsEditorView()) continue;
        const auto* view = static_cast<const CLattixView*>(v);
        add(view->m_guideMode);
        add(view->m_snapToGuides);
        add(view->m_lockToTracks);
        for (bool shown : view->m_showColor) add(shown);
        add(view->m_showDashedEdges);
        int coloured = 0;
        for (auto c : view->m_trackColors) coloured += c != 0;
        add(coloured);
    }
    add(frame.Frames().size());
    add(frame.ActiveFrame() ? frame.ActiveFrame()->PaneCount() : 0);
    add(frame.ToolbarShown());
    add(frame.StatusBarShown());
    add(boxes.messages.size());
    add(boxes.questions.size());
    add(dialogs);
    return s;
}

struct Driver : Started {
    int dialogs = 0;
    int copies = 0;
    std::vector<QString> written;

    explicit Driver(QStringList args = {"arborix"}) : Started(args) {
        // Every dialog is counted and confirmed as it comes up.
        app.Platform().m_dialogDriver = [this](QDialog& d) {
            ++dialogs;
            d.accept();
        };
        app.Platform().m_exportPathDriver = [this]() -> std::optional<std::string> {
            ++dialogs;
            return Written("export.txt").toStdString();
        };
        app.m_fileDialogDriver = [this](bool save, const QString& suggested) {
            ++dialogs;
            return save ? Written(QFileInfo(suggested).fileName()) : FreshCopy();
        };
    }
    QString Written(const QString& name) {
        written.push_back(QDir::tempPath() + "/arborix-drive-" + name);
        QFile::remove(written.back());
        return written.back();
    }
    // A copy of the example under a new name, so each opens as a document of its own.
    QString FreshCopy() {
        const QString path = QDir::tempPath() + QString("/arborix-drive-copy%1.lxd").arg(++copies);
        QFile::remove(path);
        QFile::copy(kExample, path);
        return path;
    }
    // The example with everything selected, one undo and one redo step available, a
    // coloured track and the Pointer tool; what a command needs to have an effect.
    CLattixDoc* Prepare(int id = 0) {
        CLattixDoc* doc = app.OpenDocumentFile(FreshCopy());
        for (CElement* e : doc->m_elements) doc->AddToSelection(e);
        doc->OnFlipHorizontally();
        doc->OnFlipHorizontally();
        doc->OnEditUndo();
        if (auto* view = dynamic_cast<CLattixView*>(frame().ActiveView())) view->m_trackColors[3] = 105;
        doc->SetTool(id == cmd::kToolPointer ? kToolVertex : kToolPointer);
        // Swapping adjacency lists takes exactly two vertices.
        if (id == cmd::kSwapAdjacency) {
            doc->ClearSelection();
            int vertices = 0;
            for (CElement* e : doc->m_elements)
                if (e->IsVertex() && vertices++ < 2) doc->AddToSelection(e);
        }
        // The zoom commands need a zoom to change.
        if (id == cmd::kZoomActualSize || id == cmd::kFitDrawing) doc->m_zoomIndex = 0;
        frame().UpdateCommandUI();
        return doc;
    }
    std::string Seen(const CLattixDoc& doc) { return Observed(frame(), doc, boxes, dialogs); }
};

// Rejects whatever modal dialog comes up (the toolkit's print dialogs) and counts it.
struct ModalCloser {
    QTimer timer;
    int closed = 0;
    ModalCloser() {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ++closed;
                d->reject();
            }
        });
        timer.start(10);
    }
};

} // namespace

TEST(EveryCommand, EachMenuEntryOfTheDocumentMenusDoesSomething) {
    Driver s;
    ASSERT_TRUE(s.ok);
    s.frame().resize(1000, 700);
    std::vector<MenuEntry> entries;
    for (const char* menu : {"&Edit", "&Graph", "Algorithms", "Random Generators", "Grid and &Tracks", "&Window", "&Help"}) {
        const auto more = EntriesOf(s.frame(), menu);
        entries.insert(entries.end(), more.begin(), more.end());
    }
    ASSERT_GT(entries.size(), 60u);
    // Window arrangement is checked with several windows below.
    const std::vector<int> arranging = {cmd::kWindowCascade, cmd::kWindowTileHorz, cmd::kWindowTileVert,
                                        cmd::kWindowArrange};
    int driven = 0;
    for (const MenuEntry& e : entries) {
        if (std::find(arranging.begin(), arranging.end(), e.id) != arranging.end()) continue;
        CLattixDoc* doc = s.Prepare(e.id);
        ASSERT_TRUE(e.action->isEnabled()) << e.text.toStdString();
        const std::string before = s.Seen(*doc);
        e.action->trigger();
        EXPECT_NE(s.Seen(*doc), before) << e.menu.toStdString() << " > " << e.text.toStdString();
        ++driven;
        s.app.CloseDocument(doc);
        Flush();
    }
    EXPECT_EQ(driven, int(entries.size() - arranging.size()));
    EXPECT_EQ(s.app.Documents().size(), 1u); // the empty one of the start
}

TEST(EveryCommand, FileMenuEntries) {
    Driver s;
    ASSERT_TRUE(s.ok);
    ModalCloser closer;
    for (const MenuEntry& e : EntriesOf(s.frame(), "&File")) {
        if (e.id == cmd::kAppExit || e.id >= cmd::kFileMruFirst) continue;
        CLattixDoc* doc = s.Prepare();
        const std::size_t docs = s.app.Documents().size();
        const int closedBefore = closer.closed;
        const std::string before = s.Seen(*doc);
        e.action->trigger();
        Flush();
        if (e.id == cmd::kFileClose) {
            EXPECT_EQ(s.app.Documents().size(), docs - 1);
            continue;
        }
        const bool changed = s.Seen(*doc) != before || closer.closed > closedBefore;
        EXPECT_TRUE(changed) << e.text.toStdString();
        std::vector<CLattixDoc*> open;
        for (const auto& p : s.app.Documents()) open.push_back(p.get());
        for (CLattixDoc* d : open) s.app.CloseDocument(d);
        Flush();
    }
    // The picture exports and the text export wrote their files.
    for (const QString& path : s.written) {
        if (path.endsWith(".lxd")) continue;
        EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
    }
}

TEST(EveryCommand, WindowArrangementWithTwoDocuments) {
    Driver s;
    ASSERT_TRUE(s.ok);
    s.frame().resize(1000, 700);
    s.app.OnFileNew();
    auto frames = s.frame().Frames();
    ASSERT_EQ(frames.size(), 2u);
    const QRect area = s.frame().MdiArea()->viewport()->rect();

    s.frame().Action(cmd::kWindowTileHorz)->trigger();
    EXPECT_EQ(frames[0]->width(), area.width());
    EXPECT_EQ(frames[1]->width(), area.width());
    EXPECT_NE(frames[0]->y(), frames[1]->y());

    s.frame().Action(cmd::kWindowTileVert)->trigger();
    EXPECT_EQ(frames[0]->height(), area.height());
    EXPECT_NE(frames[0]->x(), frames[1]->x());

    s.frame().Action(cmd::kWindowCascade)->trigger();
    EXPECT_NE(frames[0]->pos(), frames[1]->pos());

    frames[0]->showMinimized();
    s.frame().Action(cmd::kWindowArrange)->trigger();
    EXPECT_EQ(frames[0]->geometry().bottom(), area.bottom());
    EXPECT_EQ(frames[0]->x(), 0);
}

TEST(EveryCommand, F6WalksThePanesOfASplitWindow) {
    Driver s;
    ASSERT_TRUE(s.ok);
    CChildFrame* frame = s.frame().ActiveFrame();
    s.frame().Action(cmd::kWindowSplit)->trigger();
    ASSERT_EQ(frame->PaneCount(), 4);
    const auto views = frame->Views();
    EXPECT_EQ(frame->ActiveView(), views[0]);
    s.frame().Action(cmd::kNextPane)->trigger();
    EXPECT_EQ(frame->ActiveView(), views[1]);
    s.frame().Action(cmd::kPrevPane)->trigger();
    s.frame().Action(cmd::kPrevPane)->trigger();
    EXPECT_EQ(frame->ActiveView(), views[3]);
    // A view command goes to the active pane alone.
    s.frame().Action(cmd::kShowGrid)->trigger();
    EXPECT_EQ(static_cast<CLattixView*>(views[3])->m_guideMode, CLattixView::kGuideGrid);
    EXPECT_EQ(static_cast<CLattixView*>(views[0])->m_guideMode, CLattixView::kGuideNone);
}

TEST(EveryCommand, ColourButtonOpensItsMenuBelowItselfCheckedAtTheVertexColour) {
    Driver s;
    ASSERT_TRUE(s.ok);
    CLattixDoc* doc = s.frame().ActiveDocument();
    doc->m_currentColor = ColorIdToRgb(106);
    QWidget* button = s.frame().findChild<QToolBar*>("toolbar128")->widgetForAction(
        s.frame().Action(cmd::kVertexColorButton));
    ASSERT_NE(button, nullptr);
    QPoint shownAt;
    std::vector<int> checked;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<CColorMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        shownAt = menu->pos();
        for (QAction* a : menu->actions())
            if (a->isChecked()) checked.push_back(a->data().toInt());
        for (QAction* a : menu->actions())
            if (a->data().toInt() == 112) a->trigger();
    });
    s.frame().Action(cmd::kVertexColorButton)->trigger();
    EXPECT_EQ(shownAt, button->mapToGlobal(QPoint(0, button->height())));
    EXPECT_EQ(checked, std::vector<int>{106});
    EXPECT_EQ(doc->m_currentColor, ColorIdToRgb(112));
}

TEST(EveryCommand, ASecondFileDroppedOnTheWindowOpensBesideTheFirst) {
    Driver s({"arborix", kExample});
    ASSERT_TRUE(s.ok);
    const QString second = s.FreshCopy();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(second)});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&s.frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&s.frame(), &drop);
    ASSERT_EQ(s.app.Documents().size(), 2u);
    EXPECT_EQ(s.frame().Frames().size(), 2u);
    EXPECT_EQ(s.app.Title(s.frame().ActiveDocument()), QFileInfo(second).fileName());
    EXPECT_EQ(s.app.RecentFiles().front(), QFileInfo(second).absoluteFilePath());
}

TEST(EveryCommand, LongWorkShowsProgressWhoseCancelStopsIt) {
    Driver s;
    ASSERT_TRUE(s.ok);
    auto progress = s.app.Platform().BeginProgress("Testing level assignments", 40320);
    auto* dialog = s.frame().findChild<QProgressDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->labelText(), "Testing level assignments");
    EXPECT_TRUE(progress->Update(10080));
    EXPECT_EQ(dialog->value(), 250); // a quarter, in thousandths
    dialog->cancel();
    EXPECT_FALSE(progress->Update(10081));
    progress.reset();
    EXPECT_EQ(s.frame().findChild<QProgressDialog*>(), nullptr);
}
