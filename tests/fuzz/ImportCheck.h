#pragma once
// Shared by the DOT and GML fuzz targets: a refused file says why and adds nothing;
// whatever imports is a consistent graph on the canvas that survives the derived-data
// passes and a write/read round trip through the native format.

#include <cstddef>
#include <cstdint>
#include <string>

#include "io/DocumentFormat.h"
#include "io/ImportedGraph.h"
#include "model/HeadlessPlatform.h"
#include "model/LattixDoc.h"

template <typename Reader>
int CheckImport(const std::uint8_t* data, std::size_t size, Reader read) {
    g_nextId = 0;
    ImportedGraph graph;
    std::string error;
    if (!read(std::span<const std::uint8_t>(data, size), graph, error)) {
        if (error.empty()) __builtin_trap();
        return 0;
    }
    for (const ImportedEdge& e : graph.edges)
        if (e.from >= graph.nodes.size() || e.to >= graph.nodes.size() || e.colorCode < 1 || e.colorCode > 8)
            __builtin_trap();
    HeadlessPlatform platform;
    CLattixView view;
    platform.m_activeView = &view;
    CLattixDoc doc(platform);
    doc.AddView(&view);
    doc.OnNewDocument();
    AddImportedGraph(doc, graph);
    for (const CElement* e : doc.m_elements) {
        const CVertex* v = e->AsVertex();
        if (v && (v->m_center.x < 0 || v->m_center.x > kCanvasSize || v->m_center.y < 0 || v->m_center.y > kCanvasSize))
            __builtin_trap();
    }
    doc.RecomputeDerivedData();
    const auto bytes = WriteDocument(doc);
    CLattixDoc again(platform);
    if (ReadDocument(again, bytes) != LoadStatus::Ok) __builtin_trap();
    if (again.m_elements.size() != doc.m_elements.size()) __builtin_trap();
    return 0;
}
