#pragma once
// A child window of the main frame: one document shown in up to 2 x 2 panes, each pane a
// view of its own (scroll position, guides, colour visibility) on the same document.

#include <vector>

#include <QMdiSubWindow>

#include "model/DocView.h"

class BufferedCanvas;
class CLattixDoc;
class QSplitter;

class CChildFrame final : public QMdiSubWindow {
    Q_OBJECT
public:
    CChildFrame(CLattixDoc& doc, ViewKind kind, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CLattixDoc* Document() const { return m_doc; }
    ViewKind Kind() const { return m_kind; }
    // The pane that commands go to.
    CDocView* ActiveView() const;
    BufferedCanvas* ActivePane() const { return m_active; }
    std::vector<CDocView*> Views() const;
    int PaneCount() const { return static_cast<int>(m_panes.size()); }
    bool IsSplit() const { return m_panes.size() > 1; }

    // One pane becomes 2 x 2; a split frame goes back to its active pane.
    void Split();
    // F6 and Shift+F6.
    void ActivateNextPane(bool backwards);
    // The document was closed under the frame: forget it, the frame is about to go.
    void DetachDocument();

signals:
    void ActiveViewChanged();
    // The user closes the frame; the receiver decides (it may ask to save).
    void CloseRequested(CChildFrame* frame, bool* accept);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Pane {
        BufferedCanvas* canvas;
        CDocView* view;
    };
    Pane MakePane();
    void Arrange();
    void SetActive(BufferedCanvas* canvas);

    CLattixDoc* m_doc;
    ViewKind m_kind;
    QSplitter* m_rows;
    std::vector<Pane> m_panes;
    BufferedCanvas* m_active = nullptr;
};
