#include "shell/MainFrame.h"

#include <algorithm>
#include <map>

#include <QAbstractItemView>
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QCursor>
#include <QTimer>
#include <QToolBar>

#include "editor/CommandIds.h"
#include "model/LattixDoc.h"
#include "shell/ChildFrame.h"
#include "shell/CommandGuard.h"
#include "shell/Icons.h"
#include "shell/LattixApp.h"
#include "shell/views/BufferedCanvas.h"
#include "shell/views/Navigation.h"
#include "editor/StatusPanes.h"
#include "editor/CommandTable.h"
#include "shell/menus/ColorMenu.h"

namespace {

constexpr const char* kZoomEntries[14] = {"10%", "20%", "30%", "40%", "50%", "60%", "70%",
                                          "80%", "90%", "100%", "125%", "150%", "200%", "300%"};
constexpr int kIdleInterval = 250; // ms between idle-time refreshes of panes and commands

// A status-bar pane whose width comes from a template text rather than from what it shows.
class StatusPane final : public QLabel {
public:
    StatusPane(const QString& sizedBy, QWidget* parent) : QLabel(parent), m_sizedBy(sizedBy) {}
    QSize sizeHint() const override {
        if (m_sizedBy.isEmpty()) return QLabel::sizeHint();
        return {fontMetrics().horizontalAdvance(m_sizedBy) + 8, QLabel::sizeHint().height()};
    }
    QSize minimumSizeHint() const override { return {40, QLabel::minimumSizeHint().height()}; }

private:
    QString m_sizedBy;
};

QString FirstLine(const char* prompt) { return QString::fromUtf8(prompt).section('\n', 0, 0); }
QString SecondLine(const char* prompt) { return QString::fromUtf8(prompt).section('\n', 1, 1); }

} // namespace

CMainFrame::CMainFrame(CLattixApp& app) : m_app(app) {
    setWindowTitle("Arborix");
    setWindowIcon(AppIcon());
    setMinimumSize(320, 240);
    setAcceptDrops(true);
    m_mdi = new QMdiArea(this);
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow*) { OnActiveFrameChanged(); });
    m_mdi->viewport()->installEventFilter(this);

    CreateActions();
    CreateToolbars();
    CreateStatusBar();
    BuildMenus(false);

    m_idle = new QTimer(this);
    connect(m_idle, &QTimer::timeout, this, &CMainFrame::UpdateCommandUI);
    m_idle->start(kIdleInterval);
    UpdateCommandUI();
}

CMainFrame::~CMainFrame() {
    // Child windows hide while they go, and the area would report them as activated to
    // a frame whose actions are already gone.
    disconnect(m_mdi, nullptr, this, nullptr);
    m_idle->stop();
}

// ---------------------------------------------------------------- actions, menus, toolbars

void CMainFrame::CreateActions() {
    for (const CommandEntry& entry : CommandTable()) {
        if (entry.id == cmd::kRecentFilesSlot) continue;
        auto* action = new QAction(QString::fromUtf8(entry.text).section('\t', 0, 0), this);
        action->setStatusTip(FirstLine(entry.prompt));
        action->setToolTip(SecondLine(entry.prompt).isEmpty() ? action->text() : SecondLine(entry.prompt));
        action->setData(entry.id);
        if (!entry.keys.empty()) {
            action->setShortcuts(QList<QKeySequence>(entry.keys.begin(), entry.keys.end()));
            action->setShortcutContext(Qt::ApplicationShortcut);
        }
        const QIcon icon = CommandIcon(entry.id);
        if (!icon.isNull()) action->setIcon(icon);
        action->setIconVisibleInMenu(false);
        connect(action, &QAction::triggered, this, [this, &entry] { Run(entry); });
        // Commands without a menu (the pane keys) still need a widget for their keys.
        if (!entry.menu && !entry.keys.empty()) addAction(action);
        m_actions.push_back({&entry, action});
    }
}

QAction* CMainFrame::Action(int id) const {
    for (const BoundAction& b : m_actions)
        if (b.entry->id == id) return b.action;
    return nullptr;
}

