// The menu bars and toolbars as the user sees them: every entry's text, id, keys, check
// mark, enabling, status prompt and tooltip, written out here as the program documents them.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QToolBar>

#include "QtTestApp.h"
#include "editor/CommandIds.h"
#include "model/LattixDoc.h"
#include "shell/ChildFrame.h"

namespace {

// "-" stands for a separator, "> Title" opens a submenu, "<" closes it; a trailing "*"
// on an entry means it carries a check mark now, "o" that it can carry one and does not.
struct Entry {
    const char* text;
    int id = 0;
    char mark = ' ';
};

struct Menu {
    const char* title;
    std::vector<Entry> entries;
};

// The commands the program adds to the File menu besides the standard ones: the drawing
// as a picture.
bool IsPictureExport(int id) { return id == cmd::kExportDrawing; }

bool IsRecentFile(const QAction* a) {
    const int id = a->data().toInt();
    return id >= cmd::kFileMruFirst && id < cmd::kFileMruFirst + 16;
}

std::vector<Menu> MenusWithDocument() {
    using namespace cmd;
    return {
        {"&File",
         {{"&New\tCtrl+N", kFileNew}, {"&Open...\tCtrl+O", kFileOpen}, {"&Close", kFileClose},
          {"&Save\tCtrl+S", kFileSave}, {"Save &As...", kFileSaveAs}, {"-"},
          {"&Export As Text File...", kExportText}, {"-"}, {"&Print...\tCtrl+P", kFilePrint},
          {"Print Pre&view", kFilePrintPreview}, {"P&rint Setup...", kFilePrintSetup}, {"-"}, {"-"},
          {"&Quit", kAppExit}}},
        {"&Edit",
         {{"&Undo\tCtrl+Z", kEditUndo}, {"R&edo\tCtrl+Y", kEditRedo}, {"-"}, {"Cu&t\tCtrl+X", kEditCut},
          {"&Copy\tCtrl+C", kEditCopy}, {"&Paste\tCtrl+V", kEditPaste}, {"-"},
          {"Flip &Horizontally", kFlipHorizontally}, {"Flip &Vertically", kFlipVertically},
          {"Rotate Le&ft", kRotateLeft}, {"Rotate R&ight", kRotateRight}, {"-"},
          {"P&ointer", cmd::kToolPointer, 'o'}, {"Verte&x", cmd::kToolVertex, '*'}, {"-"},
          {"&Blue Edge", kToolBlueEdge, 'o'}, {"&Red Edge", kToolRedEdge, 'o'},
          {"&Green Edge", kToolGreenEdge, 'o'}, {"&Yellow Edge", kToolYellowEdge, 'o'},
          {"Ora&nge Edge", kToolOrangeEdge, 'o'}, {"Cyan E&dge", kToolCyanEdge, 'o'},
          {"Purp&le Edge", kToolPurpleEdge, 'o'}, {"Bl&ack Edge", kToolBlackEdge, 'o'}, {"-"},
          {"Sho&w Dashed and Dotted Edges", kShowDashedEdges, 'o'},
          {"Re&set Label Counter...", kResetLabelCounter}}},
        {"&Graph",
         {{"D&irected", kDirected, 'o'}, {"Show Edge &Weight", kShowWeight, 'o'}, {"-"},
          {"Show Verte&x Name", kShowName, '*'}, {"Show Vertex &st -Number", kShowStNumber, 'o'},
          {"Show vertex Trac&k Number", kShowTrack, 'o'}, {"-"}, {"Show B&lue Edges", kShowBlue, '*'},
          {"Show &Red Edges", kShowRed, '*'}, {"Show &Green Edges", kShowGreen, '*'},
          {"Show &Yellow Edges", kShowYellow, '*'}, {"Show Ora&nge Edges", kShowOrange, '*'},
          {"Show &Cyan Edges", kShowCyan, '*'}, {"Show Purple E&dges", kShowPurple, '*'},
          {"Show Bl&ack Edges", kShowBlack, '*'}, {"-"}, {"Swa&p Adjacency Lists", kSwapAdjacency},
          {"Re&move all Edge Bends", kRemoveAllBends}, {"-"}, {"> &Zoom"}, {"Zoom &In\tCtrl+=", kZoomIn},
          {"Zoom &Out\tCtrl+-", kZoomOut}, {"&Actual Size\tCtrl+0", kZoomActualSize}, {"&Fit Drawing", kFitDrawing},
          {"<"}}},
        {"Algorithms",
         {{"&Connected Components", kConnectedComponents}, {"&Planarity Testing", kPlanarityTesting},
          {"Find &Kuratowski Subgraph", kFindKuratowskiSubgraph}, {"Draw Pla&nar Graph", kDrawPlanarGraph}, {"-"},
          {"Up&ward Mode", kUpwardMode, 'o'}, {"&SEFE Mode", kSefeMode, 'o'},
          {"&ULP Recognition Mode", kUlpRecognitionMode, 'o'}, {"-"}, {"&Draw ULP Trees", kDrawUlpTrees},
          {"&Level Planarity Testing", kLevelPlanarityTesting},
          {"D&raw Level Planar Graph", kDrawLevelPlanarGraph},
          {"&Minimize Crossings on Levels", kMinimizeCrossings},
          {"Show Level Planarity &Obstruction", kLevelObstruction}, {"-"}, {"> E&xperiments"},
          {"Level Assignments of the &8-Vertex Tree", kExperiment8},
          {"Level Assignments of the &9-Vertex Tree", kExperiment9},
          {"Level Assignments of the &Drawing...", kLevelAssignmentsOfDrawing}, {"ULP &Census...", kUlpCensus}, {"<"}}},
        {"Random Generators",
         {{"&Generate Random Labeled Tree...", kRandomLabeledTree}, {"-"},
          {"Generate Random &Rooted Unlabeled Tree (RANRUT)...", kRandomRootedTree}, {"-"},
          {"Generate Random Free Tree (Rejection Sampling from Labeled Tree)...", kFreeTreeFromLabeled},
          {"Generate Random Free Tree (Rejetion Sampling from Rooted Tree)...", kFreeTreeFromRooted},
          {"Generate Random Free Tree (Wilf's Algorithm)...", kFreeTreeWilf}}},
        {"Grid and &Tracks",
         {{"Grid and Tracks &Preferences...", kGuidesPreferences},
          {"Renu&mber Vertices from Top to Bottom", kRenumberTopToBottom, 'o'},
          {"&Automatically Update Track Numbers", kAutoTrackNumbers, 'o'}, {"-"},
          {"&Remove all Track Colors", kRemoveAllTrackColors}, {"&Color Tracks Randomly...", kColorTracksRandomly}}},
        {"&Window",
         {{"&New Editor Window", kWindowNew}, {"New &PQ-Tree Window", kNewPqTreeWindow}, {"-"},
          {"&Cascade", kWindowCascade}, {"Tile &Horizontally", kWindowTileHorz}, {"Tile &Vertically", kWindowTileVert},
          {"&Arrange Icons", kWindowArrange}, {"Sp&lit", kWindowSplit}, {"-"}, {"T&oolbar", kViewToolbar, '*'},
          {"&Status Bar", kViewStatusBar, '*'}}},
        {"&Help", {{"&About Arborix...", kAppAbout}}},
    };
}

std::vector<Menu> MenusWithoutDocument() {
    using namespace cmd;
    return {
        {"&File",
         {{"&New\tCtrl+N", kFileNew}, {"&Open...\tCtrl+O", kFileOpen}, {"P&rint Setup...", kFilePrintSetup}, {"-"},
          {"-"}, {"&Close", kFileClose}, {"E&xit", kAppExit}}},
        {"&View", {{"&Toolbar", kViewToolbar, '*'}, {"&Status Bar", kViewStatusBar, '*'}}},
        {"&Help", {{"&About Arborix...", kAppAbout}}},
    };
}

// What a menu shows, in the notation above. Recent files are left out (they depend on
// what was opened before) and so are the picture exports.
void Describe(const QMenu& menu, std::vector<std::string>& out) {
    for (QAction* a : menu.actions()) {
        if (a->isSeparator()) {
            out.push_back("-");
        } else if (a->menu()) {
            out.push_back("> " + a->text().toStdString());
            Describe(*a->menu(), out);
            out.push_back("<");
        } else if (!IsRecentFile(a) && !IsPictureExport(a->data().toInt()) &&
                   a->data().toInt() < cmd::kFirstWindowEntry) {
            const char mark = !a->isCheckable() ? ' ' : a->isChecked() ? '*' : 'o';
            out.push_back(a->text().toStdString() + " (" + std::to_string(a->data().toInt()) + ")" +
                          (mark == ' ' ? "" : std::string(" ") + mark));
        }
    }
}

std::vector<std::string> Describe(const std::vector<Menu>& menus) {
    std::vector<std::string> out;
    for (const Menu& m : menus) {
        out.push_back(std::string("[") + m.title + "]");
        for (const Entry& e : m.entries) {
            const std::string text = e.text;
            if (text == "-" || text == "<" || text.rfind("> ", 0) == 0) out.push_back(text);
            else
                out.push_back(text + " (" + std::to_string(e.id) + ")" +
                              (e.mark == ' ' ? "" : std::string(" ") + e.mark));
        }
    }
    return out;
}

std::vector<std::string> Shown(CMainFrame& frame) {
    std::vector<std::string> out;
    for (QAction* a : frame.CurrentMenuBar()->actions()) {
        out.push_back("[" + a->text().toStdString() + "]");
        Describe(*a->menu(), out);
    }
    return out;
}

QAction* EntryIn(CMainFrame& frame, const QString& menuTitle, int id) {
    for (QAction* top : frame.CurrentMenuBar()->actions()) {
        if (top->text() != menuTitle) continue;
        for (QAction* a : top->menu()->actions())
            if (a->data().toInt() == id) return a;
    }
    return nullptr;
}

std::vector<std::pair<int, std::string>> Buttons(QToolBar* bar) {
    std::vector<std::pair<int, std::string>> out;
    for (QAction* a : bar->actions()) {
        if (a->isSeparator()) continue;
        if (!a->data().isValid()) out.emplace_back(cmd::kZoomCombo, "(combo box)");
        else out.emplace_back(a->data().toInt(), a->toolTip().toStdString());
    }
    return out;
}

QToolBar* ToolbarNamed(CMainFrame& frame, const char* name) { return frame.findChild<QToolBar*>(name); }

} // namespace

