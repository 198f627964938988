#include "support/TestDoc.h"

#include <cmath>
#include <map>

std::size_t TestDoc::CountVertices() const { return Vertices().size(); }
std::size_t TestDoc::CountEdges() const { return Edges().size(); }

std::vector<CVertex*> TestDoc::Vertices() const {
    std::vector<CVertex*> out;
    for (CElement* e : doc->m_elements)
        if (CVertex* v = e->AsVertex()) out.push_back(v);
    return out;
}

std::vector<CEdge*> TestDoc::Edges() const {
    std::vector<CEdge*> out;
    for (CElement* e : doc->m_elements)
        if (CEdge* edge = e->AsEdge()) out.push_back(edge);
    return out;
}

CVertex* TestDoc::VertexNamed(const std::string& name) const {
    for (CVertex* v : Vertices())
        if (v->m_name == name) return v;
    return nullptr;
}

void BuildGraph(TestDoc& t, const std::vector<std::pair<std::string, std::string>>& edges, std::uint16_t code) {
    std::vector<std::string> order;
    for (const auto& [a, b] : edges) {
        for (const std::string& n : {a, b})
            if (std::find(order.begin(), order.end(), n) == order.end()) order.push_back(n);
    }
    std::map<std::string, CVertex*> byName;
    const double step = 2 * 3.14159265358979 / std::max<std::size_t>(order.size(), 1);
    for (std::size_t i = 0; i < order.size(); ++i) {
        const int x = 2000 + int(1500 * std::cos(step * double(i)));
        const int y = 2000 + int(1500 * std::sin(step * double(i)));
        byName[order[i]] = t.Vertex(x, y, order[i]);
    }
    for (const auto& [a, b] : edges) t.Edge(byName[a], byName[b], code);
}