void CMainFrame::CreateToolbars() {
    m_mainToolbar = addToolBar("Standard");
    m_mainToolbar->setObjectName("toolbar128");
    m_viewToolbar = addToolBar("View");
    m_viewToolbar->setObjectName("toolbar150");

    m_zoomBox = new QComboBox(m_viewToolbar);
    for (const char* entry : kZoomEntries) m_zoomBox->addItem(entry);
    m_zoomBox->setFixedWidth(100);
    m_zoomBox->setMaxVisibleItems(14);
    m_zoomBox->setToolTip("Zoom");
    m_zoomBox->setStatusTip("Choose the zoom factor");
    connect(m_zoomBox, &QComboBox::activated, this, &CMainFrame::OnZoomChosen);
    m_viewToolbar->addWidget(m_zoomBox);

    for (const BoundAction& b : m_actions) {
        QToolBar* bar = b.entry->toolbar == Toolbar::Main ? m_mainToolbar
                        : b.entry->toolbar == Toolbar::View ? m_viewToolbar
                                                            : nullptr;
        if (!bar) continue;
        // An id shown in two menu bars gets one button.
        if (std::any_of(m_actions.begin(), m_actions.end(),
                        [&](const BoundAction& o) { return o.entry->id == b.entry->id && &o < &b; }))
            continue;
        if (b.entry->toolbarGapBefore) bar->addSeparator();
        bar->addAction(b.action);
    }
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    // The two count panes are as wide as the longest texts they are meant for, and give
    // way when the window is narrower than that.
    m_panes[0] = new StatusPane("XXXX Crossings (XX Blue, XX Red, XX Green, XX Yellow, XX Black, XX Purple)", bar);
    m_panes[1] = new StatusPane(
        "000 Connected Components, 000 Trees, 000 ULP Trees, 000 3-Spiders, 000 Caterpillars, 000 Radius 2 Stars", bar);
    m_panes[2] = new StatusPane({}, bar);
    for (QLabel* pane : m_panes) {
        pane->setFrameShape(QFrame::StyledPanel);
        pane->setFrameShadow(QFrame::Sunken);
    }
    bar->addWidget(m_panes[0]);
    bar->addWidget(m_panes[1]);
    bar->addWidget(m_panes[2], 1);
    SetMessage({});
}

void CMainFrame::BuildMenus(bool withDocument) {
    if (m_menusForDocument == int(withDocument)) return;
    m_menusForDocument = int(withDocument);
    QMenuBar* bar = menuBar();
    bar->clear();
    m_fileMenu = nullptr;
    m_windowMenu = nullptr;
    m_windowActions.clear(); // they went with the old menus
    m_recentSlot = nullptr;
    std::map<QString, QMenu*> menus;
    for (const CommandEntry& entry : CommandTable()) {
        if (!entry.menu || entry.toolbarOnly) continue;
        const bool wanted = entry.bar == MenuBarKind::Both ||
                            (entry.bar == MenuBarKind::WithDocument) == withDocument;
        if (!wanted) continue;
        const QString title = QString::fromUtf8(entry.menu);
        QMenu*& menu = menus[title];
        if (!menu) {
            menu = bar->addMenu(title);
            connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
            if (title == "&File") m_fileMenu = menu;
            if (title == "&Window") {
                m_windowMenu = menu;
                connect(menu, &QMenu::aboutToShow, this, &CMainFrame::RebuildWindowList);
            }
        }
        if (entry.submenu) {
            QMenu*& sub = menus[title + "/" + QString::fromUtf8(entry.submenu)];
            if (!sub) {
                if (entry.separatorBefore && !menu->isEmpty()) menu->addSeparator();
                sub = menu->addMenu(QString::fromUtf8(entry.submenu));
            }
            for (const BoundAction& b : m_actions) {
                if (b.entry != &entry) continue;
                b.action->setText(QString::fromUtf8(entry.text));
                sub->addAction(b.action);
            }
            continue;
        }
        if (entry.separatorBefore && !menu->isEmpty()) menu->addSeparator();
        if (entry.id == cmd::kRecentFilesSlot) {
            m_recentSlot = menu->addSeparator();
            continue;
        }
        // An entry whose id appears under another text (Quit and Exit) has its own action.
        QAction* action = nullptr;
        for (const BoundAction& b : m_actions)
            if (b.entry == &entry) action = b.action;
        if (action) {
            action->setText(QString::fromUtf8(entry.text));
            menu->addAction(action);
        }
    }
    RebuildRecentFiles();
}

void CMainFrame::RebuildRecentFiles() {
    for (QAction* a : m_recentActions) delete a;
    m_recentActions.clear();
    if (!m_fileMenu || !m_recentSlot) return;
    const QStringList files = m_app.RecentFiles();
    for (int i = 0; i < files.size(); ++i) {
        auto* action = new QAction(QString("&%1 %2").arg(i + 1).arg(QFileInfo(files[i]).fileName()), this);
        action->setData(cmd::kFileMruFirst + i);
        action->setStatusTip("Open this document");
        const QString path = files[i];
        connect(action, &QAction::triggered, this, [this, path] {
            {
                const CommandGuard guard(this);
                m_app.OpenDocumentFile(path);
            }
            UpdateCommandUI();
        });
        m_fileMenu->insertAction(m_recentSlot, action);
        m_recentActions.push_back(action);
    }
}