TEST(MenuTree, WithADocumentEveryEntryHasItsTextIdAndCheckMark) {
    Started s;
    ASSERT_TRUE(s.ok);
    s.frame().UpdateCommandUI();
    EXPECT_EQ(Shown(s.frame()), Describe(MenusWithDocument()));
    // The drawing export sits right after the text export.
    QAction* text = EntryIn(s.frame(), "&File", cmd::kExportText);
    QAction* svg = EntryIn(s.frame(), "&File", cmd::kExportDrawing);
    ASSERT_TRUE(text && svg);
    const auto file = qobject_cast<QMenu*>(text->associatedObjects().front())->actions();
    EXPECT_EQ(file.indexOf(svg), file.indexOf(text) + 1);
}

TEST(MenuTree, WithoutDocumentsOnlyFileViewAndHelp) {
    Started s;
    ASSERT_TRUE(s.ok);
    s.frame().Action(cmd::kFileClose)->trigger();
    Flush();
    s.frame().UpdateCommandUI();
    EXPECT_EQ(Shown(s.frame()), Describe(MenusWithoutDocument()));
    EXPECT_FALSE(EntryIn(s.frame(), "&File", cmd::kFileClose)->isEnabled());
    EXPECT_TRUE(EntryIn(s.frame(), "&File", cmd::kFileNew)->isEnabled());
    EXPECT_TRUE(EntryIn(s.frame(), "&View", cmd::kViewToolbar)->isEnabled());
    EXPECT_FALSE(s.frame().ZoomBox()->isEnabled());
    EXPECT_FALSE(s.frame().Action(cmd::kToolPointer)->isEnabled());

    // New brings the full menu bar back.
    EntryIn(s.frame(), "&File", cmd::kFileNew)->trigger();
    EXPECT_EQ(Shown(s.frame()), Describe(MenusWithDocument()));
}

