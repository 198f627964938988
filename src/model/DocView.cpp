#include "model/DocView.h"

#include "model/LattixDoc.h"

CDocView::~CDocView() {
    if (m_doc) m_doc->RemoveView(this);
}

CLattixView::~CLattixView() {
    if (CLattixDoc* doc = GetDocument()) doc->RemoveView(this);
}

int CLattixView::ShowColorSlot(int code) {
    // Codes 1..8 in the stored order Blue, Red, Yellow, Black, Purple, Cyan, Orange, Green.
    static constexpr int kSlot[9] = {-1, 0, 1, 7, 2, 6, 5, 4, 3};
    return (code >= 1 && code <= 8) ? kSlot[code] : -1;
}

bool CLattixView::IsColorShown(int code) const {
    const int slot = ShowColorSlot(code);
    return slot >= 0 && m_showColor[slot];
}

void CLattixView::SetColorShown(int code, bool shown) {
    const int slot = ShowColorSlot(code);
    if (slot >= 0) m_showColor[slot] = shown;
}

GuideSettings CLattixView::SavedGuides() const {
    return {m_guideMode, m_snapToGuides, m_xSeparation, m_ySeparation, m_lockToTracks};
}

void CLattixView::ApplySavedGuides(const GuideSettings& g) {
    m_guideMode = g.m_guideMode;
    m_snapToGuides = g.m_snapToGuides;
    m_xSeparation = g.m_xSeparation;
    m_ySeparation = g.m_ySeparation;
    m_lockToTracks = g.m_lockToTracks;
}
