#pragma once
// The right-button context menu the editor asks the shell to show.

#include <vector>

#include "model/Colors.h"

struct ContextMenu {
    enum class Kind { None, Vertices, VerticesAndEdges, BendPoint, Edges, Track };
    Kind kind = Kind::None;
    // A colour submenu comes first: "Vertex &Color" (Vertices, VerticesAndEdges) or
    // "Track &Color" (Track), made of the colour menu entries 101..115.
    bool vertexColorSubmenu = false;
    bool trackColorSubmenu = false;
    // The "&Edge Color" submenu (Edges, BendPoint, VerticesAndEdges).
    bool edgeColorSubmenu = false;
    // The plain entries in menu order (command ids); the edge-colour submenu sits where
    // the id 0 appears.
    std::vector<int> entries;
    // Check marks: colours (RGB) in the colour submenu, edge colour codes in the edge one.
    std::vector<Rgb> checkedColors;
    std::vector<int> checkedEdgeCodes;

    bool Empty() const { return kind == Kind::None; }
};