void CMainFrame::RebuildWindowList() {
    for (QAction* a : m_windowActions) delete a;
    m_windowActions.clear();
    if (!m_windowMenu) return;
    // Windows whose document has just been closed are on their way out.
    std::vector<CChildFrame*> frames;
    for (CChildFrame* frame : Frames())
        if (frame->Document()) frames.push_back(frame);
    if (frames.empty()) return;
    m_windowActions.push_back(m_windowMenu->addSeparator());
    CChildFrame* active = ActiveFrame();
    for (std::size_t i = 0; i < frames.size(); ++i) {
        CChildFrame* frame = frames[i];
        auto* action = m_windowMenu->addAction(QString("&%1 %2").arg(i + 1).arg(frame->windowTitle()));
        action->setData(cmd::kFirstWindowEntry + int(i));
        action->setStatusTip("Activate this window");
        action->setCheckable(true);
        action->setChecked(frame == active);
        connect(action, &QAction::triggered, this, [this, frame] {
            if (frame->isMinimized()) frame->showNormal();
            m_mdi->setActiveSubWindow(frame);
            UpdateCommandUI();
        });
        m_windowActions.push_back(action);
    }
}

// ---------------------------------------------------------------- commands

CommandContext CMainFrame::Context() const {
    CommandContext c{m_app, const_cast<CMainFrame&>(*this)};
    c.child = ActiveFrame();
    c.doc = c.child ? c.child->Document() : nullptr;
    c.view = c.child ? c.child->ActiveView() : nullptr;
    return c;
}

void CMainFrame::Run(const CommandEntry& entry) {
    CommandContext c = Context();
    if (!entry.handler || (entry.needsDocument && !c.doc)) return;
    if (entry.update && !entry.update(c).enabled) return;
    {
        const CommandGuard guard(this);
        entry.handler(c);
    }
    UpdateCommandUI();
}

void CMainFrame::UpdateCommandUI() {
    const CommandContext c = Context();
    BuildMenus(!m_app.Documents().empty());
    for (const BoundAction& b : m_actions) {
        const CommandEntry& e = *b.entry;
        CommandState state{e.handler && (!e.needsDocument || c.doc), {}};
        if (state.enabled && e.update) state = e.update(c);
        b.action->setEnabled(state.enabled && e.handler != nullptr);
        b.action->setCheckable(state.checked.has_value());
        if (state.checked) b.action->setChecked(*state.checked);
    }

    // The zoom box shows the active document's zoom, unless its list is open.
    m_zoomBox->setEnabled(c.doc != nullptr);
    if (c.doc && !m_zoomBox->view()->isVisible() && c.doc->m_zoomIndex >= 0 && c.doc->m_zoomIndex < 14)
        m_zoomBox->setCurrentIndex(c.doc->m_zoomIndex);

    m_panes[0]->setText(c.doc ? QString::fromStdString(CrossingsPaneText(*c.doc)) : QString());
    m_panes[1]->setText(c.doc ? QString::fromStdString(ComponentsPaneText(*c.doc)) : QString());
    // Unsaved changes show the desktop way: the [*] placeholder becomes a mark while the
    // active document is modified.
    setWindowTitle(c.doc ? QString("Arborix - %1[*]").arg(m_app.Title(c.doc)) : QString("Arborix"));
    setWindowModified(c.doc && c.doc->IsModified());
}

void CMainFrame::OnZoomChosen(int index) {
    CLattixDoc* doc = ActiveDocument();
    if (!doc || index < 0 || index >= 14) return;
    // The views keep their centres rather than their scroll positions in pixels.
    CDocView* view = ActiveView();
    nav::SetZoom(*doc, index, view && view->IsEditorView() ? static_cast<CLattixView*>(view) : nullptr, std::nullopt);
    UpdateCommandUI();
}

void CMainFrame::OnActiveFrameChanged() { UpdateCommandUI(); }

void CMainFrame::ShowVertexColorMenu() {
    CommandContext c = Context();
    if (!c.doc) return;
    CColorMenu menu("Vertex Color", this);
    menu.CheckColor(c.doc->m_currentColor);
    QWidget* button = m_mainToolbar->widgetForAction(Action(cmd::kVertexColorButton));
    const QPoint below = button ? button->mapToGlobal(QPoint(0, button->height())) : QCursor::pos();
    const int id = CColorMenu::ColorIdOf(menu.exec(below));
    const CommandGuard guard(this);
    if (const int chosen = id ? id : menu.ChosenId()) ExecuteCommand(*c.doc, c.EditorView(), chosen);
    UpdateCommandUI();
}