TEST(MenuTree, TheWindowMenuEndsWithTheOpenWindows) {
    Started s;
    ASSERT_TRUE(s.ok);
    CChildFrame* first = s.frame().ActiveFrame();
    s.frame().Action(cmd::kNewPqTreeWindow)->trigger();
    QMenu* window = qobject_cast<QMenu*>(s.frame().Action(cmd::kWindowSplit)->associatedObjects().front());
    ASSERT_NE(window, nullptr);
    emit window->aboutToShow();
    std::vector<std::string> listed;
    QAction* firstEntry = nullptr;
    for (QAction* a : window->actions()) {
        if (a->data().toInt() < cmd::kFirstWindowEntry) continue;
        listed.push_back(a->text().toStdString() + (a->isChecked() ? " *" : ""));
        if (!firstEntry) firstEntry = a;
    }
    EXPECT_EQ(listed, (std::vector<std::string>{"&1 Arborix1:1", "&2 Arborix1:2 *"}));
    firstEntry->trigger();
    EXPECT_EQ(s.frame().ActiveFrame(), first);
    // Shown again, the list is rebuilt, not appended to.
    emit window->aboutToShow();
    int entries = 0;
    for (QAction* a : window->actions()) entries += a->data().toInt() >= cmd::kFirstWindowEntry;
    EXPECT_EQ(entries, 2);
}

