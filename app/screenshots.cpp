// arborix-screenshots: runs the program on the example documents, opens its menus,
// dialogs and windows as a user would, and saves what the main window shows as PNG files
// for the user guide. Every picture is grabbed from the widgets themselves, so this works
// offscreen and under a virtual X server alike.
//
//   arborix-screenshots OUTPUT_DIR EXAMPLES_DIR

#include <functional>
#include <iostream>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMouseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStandardPaths>
#include <QTimer>
#include <QToolBar>

#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "model/LattixDoc.h"
#include "shell/ChildFrame.h"
#include "shell/LattixApp.h"
#include "shell/MainFrame.h"
#include "shell/menus/ColorMenu.h"
#include "shell/views/EditorView.h"

namespace {

constexpr int kTitleHeight = 24;

class Tour {
public:
    Tour(CLattixApp& app, QString out, QString examples) : m_app(app), m_out(std::move(out)), m_examples(std::move(examples)) {}

    CMainFrame& Frame() { return *m_app.MainFrame(); }
    CLattixDoc* Doc() { return Frame().ActiveDocument(); }

    void Settle() {
        for (int i = 0; i < 5; ++i) QApplication::processEvents();
        // Closed windows go now, as they would in the event loop.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Frame().UpdateCommandUI();
        QApplication::processEvents();
    }

    // The main window with the given top-level windows (menus, dialogs) laid over it where
    // they are on screen; dialogs get a plain title bar, as a window manager would draw.
    QImage Composite(const std::vector<QWidget*>& over) {
        Settle();
        QImage image = Frame().grab().toImage().convertToFormat(QImage::Format_RGB32);
        QPainter p(&image);
        const QPoint origin = Frame().mapToGlobal(QPoint(0, 0));
        for (QWidget* w : over) {
            QPoint at = w->mapToGlobal(QPoint(0, 0)) - origin;
            if (auto* dialog = qobject_cast<QDialog*>(w)) {
                at = QPoint((image.width() - w->width()) / 2, (image.height() - w->height()) / 2);
                const QRect bar(at.x() - 1, at.y() - kTitleHeight, w->width() + 2, kTitleHeight);
                p.fillRect(bar, QColor(48, 110, 190));
                p.setPen(Qt::white);
                p.drawText(bar.adjusted(8, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, dialog->windowTitle());
                p.setPen(QColor(48, 110, 190));
                p.drawRect(QRect(at.x() - 1, at.y() - 1, w->width() + 1, w->height() + 1));
                m_dialogArea = QRect(at.x(), at.y() - kTitleHeight, w->width(), w->height() + kTitleHeight);
            }
            p.drawPixmap(at, w->grab());
        }
        return image;
    }

    void Save(const QString& name, const QImage& image, QRect crop = {}) {
        const QImage shown = crop.isNull() ? image : image.copy(crop.intersected(image.rect()));
        const QString path = m_out + "/" + name + ".png";
        if (!shown.save(path, "PNG", 0)) std::cerr << "cannot write " << path.toStdString() << "\n";
        else std::cout << path.toStdString() << "\n";
    }

    // The part of the picture that shows a menu, with a little of the window around it.
    static QRect AroundMenu(const QImage& image, QRect menu) {
        return QRect(0, 0, std::min(image.width(), std::max(520, menu.right() + 60)),
                     std::min(image.height(), menu.bottom() + 40));
    }

    QMenu* MenuNamed(const QString& title) {
        for (QAction* a : Frame().CurrentMenuBar()->actions())
            if (a->text() == title) return a->menu();
        return nullptr;
    }

    // Opens a menu of the menu bar with one entry hovered, so its prompt shows in the
    // status bar, and saves the picture.
    void ShootMenu(const QString& name, const QString& title, int hoveredId, int submenuAt = 0) {
        QMenu* menu = MenuNamed(title);
        if (!menu) return;
        QMenuBar* bar = Frame().CurrentMenuBar();
        QAction* top = nullptr;
        for (QAction* a : bar->actions())
            if (a->menu() == menu) top = a;
        bar->setActiveAction(top);
        Settle();
        menu->popup(bar->mapToGlobal(bar->actionGeometry(top).bottomLeft()));
        Settle();
        std::vector<QWidget*> over{menu};
        QRect area = menu->geometry().translated(-Frame().mapToGlobal(QPoint(0, 0)));
        for (QAction* a : menu->actions()) {
            if (a->data().toInt() == hoveredId) menu->setActiveAction(a);
            if (submenuAt && a->menu()) {
                menu->setActiveAction(a);
                QMenu* sub = a->menu();
                sub->popup(menu->mapToGlobal(menu->actionGeometry(a).topRight()));
                Settle();
                for (QAction* s : sub->actions())
                    if (s->data().toInt() == submenuAt) sub->setActiveAction(s);
                over.push_back(sub);
                area = area.united(sub->geometry().translated(-Frame().mapToGlobal(QPoint(0, 0))));
            }
        }
        Settle();
        const QImage image = Composite(over);
        Save(name, image, AroundMenu(image, area));
        for (auto it = over.rbegin(); it != over.rend(); ++it) (*it)->close();
        bar->setActiveAction(nullptr);
        Settle();
    }

    // Runs a command whose dialog or message box is grabbed once it is up, then answered.
    void ShootModal(const QString& name, const std::function<void()>& command,
                    const std::function<void(QDialog&)>& fill = {}, bool accept = true) {
        bool done = false;
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, [&, poll] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (done || !dialog || !dialog->isVisible()) return;
            done = true;
            poll->stop();
            if (fill) fill(*dialog);
            // The dialog with a little of the window around it.
            const QImage image = Composite({dialog});
            Save(name, image, m_dialogArea.adjusted(-40, -30, 40, 30));
            if (accept) dialog->accept();
            else dialog->reject();
        });
        poll->start(30);
        command();
        poll->deleteLater();
        Settle();
    }