void CMainFrame::SetMessage(const QString& text) { m_panes[2]->setText(text.isEmpty() ? QString("Ready") : text); }

QString CMainFrame::StatusText(int pane) const { return pane >= 0 && pane < 3 ? m_panes[pane]->text() : QString(); }

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    // A lone window keeps filling the area while the main window finds its size.
    if (watched == m_mdi->viewport() && event->type() == QEvent::Resize)
        for (QMdiSubWindow* sub : m_mdi->subWindowList())
            if (sub->property("fillsArea").toBool() && !sub->isMinimized() && !sub->isMaximized())
                sub->setGeometry(m_mdi->viewport()->rect());
    return QMainWindow::eventFilter(watched, event);
}

bool CMainFrame::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        SetMessage(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

// ---------------------------------------------------------------- frames

CChildFrame* CMainFrame::ActiveFrame() const {
    QMdiSubWindow* sub = m_mdi->activeSubWindow();
    if (!sub) sub = m_mdi->currentSubWindow();
    return qobject_cast<CChildFrame*>(sub);
}

CLattixDoc* CMainFrame::ActiveDocument() const {
    CChildFrame* frame = ActiveFrame();
    return frame ? frame->Document() : nullptr;
}

CDocView* CMainFrame::ActiveView() const {
    CChildFrame* frame = ActiveFrame();
    return frame ? frame->ActiveView() : nullptr;
}

std::vector<CChildFrame*> CMainFrame::Frames() const {
    std::vector<CChildFrame*> frames;
    for (QMdiSubWindow* sub : m_mdi->subWindowList())
        if (auto* frame = qobject_cast<CChildFrame*>(sub)) frames.push_back(frame);
    return frames;
}

void CMainFrame::AddFrame(CChildFrame* frame) {
    m_mdi->addSubWindow(frame);
    connect(frame, &CChildFrame::ActiveViewChanged, this, &CMainFrame::UpdateCommandUI);
    connect(frame, &QObject::destroyed, this, [this] { QTimer::singleShot(0, this, &CMainFrame::UpdateCommandUI); });
    // The first window fills the area; further ones cascade over it. Children are not
    // maximised, since a maximised child would rewrite the main window's title itself.
    const bool first = m_mdi->subWindowList().size() == 1;
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) sub->setProperty("fillsArea", first);
    const QRect area = m_mdi->viewport()->rect();
    if (first) {
        frame->setGeometry(area);
    } else {
        // Further windows take two thirds of the area, each a step down and right of the last.
        const int step = 28 * ((m_mdi->subWindowList().size() - 1) % 8);
        frame->setGeometry(step, step, std::max(320, area.width() * 2 / 3), std::max(240, area.height() * 2 / 3));
    }
    frame->show();
    m_mdi->setActiveSubWindow(frame);
    if (frame->ActivePane()) frame->ActivePane()->setFocus();
    UpdateCommandUI();
}

void CMainFrame::Cascade() { m_mdi->cascadeSubWindows(); }

void CMainFrame::Tile(Qt::Orientation stacking) {
    std::vector<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : m_mdi->subWindowList())
        if (!sub->isMinimized()) windows.push_back(sub);
    if (windows.empty()) return;
    const QRect area = m_mdi->viewport()->rect();
    const int n = static_cast<int>(windows.size());
    for (int i = 0; i < n; ++i) {
        windows[i]->showNormal();
        if (stacking == Qt::Vertical) {
            const int h = area.height() / n;
            windows[i]->setGeometry(0, i * h, area.width(), h);
        } else {
            const int w = area.width() / n;
            windows[i]->setGeometry(i * w, 0, w, area.height());
        }
    }
}

void CMainFrame::ArrangeIcons() {
    const QRect area = m_mdi->viewport()->rect();
    int x = 0;
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
        if (!sub->isMinimized()) continue;
        sub->move(x, area.height() - sub->height());
        x += sub->width();
    }
}

void CMainFrame::ToggleToolbar() {
    // The entry is the main toolbar's; the view toolbar is shown and hidden from the
    // toolbars' own right-button menu.
    m_mainToolbar->setVisible(!m_mainToolbar->isVisible());
}

void CMainFrame::ToggleStatusBar() { statusBar()->setVisible(!statusBar()->isVisible()); }
bool CMainFrame::ToolbarShown() const { return m_mainToolbar->isVisible(); }
bool CMainFrame::StatusBarShown() const { return statusBar()->isVisible(); }

// ---------------------------------------------------------------- closing and dropping

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_app.SaveAllModified()) {
        event->ignore();
        return;
    }
    m_idle->stop();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const CommandGuard guard(this);
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) m_app.OpenDocumentFile(url.toLocalFile());
    event->acceptProposedAction();
    UpdateCommandUI();
}
