// Guides of an editor view: tracks, grid lines, snapping, locking and track colours.
// Each command repaints; none of them is an edit of the graph.

#include "editor/GuideCommands.h"

#include <algorithm>
#include <random>

#include "model/LattixDoc.h"

void OnShowGrid(CLattixDoc& doc, CLattixView& view) {
    view.m_guideMode = view.m_guideMode == CLattixView::kGuideGrid ? CLattixView::kGuideNone : CLattixView::kGuideGrid;
    doc.RepaintAllViews();
}

void OnShowTracks(CLattixDoc& doc, CLattixView& view) {
    view.m_guideMode =
        view.m_guideMode == CLattixView::kGuideHorizontal ? CLattixView::kGuideNone : CLattixView::kGuideHorizontal;
    doc.RepaintAllViews();
}

void OnSnapToGuides(CLattixDoc& doc, CLattixView& view) {
    view.m_snapToGuides = !view.m_snapToGuides;
    // Snapping needs something to snap to.
    if (view.m_snapToGuides && view.m_guideMode == CLattixView::kGuideNone) view.m_guideMode = CLattixView::kGuideGrid;
    doc.RepaintAllViews();
}

void OnLockToTracks(CLattixDoc& doc, CLattixView& view) {
    view.m_lockToTracks = !view.m_lockToTracks;
    if (view.m_lockToTracks) {
        if (view.m_guideMode == CLattixView::kGuideNone) view.m_guideMode = CLattixView::kGuideHorizontal;
        else if (view.m_guideMode == CLattixView::kGuideVertical) view.m_guideMode = CLattixView::kGuideGrid;
    }
    doc.RepaintAllViews();
}

void OnGuidesPreferences(CLattixDoc& doc, CLattixView& view) {
    const GuidesDialogValues initial{view.m_guideMode,      view.m_snapToGuides, view.m_lockToTracks,
                                     view.m_showDashedTracks, view.m_xSeparation,  view.m_ySeparation};
    auto values = doc.Platform().RunGuidesDialog(initial);
    if (!values) return;
    view.m_guideMode = values->mode;
    view.m_snapToGuides = values->snapToGuides;
    view.m_lockToTracks = values->lockToTracks;
    view.m_showDashedTracks = values->dashedTracks;
    view.m_xSeparation = values->xSeparation;
    view.m_ySeparation = values->ySeparation;
    constexpr int kMinimumSeparation = 10;
    if (view.m_xSeparation < kMinimumSeparation || view.m_ySeparation < kMinimumSeparation) {
        view.m_xSeparation = std::max(view.m_xSeparation, kMinimumSeparation);
        view.m_ySeparation = std::max(view.m_ySeparation, kMinimumSeparation);
        doc.Platform().ShowMessage("Minimum X and Y separation is " + std::to_string(kMinimumSeparation));
    }
    doc.RepaintAllViews();
}

void OnRemoveTrackColor(CLattixDoc& doc, CLattixView& view) {
    if (doc.m_selectedTrack >= 0 && doc.m_selectedTrack < kTrackColorCount) {
        view.m_trackColors[doc.m_selectedTrack] = 0;
        doc.m_selectedTrack = -1;
    }
    doc.RepaintAllViews();
}

void OnRemoveAllTrackColors(CLattixDoc& doc, CLattixView& view) {
    view.m_trackColors.fill(0);
    doc.RepaintAllViews();
}

void OnColorTracksRandomly(CLattixDoc& doc, CLattixView& view) {
    // Cancel leaves the colours as they were.
    auto values = doc.Platform().RunColorTracksDialog({});
    if (!values) return;
    std::int32_t from = values->fromTrack, to = values->toTrack;
    if (from > to) std::swap(from, to);
    from = std::max(from, 0);
    to = std::min(to, kTrackColorCount - 1);
    const int colours = std::clamp(values->colorCountIndex + 1, 1, 15);
    std::mt19937 rng(doc.Platform().TickCount());
    for (std::int32_t t = from; t <= to; ++t) view.m_trackColors[t] = static_cast<std::uint16_t>(101 + rng() % colours);
    doc.RepaintAllViews();
}

bool IsGridShown(const CLattixView& view) { return view.m_guideMode == CLattixView::kGuideGrid; }
bool AreTracksShown(const CLattixView& view) { return view.m_guideMode == CLattixView::kGuideHorizontal; }
bool IsSnapChecked(const CLattixView& view) { return view.m_snapToGuides && view.m_guideMode != CLattixView::kGuideNone; }
bool IsLockChecked(const CLattixView& view) { return view.m_lockToTracks && view.m_guideMode != CLattixView::kGuideNone; }
