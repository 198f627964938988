// The right-button menu: what it offers depends on what is selected and what was clicked.

#include <algorithm>

#include "editor/CommandIds.h"
#include "editor/ContextMenu.h"
#include "editor/HitTest.h"
#include "model/LattixDoc.h"

namespace {

bool IsEdgeLike(const CElement* e) { return e->IsEdge() || e->AsVertex()->m_isBend; }

void AddUnique(std::vector<Rgb>& list, Rgb c) {
    if (std::find(list.begin(), list.end(), c) == list.end()) list.push_back(c);
}
void AddUnique(std::vector<int>& list, int code) {
    if (std::find(list.begin(), list.end(), code) == list.end()) list.push_back(code);
}

} // namespace

ContextMenu CLattixDoc::OnRButtonDown(CDocView* view, unsigned flags, Point point) {
    ContextMenu menu;
    if (!view || !view->IsEditorView() || m_zoomIndex != 9) return menu;

    int vertices = 0, edgeLike = 0;
    for (const CElement* e : m_selection) (IsEdgeLike(e) ? edgeLike : vertices)++;

    CElement* hit = HitTestElements(*this, point, {nullptr, 3, true});
    if (hit && !IsSelected(hit)) {
        if (!(flags & kFlagCtrl)) {
            ClearSelection();
            vertices = edgeLike = 0;
        }
        AddToSelection(hit);
        (IsEdgeLike(hit) ? edgeLike : vertices)++;
    }

    auto vertexColours = [&] {
        for (const CElement* e : m_selection)
            if (const CVertex* v = e->AsVertex(); v && !v->m_isBend) AddUnique(menu.checkedColors, v->m_color);
    };
    auto edgeColours = [&] {
        for (const CElement* e : m_selection)
            if (const CEdge* edge = e->AsEdge()) AddUnique(menu.checkedEdgeCodes, edge->m_edgeColor);
    };
    using namespace cmd;
    if (vertices >= 1 && edgeLike == 0) {
        menu.kind = ContextMenu::Kind::Vertices;
        menu.vertexColorSubmenu = true;
        menu.entries = {kRename, kResize, kDelete, kTrackNumber, kRelabel};
        vertexColours();
    } else if (vertices >= 1 && edgeLike >= 1) {
        menu.kind = ContextMenu::Kind::VerticesAndEdges;
        menu.vertexColorSubmenu = true;
        menu.edgeColorSubmenu = true;
        menu.entries = {0, kDelete, kRename, kResize, kTrackNumber, kRelabel, kWeight, kAddBend};
        vertexColours();
        edgeColours();
    } else if (vertices == 0 && edgeLike == 1 && hit && IsEdgeLike(hit) && hit->IsVertex()) {
        menu.kind = ContextMenu::Kind::BendPoint;
        menu.edgeColorSubmenu = true;
        menu.entries = {0, kTrackNumber, kDelete, kRemoveBend};
        const CVertex* bend = hit->AsVertex();
        if (!bend->m_edges.empty()) menu.checkedEdgeCodes.push_back(bend->m_edges.front()->m_edgeColor);
    } else if (vertices == 0 && ((edgeLike == 1 && hit && hit->IsEdge()) || edgeLike >= 2)) {
        menu.kind = ContextMenu::Kind::Edges;
        menu.edgeColorSubmenu = true;
        menu.entries = {0, kWeight, kDelete, kAddBend};
        edgeColours();
    } else if (!hit) {
        PickTrack(point.y, view);
        if (m_selectedTrack >= 0) {
            menu.kind = ContextMenu::Kind::Track;
            menu.trackColorSubmenu = true;
            menu.entries = {kRemoveTrackColor};
        }
    }
    RepaintAllViews();
    m_lastPoint = point;
    return menu;
}

void CLattixDoc::OnContextMenuClosed(const ContextMenu& menu) {
    // A colour chosen next applies to the selected vertices or the picked track.
    if (menu.kind == ContextMenu::Kind::Vertices || menu.kind == ContextMenu::Kind::VerticesAndEdges ||
        menu.kind == ContextMenu::Kind::Track)
        m_colorForSelection = true;
}