TEST(MenuTree, KeysReachTheirCommands) {
    Started s;
    ASSERT_TRUE(s.ok);
    using K = QKeySequence;
    const std::vector<std::pair<int, QList<K>>> keys = {
        {cmd::kFileNew, {K("Ctrl+N")}},
        {cmd::kFileOpen, {K("Ctrl+O")}},
        {cmd::kFileSave, {K("Ctrl+S")}},
        {cmd::kFilePrint, {K("Ctrl+P")}},
        {cmd::kEditCopy, {K("Ctrl+C"), K("Ctrl+Insert")}},
        {cmd::kEditCut, {K("Ctrl+X"), K("Shift+Delete")}},
        {cmd::kEditPaste, {K("Ctrl+V"), K("Shift+Insert")}},
        {cmd::kEditUndo, {K("Ctrl+Z"), K("Alt+Backspace")}},
        {cmd::kEditRedo, {K("Ctrl+Y")}},
        {cmd::kNextPane, {K("F6")}},
        {cmd::kPrevPane, {K("Shift+F6")}},
    };
    for (const auto& [id, expected] : keys) EXPECT_EQ(s.frame().Action(id)->shortcuts(), expected) << id;
    // Delete is the view's key, not an accelerator.
    for (QAction* a : s.frame().findChildren<QAction*>())
        EXPECT_FALSE(a->shortcuts().contains(K(Qt::Key_Delete))) << a->text().toStdString();
}

TEST(MenuTree, PromptsAndTooltips) {
    Started s;
    ASSERT_TRUE(s.ok);
    const std::vector<std::tuple<int, const char*, const char*>> prompts = {
        {cmd::kToolPointer, "Select pointer tool", "Pointer"},
        {cmd::kVertexColorButton, "Choose vertex color", "Vertex Color"},
        {cmd::kGuidesPreferences, "Options for Grid and Tracks", "Grid and Tracks"},
        {cmd::kResetLabelCounter, "Reset counter for default vertex labels", "Reset label counter"},
        {cmd::kDirected, "Show directed edges", "Directed Graph"},
        {cmd::kRenumberTopToBottom, "Set track numbers according to Y-coordinate of vertices", "Set Track Numbers"},
        {cmd::kSwapAdjacency, "Swap adjacency lists of two vertices", "Swap Adjacency Lists"},
        {cmd::kConnectedComponents, "Run Connected Components Algorithm", "Connected Components"},
        {cmd::kPlanarityTesting, "Run planarity testing algorithm", "Planarity Testing"},
        {cmd::kFindKuratowskiSubgraph, "Highlight a subdivision of K5 or K3,3 in a non-planar graph", "Find Kuratowski Subgraph"},
        {cmd::kDrawPlanarGraph, "Redraw a planar graph with straight edges and no crossings", "Draw Planar Graph"},
        {cmd::kNewPqTreeWindow, "Open a window with PQ-tree reduction", "PQ-tree window"},
        {cmd::kEditCopy, "Copy the selection and put it on the Clipboard", "Copy"},
        {cmd::kEditCut, "Cut the selection and put it on the Clipboard", "Cut"},
        {cmd::kEditPaste, "Insert Clipboard contents", "Paste"},
        {cmd::kDrawUlpTrees, "Run ULP trees recognition and drawing algorithms", nullptr},
        {cmd::kLevelPlanarityTesting, "Level Planarity Testing using Vertex-Exchange Graph.", nullptr},
        {cmd::kExportText, "Save a text version of the graph", nullptr},
        {cmd::kMinimizeCrossings, "Draw the level graph with as few crossings as possible", "Minimize Crossings"},
        {cmd::kLevelObstruction, "Highlight edges that cannot be drawn on their levels without crossings",
         "Level Planarity Obstruction"},
    };
    for (const auto& [id, prompt, tip] : prompts) {
        QAction* a = s.frame().Action(id);
        ASSERT_NE(a, nullptr) << id;
        EXPECT_EQ(a->statusTip(), prompt) << id;
        if (tip) {
            EXPECT_EQ(a->toolTip(), tip) << id;
        }
    }

    // Hovering an entry puts its prompt in the message pane; leaving it brings "Ready" back.
    EXPECT_EQ(s.frame().StatusText(2), "Ready");
    s.frame().Action(cmd::kDirected)->showStatusText(&s.frame());
    EXPECT_EQ(s.frame().StatusText(2), "Show directed edges");
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(&s.frame(), &leave);
    EXPECT_EQ(s.frame().StatusText(2), "Ready");
}

