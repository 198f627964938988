#pragma once
// A document on a headless platform with one editor view, and small builders for graphs.

#include <memory>
#include <string>
#include <vector>

#include "model/HeadlessPlatform.h"
#include "model/LattixDoc.h"

struct TestDoc {
    HeadlessPlatform platform;
    std::unique_ptr<CLattixDoc> doc;
    std::unique_ptr<CLattixView> view;

    explicit TestDoc(bool withView = true) {
        doc = std::make_unique<CLattixDoc>(platform);
        if (withView) {
            view = std::make_unique<CLattixView>();
            doc->AddView(view.get());
            platform.m_activeView = view.get();
        }
        doc->OnNewDocument();
    }
    ~TestDoc() {
        view.reset();
        doc.reset();
    }

    CLattixDoc& d() { return *doc; }

    CVertex* Vertex(std::int32_t x, std::int32_t y, const std::string& name = {}) {
        auto* v = new CVertex(x, y, ColorIdToRgb(kColorIdBlue));
        if (!name.empty()) v->m_name = name;
        doc->AddElement(v);
        return v;
    }
    CEdge* Edge(CVertex* a, CVertex* b, std::uint16_t code = kEdgeBlue) {
        auto* e = new CEdge(a, b, code);
        doc->AddElement(e);
        return e;
    }
    std::size_t CountVertices() const;
    std::size_t CountEdges() const;
    // The vertices in element order.
    std::vector<CVertex*> Vertices() const;
    std::vector<CEdge*> Edges() const;
    CVertex* VertexNamed(const std::string& name) const;
};

// Builds a graph from an edge list over vertices named by strings, placed on a circle.
// Vertices are created in order of first appearance.
void BuildGraph(TestDoc& t, const std::vector<std::pair<std::string, std::string>>& edges,
                std::uint16_t code = kEdgeBlue);
