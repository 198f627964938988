#pragma once
// The document's views as the core sees them. The shell derives its widgets' views from
// these classes and repaints on request; headless documents (the command-line program,
// the tests) use them as they are.

#include <array>
#include <cstdint>

#include "model/Geometry.h"

class CLattixDoc;

enum class ViewKind { Editor, PQtree };

class CDocView {
public:
    explicit CDocView(ViewKind kind) : m_kind(kind) {}
    virtual ~CDocView();
    CDocView(const CDocView&) = delete;
    CDocView& operator=(const CDocView&) = delete;

    ViewKind Kind() const { return m_kind; }
    bool IsEditorView() const { return m_kind == ViewKind::Editor; }
    CLattixDoc* GetDocument() const { return m_doc; }

    // Draws the view afresh, off-screen first; the shell overrides it.
    virtual void Repaint() {}

    // Scroll position in pixels and client size; the shell keeps them current.
    Point m_scroll;
    std::int32_t m_clientWidth = 1024;
    std::int32_t m_clientHeight = 768;
    // Sets the scroll position; the shell overrides it to move its scroll bars too.
    virtual void ScrollTo(Point p) { m_scroll = p; }

private:
    friend class CLattixDoc;
    ViewKind m_kind;
    CLattixDoc* m_doc = nullptr;
};

// The five guide settings that a document file carries for its first editor view.
struct GuideSettings {
    std::int32_t m_guideMode = 0;
    bool m_snapToGuides = false;
    std::int32_t m_xSeparation = 30;
    std::int32_t m_ySeparation = 30;
    bool m_lockToTracks = false;

    friend bool operator==(const GuideSettings&, const GuideSettings&) = default;
};

inline constexpr int kTrackColorCount = 2000;

// The graph editor view: guides, track colours and the per-colour visibility belong to
// each view, so two windows on one document can show different layers and guides.
class CLattixView : public CDocView {
public:
    CLattixView() : CDocView(ViewKind::Editor) { m_showColor.fill(true); m_trackColors.fill(0); }
    // Leaves the document while the guides can still be read, so a document that loses its
    // last editor view keeps them.
    ~CLattixView() override;

    enum GuideMode : std::int32_t { kGuideNone = 0, kGuideHorizontal = 1, kGuideVertical = 2, kGuideGrid = 3 };

    std::int32_t m_guideMode = kGuideNone;
    bool m_snapToGuides = false;
    bool m_lockToTracks = false;
    bool m_showDashedTracks = false;
    std::int32_t m_xSeparation = 30;
    std::int32_t m_ySeparation = 30;
    std::array<std::uint16_t, kTrackColorCount> m_trackColors{};
    // One flag per edge colour, stored Blue, Red, Yellow, Black, Purple, Cyan, Orange, Green.
    std::array<bool, 8> m_showColor{};
    bool m_showDashedEdges = false;

    bool HasHorizontalGuides() const { return m_guideMode == kGuideHorizontal || m_guideMode == kGuideGrid; }
    bool HasVerticalGuides() const { return m_guideMode == kGuideVertical || m_guideMode == kGuideGrid; }

    // Visibility of an edge colour code; codes outside 1..8 are never shown.
    bool IsColorShown(int code) const;
    void SetColorShown(int code, bool shown);
    static int ShowColorSlot(int code);

    GuideSettings SavedGuides() const;
    void ApplySavedGuides(const GuideSettings& g);

    // What the editor draws in inverting mode over the picture while the mouse is down:
    // the rubber band (dotted, RGB 7, 0, 0) and the edge being dragged out. Document
    // coordinates.
    struct Overlay {
        bool band = false;
        Rect bandRect;
        bool edge = false;
        Point edgeFrom, edgeTo;
        std::uint16_t edgeCode = 0;
    };
    Overlay m_overlay;
    // Redraws the overlay over the last picture; the shell overrides it.
    virtual void RefreshOverlay() {}
    // Shows the cursor of a cursor code (120 move, 121 add, 122 remove, 123 normal).
    virtual void ShowCursor(std::uint16_t code) {}
};

// The PQ-tree replay view; everything it shows comes from the document.
class CPQtreeView : public CDocView {
public:
    CPQtreeView() : CDocView(ViewKind::PQtree) {}
};
