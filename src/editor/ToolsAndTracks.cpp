// Tools, the colour commands, and the document's track numbering.

#include <algorithm>
#include <cstdlib>

#include "model/LattixDoc.h"

void CLattixDoc::SetTool(std::uint16_t code) {
    m_tool = code;
    m_pressTool = code;
}

void CLattixDoc::OnColorCommand(int id) {
    const Rgb rgb = ColorIdToRgb(id);
    CLattixView* view = GetActiveEditorView();
    const bool trackPicked = m_selectedTrack >= 0 && m_selectedTrack < kTrackColorCount;
    if (!m_colorForSelection) {
        if (!trackPicked) {
            m_currentColor = rgb;
        } else if (view) {
            view->m_trackColors[m_selectedTrack] = static_cast<std::uint16_t>(id);
            m_selectedTrack = -1;
        }
    } else if (m_selectedTrack < 0) {
        // Chosen from a vertex context menu: the selected vertices take the colour, one
        // undo step each.
        m_currentColor = rgb;
        m_colorForSelection = false;
        for (CElement* e : m_selection) {
            CVertex* v = e->AsVertex();
            if (!v || v->m_isBend) continue;
            v->m_color = m_currentColor;
            CommitEdit({.derived = Derived::None, .repaint = false});
        }
    } else if (view && m_selectedTrack < kTrackColorCount) {
        view->m_trackColors[m_selectedTrack] = static_cast<std::uint16_t>(id);
    }
    RepaintAllViews();
}

void CLattixDoc::OnRenumberTopToBottom() {
    m_topToBottom = !m_topToBottom;
    RenumberTopToBottom();
    CommitEdit({.derived = Derived::None});
}

void CLattixDoc::OnAutoTrackNumbers() { m_autoTrack = !m_autoTrack; }

void CLattixDoc::RenumberTopToBottom() {
    if (!m_topToBottom) return;
    // Top to bottom, the first in element order on equal heights; vertices at 20000 or
    // below are never reached.
    std::vector<CVertex*> order;
    for (CElement* e : m_elements)
        if (CVertex* v = e->AsVertex(); v && !v->m_isBend && v->m_center.y < kCanvasSize) order.push_back(v);
    std::stable_sort(order.begin(), order.end(),
                     [](const CVertex* a, const CVertex* b) { return a->m_center.y < b->m_center.y; });
    std::int32_t next = 1;
    for (CVertex* v : order) v->m_trackNumber = next++;
    RecomputeModeData();
    RepaintAllViews();
}

void CLattixDoc::PickTrack(std::int32_t y, CDocView* view) {
    m_selectedTrack = -1;
    if (!view || !view->IsEditorView()) return;
    const auto& editor = *static_cast<const CLattixView*>(view);
    const std::int32_t S = editor.m_ySeparation;
    if (!editor.HasHorizontalGuides() || S <= 1) return;
    const std::int32_t i = (y - S / 2) / S;
    auto near = [&](std::int32_t track) {
        return track > 0 && std::int64_t(track) * S < kCanvasSize && std::abs(y - track * S - 1) < 5;
    };
    if (near(i)) m_selectedTrack = i;
    else if (near(i + 1)) m_selectedTrack = i + 1;
}
