#pragma once
// The main window: the multiple-document area, the main and view toolbars with the zoom
// box, the status bar with the crossings, components and message panes, and the menus,
// all built from the command table.

#include <vector>

#include <QMainWindow>

#include "shell/CommandTable.h"

class CChildFrame;
class CLattixApp;
class QAction;
class QComboBox;
class QLabel;
class QMdiArea;
class QMenu;
class QTimer;
class QToolBar;

class CMainFrame final : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CLattixApp& app);
    ~CMainFrame() override;

    QMdiArea* MdiArea() const { return m_mdi; }
    CChildFrame* ActiveFrame() const;
    CLattixDoc* ActiveDocument() const;
    CDocView* ActiveView() const;
    std::vector<CChildFrame*> Frames() const;
    void AddFrame(CChildFrame* frame);

    // The action of a command id in the current menus (the first one, for ids shown twice).
    QAction* Action(int id) const;
    QComboBox* ZoomBox() const { return m_zoomBox; }
    QString StatusText(int pane) const; // 0 crossings, 1 components, 2 message
    QMenuBar* CurrentMenuBar() const { return menuBar(); }

    // Enabling, check marks, the zoom box, the panes and the title, as at idle time.
    void UpdateCommandUI();
    void RebuildRecentFiles();
    // The open windows at the end of the Window menu, the active one checked.
    void RebuildWindowList();

    void Cascade();
    void Tile(Qt::Orientation stacking);
    void ArrangeIcons();
    void ToggleToolbar();
    void ToggleStatusBar();
    // The colour menu below the toolbar's colour button, checked at the colour of new vertices.
    void ShowVertexColorMenu();
    bool ToolbarShown() const;
    bool StatusBarShown() const;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct BoundAction {
        const CommandEntry* entry;
        QAction* action;
    };
    CommandContext Context() const;
    void CreateActions();
    void CreateToolbars();
    void CreateStatusBar();
    void BuildMenus(bool withDocument);
    void Run(const CommandEntry& entry);
    void OnZoomChosen(int index);
    void OnActiveFrameChanged();
    void SetMessage(const QString& text);

    CLattixApp& m_app;
    QMdiArea* m_mdi;
    QToolBar* m_mainToolbar = nullptr;
    QToolBar* m_viewToolbar = nullptr;
    QComboBox* m_zoomBox = nullptr;
    QLabel* m_panes[3] = {nullptr, nullptr, nullptr};
    std::vector<BoundAction> m_actions;
    std::vector<QAction*> m_recentActions;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_windowMenu = nullptr;
    std::vector<QAction*> m_windowActions;
    QAction* m_recentSlot = nullptr;
    int m_menusForDocument = -1; // which menu bar is up: -1 none yet, 0 without, 1 with documents
    QTimer* m_idle;
};