    void Run(int id) {
        Frame().Action(id)->trigger();
        Settle();
    }
    // The active window over the whole area, as the first window of a session opens.
    void FillArea() {
        Settle();
        Frame().ActiveFrame()->setGeometry(Frame().MdiArea()->viewport()->rect());
        Settle();
    }
    EditorView* ActiveEditor() { return dynamic_cast<EditorView*>(Frame().ActiveView()); }

    void All() {
        CMainFrame& frame = Frame();
        frame.showNormal();
        frame.resize(1200, 680);
        Settle();

        // The main window on the level graph example, tracks shown.
        m_app.OpenDocumentFile(m_examples + "/level-graph.lxd");
        for (CChildFrame* f : frame.Frames())
            if (f->Document() != Doc()) m_app.CloseDocument(f->Document());
        FillArea();
        Save("main-window", Composite({}));

        ShootMenu("menu-file", "&File", cmd::kExportText);
        ShootMenu("menu-edit", "&Edit", cmd::kToolBlueEdge);
        ShootMenu("menu-graph", "&Graph", cmd::kShowTrack);
        ShootMenu("menu-algorithms", "Algorithms", cmd::kDrawLevelPlanarGraph, cmd::kExperiment8);
        ShootMenu("menu-random", "Random Generators", cmd::kRandomLabeledTree);
        ShootMenu("menu-grid-and-tracks", "Grid and &Tracks", cmd::kRenumberTopToBottom);
        ShootMenu("menu-window", "&Window", cmd::kNewPqTreeWindow);

        // The colour menu below its toolbar button.
        {
            QToolBar* bar = frame.findChild<QToolBar*>("toolbar128");
            QWidget* button = bar->widgetForAction(frame.Action(cmd::kVertexColorButton));
            CColorMenu menu("Vertex Color", &frame);
            menu.CheckColor(Doc()->m_currentColor);
            menu.popup(button->mapToGlobal(QPoint(0, button->height())));
            Settle();
            const QImage image = Composite({&menu});
            Save("colour-menu", image, AroundMenu(image, menu.geometry().translated(-frame.mapToGlobal(QPoint(0, 0)))));
            menu.close();
        }

        // The context menu of a selected vertex.
        {
            CLattixDoc* doc = Doc();
            EditorView* view = ActiveEditor();
            CVertex* vertex = nullptr;
            for (CElement* e : doc->m_elements)
                if (e->IsVertex() && e->m_name == "b") vertex = e->AsVertex();
            if (view && vertex) {
                const QPoint at(vertex->m_center.x - view->m_scroll.x, vertex->m_center.y - view->m_scroll.y);
                QTimer::singleShot(200, [&] {
                    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                    if (!menu) return;
                    const QImage image = Composite({menu});
                    Save("context-menu", image,
                         AroundMenu(image, menu->geometry().translated(-frame.mapToGlobal(QPoint(0, 0)))));
                    menu->close();
                });
                QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), view->viewport()->mapToGlobal(QPointF(at)),
                                  Qt::RightButton, Qt::RightButton, {});
                QApplication::sendEvent(view->viewport(), &press);
                Settle();
            }
        }

        // Dialogs.
        ShootModal("dialog-grid-and-tracks", [&] { Run(cmd::kGuidesPreferences); }, {}, false);
        ShootModal("dialog-draw", [&] { Run(cmd::kDrawLevelPlanarGraph); });
        Save("level-planar-drawing", Composite({}));
        ShootModal("dialog-about", [&] { Run(cmd::kAppAbout); });

        // The ULP trees, recognised while editing, then drawn.
        m_app.OpenDocumentFile(m_examples + "/ulp-trees.lxd");
        FillArea();
        Run(cmd::kUlpRecognitionMode);
        Save("ulp-recognition", Composite({}));
        ShootModal("dialog-ulp-draw", [&] { Run(cmd::kDrawUlpTrees); });
        Save("ulp-drawing", Composite({}));

        // A planarity test and its PQ-trees beside the drawing.
        m_app.OpenDocumentFile(m_examples + "/triangle-and-path.lxd");
        ShootModal("message-planarity", [&] { Run(cmd::kPlanarityTesting); });
        CChildFrame* editor = frame.ActiveFrame();
        Run(cmd::kNewPqTreeWindow);
        for (CChildFrame* f : frame.Frames())
            if (f->Document() != editor->Document()) f->showMinimized();
        editor->showNormal();
        Run(cmd::kWindowTileVert);
        frame.MdiArea()->setActiveSubWindow(editor);
        Settle();
        Save("pq-tree-window", Composite({}));

        // A random tree in a new document.
        Run(cmd::kFileNew);
        ShootModal("dialog-random-tree", [&] { Run(cmd::kRandomLabeledTree); },
                   [](QDialog& d) {
                       if (auto* field = d.findChild<QLineEdit*>()) field->setText("12");
                   });
        FillArea();
        Save("random-tree", Composite({}));
    }

private:
    CLattixApp& m_app;
    QString m_out;
    QString m_examples;
    QRect m_dialogArea;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: arborix-screenshots OUTPUT_DIR EXAMPLES_DIR\n";
        return 2;
    }
    // The recent-file list of the user stays as it is.
    QStandardPaths::setTestModeEnabled(true);
    QApplication qapp(argc, argv);
    QApplication::setStyle("Fusion");
    QDir().mkpath(argv[1]);
    CLattixApp app;
    // Platform dialogs wait for the tour to grab them.
    if (!app.InitInstance({"arborix"})) return 1;
    Tour tour(app, QString::fromLocal8Bit(argv[1]), QDir(QString::fromLocal8Bit(argv[2])).absolutePath());
    tour.All();
    // Leave without questions about the changed documents.
    for (const auto& doc : app.Documents()) doc->SetModifiedFlag(false);
    return 0;
}
