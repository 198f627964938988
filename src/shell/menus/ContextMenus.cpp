#include "shell/menus/ContextMenus.h"

#include <QMenu>

#include <algorithm>

#include "editor/CommandIds.h"
#include "editor/ContextMenu.h"
#include "shell/menus/ColorMenu.h"

namespace {

QString TextOf(int id, ContextMenu::Kind kind) {
    using namespace cmd;
    switch (id) {
    case kRename: return "Re&name...";
    case kResize: return "Re&size...";
    case kDelete: return kind == ContextMenu::Kind::BendPoint ? "&Delete Edge" : "&Delete";
    case kTrackNumber: return "&Track Number...";
    case kRelabel: return "Re&label...";
    case kWeight: return "&Weight...";
    case kAddBend: return "Add &Bend";
    case kRemoveBend: return "&Remove Bend";
    case kRemoveTrackColor: return "Remove Color";
    default: return {};
    }
}

void AddEdgeColorSubmenu(QMenu& menu, const ContextMenu& request) {
    using namespace cmd;
    const struct {
        const char* text;
        int id;
        int code;
    } entries[] = {{"&Blue", kEdgeColorBlue, 1},     {"&Red", kEdgeColorRed, 2},       {"&Green", kEdgeColorGreen, 3},
                   {"&Yellow", kEdgeColorYellow, 4}, {"&Orange", kEdgeColorOrange, 5}, {"&Cyan", kEdgeColorCyan, 6},
                   {"&Purple", kEdgeColorPurple, 7}, {"B&lack", kEdgeColorBlack, 8}};
    QMenu* sub = menu.addMenu("&Edge Color");
    for (const auto& e : entries) {
        QAction* a = sub->addAction(e.text);
        a->setData(e.id);
        const auto& checked = request.checkedEdgeCodes;
        if (std::find(checked.begin(), checked.end(), e.code) != checked.end()) {
            a->setCheckable(true);
            a->setChecked(true);
        }
    }
}

} // namespace

int ShowContextMenu(const ContextMenu& request, QPoint globalPos, QWidget* parent) {
    if (request.Empty()) return 0;
    QMenu menu(parent);
    CColorMenu* colours = nullptr;
    if (request.vertexColorSubmenu || request.trackColorSubmenu) {
        colours = new CColorMenu(request.vertexColorSubmenu ? "Vertex &Color" : "Track &Color", &menu);
        for (Rgb c : request.checkedColors) colours->CheckColor(c);
        menu.addMenu(colours);
    }
    for (int id : request.entries) {
        if (id == 0) {
            if (request.edgeColorSubmenu) AddEdgeColorSubmenu(menu, request);
            continue;
        }
        menu.addAction(TextOf(id, request.kind))->setData(id);
    }
    QAction* chosen = menu.exec(globalPos);
    if (colours && colours->ChosenId()) return colours->ChosenId();
    return chosen ? chosen->data().toInt() : 0;
}
