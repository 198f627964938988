#include "shell/ChildFrame.h"

#include <algorithm>

#include <QCloseEvent>
#include <QSplitter>

#include "model/LattixDoc.h"
#include "shell/Icons.h"
#include "shell/views/EditorView.h"
#include "shell/views/PQtreeViewWidget.h"

namespace {
constexpr int kMinPane = 10;
}

CChildFrame::CChildFrame(CLattixDoc& doc, ViewKind kind, QWidget* parent)
    : QMdiSubWindow(parent), m_doc(&doc), m_kind(kind) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(AppIcon());
    m_rows = new QSplitter(Qt::Vertical, this);
    m_rows->setChildrenCollapsible(false);
    setWidget(m_rows);
    m_panes.push_back(MakePane());
    Arrange();
    SetActive(m_panes.front().canvas);
}

CChildFrame::~CChildFrame() {
    // Views leave the document before the widgets go.
    for (const Pane& pane : m_panes)
        if (m_doc) m_doc->RemoveView(pane.view);
}

CChildFrame::Pane CChildFrame::MakePane() {
    Pane pane{};
    if (m_kind == ViewKind::Editor) {
        auto* view = new EditorView;
        pane = {view, view};
    } else {
        auto* view = new PQtreeViewWidget;
        pane = {view, view};
    }
    pane.canvas->setMinimumSize(kMinPane, kMinPane);
    if (m_doc) m_doc->AddView(pane.view);
    connect(pane.canvas, &BufferedCanvas::Activated, this, &CChildFrame::SetActive);
    return pane;
}

void CChildFrame::Arrange() {
    // Panes go row by row: one pane, or two rows of two.
    std::vector<QSplitter*> rows;
    for (int i = 0; i < m_rows->count(); ++i) rows.push_back(static_cast<QSplitter*>(m_rows->widget(i)));
    for (std::size_t i = 0; i < m_panes.size(); ++i) {
        const std::size_t row = i / 2;
        while (rows.size() <= row) {
            auto* split = new QSplitter(Qt::Horizontal, m_rows);
            split->setChildrenCollapsible(false);
            m_rows->addWidget(split);
            rows.push_back(split);
        }
        rows[row]->addWidget(m_panes[i].canvas);
    }
    for (std::size_t r = (m_panes.size() + 1) / 2; r < rows.size(); ++r) rows[r]->deleteLater();
}

CDocView* CChildFrame::ActiveView() const {
    for (const Pane& pane : m_panes)
        if (pane.canvas == m_active) return pane.view;
    return m_panes.empty() ? nullptr : m_panes.front().view;
}

std::vector<CDocView*> CChildFrame::Views() const {
    std::vector<CDocView*> views;
    for (const Pane& pane : m_panes) views.push_back(pane.view);
    return views;
}

void CChildFrame::SetActive(BufferedCanvas* canvas) {
    if (m_active == canvas) return;
    m_active = canvas;
    emit ActiveViewChanged();
}

void CChildFrame::Split() {
    if (m_panes.size() == 1) {
        while (m_panes.size() < 4) m_panes.push_back(MakePane());
        // The new panes start where the first one looks.
        const Point scroll = m_panes.front().view->m_scroll;
        for (std::size_t i = 1; i < m_panes.size(); ++i) m_panes[i].view->ScrollTo(scroll);
        Arrange();
        const int half = std::max(kMinPane, m_rows->height() / 2);
        m_rows->setSizes({half, half});
        for (int i = 0; i < m_rows->count(); ++i) {
            auto* row = static_cast<QSplitter*>(m_rows->widget(i));
            const int w = std::max(kMinPane, row->width() / 2);
            row->setSizes({w, w});
        }
        return;
    }
    // Back to the active pane alone.
    BufferedCanvas* keep = m_active ? m_active : m_panes.front().canvas;
    std::vector<Pane> kept;
    for (const Pane& pane : m_panes) {
        if (pane.canvas == keep) {
            kept.push_back(pane);
            continue;
        }
        if (m_doc) m_doc->RemoveView(pane.view);
        delete pane.canvas;
    }
    m_panes = kept;
    Arrange();
    keep->setFocus();
}

void CChildFrame::ActivateNextPane(bool backwards) {
    if (m_panes.size() < 2) return;
    auto it = std::find_if(m_panes.begin(), m_panes.end(), [this](const Pane& p) { return p.canvas == m_active; });
    std::size_t index = it == m_panes.end() ? 0 : static_cast<std::size_t>(it - m_panes.begin());
    index = backwards ? (index + m_panes.size() - 1) % m_panes.size() : (index + 1) % m_panes.size();
    m_panes[index].canvas->setFocus();
    SetActive(m_panes[index].canvas);
}

void CChildFrame::DetachDocument() {
    for (const Pane& pane : m_panes)
        if (m_doc) m_doc->RemoveView(pane.view);
    m_doc = nullptr;
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    bool accept = true;
    if (m_doc) emit CloseRequested(this, &accept);
    if (accept) event->accept();
    else event->ignore();
}