TEST(Toolbars, ButtonsInOrderWithTheirTooltips) {
    Started s;
    ASSERT_TRUE(s.ok);
    using namespace cmd;
    const std::vector<std::pair<int, std::string>> main = {
        {kFileNew, "New"},
        {kFileOpen, "Open"},
        {kFileSave, "Save"},
        {kFilePrint, "Print"},
        {kEditCut, "Cut"},
        {kEditCopy, "Copy"},
        {kEditPaste, "Paste"},
        {cmd::kToolPointer, "Pointer"},
        {cmd::kToolVertex, "Vertex"},
        {kToolBlueEdge, "Blue Edge"},
        {kToolRedEdge, "Red Edge"},
        {kToolGreenEdge, "Green Edge"},
        {kToolYellowEdge, "Yellow Edge"},
        {kToolOrangeEdge, "Orange Edge"},
        {kToolCyanEdge, "Cyan Edge"},
        {kToolPurpleEdge, "Purple Edge"},
        {kToolBlackEdge, "Black Edge"},
        {kVertexColorButton, "Vertex Color"},
    };
    const std::vector<std::pair<int, std::string>> view = {
        {kZoomCombo, "(combo box)"},
        {kShowBlue, "Toggle Blue Edges"},
        {kShowRed, "Toggle Red Edges"},
        {kShowGreen, "Toggle Green Edges"},
        {kShowYellow, "Toggle Yellow Edges"},
        {kShowOrange, "Toggle Orange Edges"},
        {kShowCyan, "Toggle Cyan Edges"},
        {kShowPurple, "Toggle Purple Edges"},
        {kShowBlack, "Toggle Black Edges"},
        {kSwapAdjacency, "Swap Adjacency Lists"},
        {kShowGrid, "Show Grid"},
        {kShowTracks, "Show Tracks"},
        {kSnapToGuides, "Snap to guides"},
        {kLockToTracks, "Lock to tracks"},
    };
    QToolBar* mainBar = ToolbarNamed(s.frame(), "toolbar128");
    QToolBar* viewBar = ToolbarNamed(s.frame(), "toolbar150");
    ASSERT_TRUE(mainBar && viewBar);
    EXPECT_EQ(Buttons(mainBar), main);
    EXPECT_EQ(Buttons(viewBar), view);
    EXPECT_EQ(s.frame().toolBarArea(mainBar), Qt::TopToolBarArea);
    EXPECT_EQ(s.frame().toolBarArea(viewBar), Qt::TopToolBarArea);

    QComboBox* zoom = s.frame().ZoomBox();
    EXPECT_EQ(zoom->width(), 100);
    QStringList entries;
    for (int i = 0; i < zoom->count(); ++i) entries << zoom->itemText(i);
    EXPECT_EQ(entries, (QStringList{"10%", "20%", "30%", "40%", "50%", "60%", "70%", "80%", "90%", "100%", "125%",
                                    "150%", "200%", "300%"}));
    EXPECT_EQ(zoom->currentText(), "100%");

    // The toolbar entry hides the main toolbar only.
    s.frame().Action(kViewToolbar)->trigger();
    EXPECT_FALSE(mainBar->isVisible());
    EXPECT_TRUE(viewBar->isVisible());
    EXPECT_FALSE(s.frame().Action(kViewToolbar)->isChecked());
    s.frame().Action(kViewStatusBar)->trigger();
    EXPECT_FALSE(s.frame().StatusBarShown());
    EXPECT_FALSE(s.frame().Action(kViewStatusBar)->isChecked());
}

TEST(MenuTree, APQtreeWindowDisablesWhatNeedsAnEditorView) {
    Started s;
    ASSERT_TRUE(s.ok);
    s.frame().Action(cmd::kNewPqTreeWindow)->trigger();
    ASSERT_EQ(s.frame().ActiveFrame()->Kind(), ViewKind::PQtree);
    s.frame().UpdateCommandUI();
    using namespace cmd;
    for (int id : {kShowBlue, kShowBlack, kShowDashedEdges, kShowGrid, kShowTracks, kSnapToGuides, kLockToTracks,
                   kGuidesPreferences, kRemoveAllTrackColors, kColorTracksRandomly, kSwapAdjacency, kFilePrint,
                   kFilePrintPreview})
        EXPECT_FALSE(s.frame().Action(id)->isEnabled()) << id;
    // Document commands still reach the document shown.
    for (int id : {kPlanarityTesting, kDirected, cmd::kToolPointer, kEditPaste, kWindowSplit, kRandomLabeledTree})
        EXPECT_TRUE(s.frame().Action(id)->isEnabled()) << id;
}
