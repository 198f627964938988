#include "io/ImportedGraph.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <iterator>

#include "io/FileIO.h"
#include "io/ParallelLanes.h"
#include "model/LattixDoc.h"

namespace {

constexpr std::int32_t kBorder = 60;

std::string Lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

struct NamedColor {
    const char* name;
    Rgb rgb;
};

// The colour names that graph files use most; anything else keeps the default colour.
const NamedColor kNamedColors[] = {
    {"black", MakeRgb(0, 0, 0)},          {"white", MakeRgb(255, 255, 255)},    {"red", MakeRgb(255, 0, 0)},
    {"green", MakeRgb(0, 255, 0)},        {"blue", MakeRgb(0, 0, 255)},         {"yellow", MakeRgb(255, 255, 0)},
    {"orange", MakeRgb(255, 165, 0)},     {"cyan", MakeRgb(0, 255, 255)},       {"magenta", MakeRgb(255, 0, 255)},
    {"purple", MakeRgb(160, 32, 240)},    {"violet", MakeRgb(238, 130, 238)},   {"gray", MakeRgb(192, 192, 192)},
    {"grey", MakeRgb(192, 192, 192)},     {"brown", MakeRgb(165, 42, 42)},      {"pink", MakeRgb(255, 192, 203)},
    {"gold", MakeRgb(255, 215, 0)},       {"navy", MakeRgb(0, 0, 128)},         {"darkgreen", MakeRgb(0, 100, 0)},
    {"darkblue", MakeRgb(0, 0, 139)},     {"darkred", MakeRgb(139, 0, 0)},      {"lightblue", MakeRgb(173, 216, 230)},
    {"lightgray", MakeRgb(211, 211, 211)}, {"lightgrey", MakeRgb(211, 211, 211)}, {"lightgreen", MakeRgb(144, 238, 144)},
    {"turquoise", MakeRgb(64, 224, 208)}, {"forestgreen", MakeRgb(34, 139, 34)}, {"crimson", MakeRgb(220, 20, 60)},
};

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = char(std::tolower(static_cast<unsigned char>(c)));
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

} // namespace

std::optional<Rgb> ParseColorText(const std::string& raw) {
    std::string text = Lower(raw);
    text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return std::isspace(static_cast<unsigned char>(c)); }),
               text.end());
    if (!text.empty() && text[0] == '#') {
        if (text.size() != 7 && text.size() != 9) return std::nullopt;
        int v[3];
        for (int i = 0; i < 3; ++i) {
            const int hi = HexDigit(text[1 + 2 * i]), lo = HexDigit(text[2 + 2 * i]);
            if (hi < 0 || lo < 0) return std::nullopt;
            v[i] = hi * 16 + lo;
        }
        return MakeRgb(std::uint8_t(v[0]), std::uint8_t(v[1]), std::uint8_t(v[2]));
    }
    for (const NamedColor& c : kNamedColors)
        if (text == c.name) return c.rgb;
    return std::nullopt;
}

std::uint16_t NearestEdgeColor(Rgb rgb) {
    std::uint16_t best = kEdgeBlue;
    long bestDistance = -1;
    for (int code = 1; code <= 8; ++code) {
        const Rgb c = ColorOfEdgeCode(code);
        const long dr = long(RedOf(c)) - RedOf(rgb), dg = long(GreenOf(c)) - GreenOf(rgb),
                   db = long(BlueOf(c)) - BlueOf(rgb);
        const long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = std::uint16_t(code);
        }
    }
    return best;
}

void AddImportedGraph(CLattixDoc& doc, const ImportedGraph& graph) {
    const std::size_t n = graph.nodes.size();
    const bool placed = n > 0 && std::all_of(graph.nodes.begin(), graph.nodes.end(), [](const ImportedNode& v) {
        return v.x && v.y && std::isfinite(*v.x) && std::isfinite(*v.y);
    });
    double minX = 0, minY = 0, maxY = 0, scale = 1;
    if (placed) {
        minX = minY = HUGE_VAL;
        maxY = -HUGE_VAL;
        double maxX = -HUGE_VAL;
        for (const ImportedNode& v : graph.nodes) {
            minX = std::min(minX, *v.x), maxX = std::max(maxX, *v.x);
            minY = std::min(minY, *v.y), maxY = std::max(maxY, *v.y);
        }
        const double span = std::max(maxX - minX, maxY - minY);
        const double room = kCanvasSize - 2 * kBorder;
        if (span > room) scale = room / span;
    }
    const std::int32_t columns = std::max<std::int32_t>(1, std::int32_t(std::ceil(std::sqrt(double(n)))));
    const std::int32_t step = std::clamp<std::int32_t>((kCanvasSize - 2 * kBorder) / columns, 1, 60);

    std::vector<CVertex*> vertices;
    vertices.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const ImportedNode& node = graph.nodes[i];
        std::int32_t x, y;
        if (placed) {
            x = kBorder + std::int32_t(std::lround((*node.x - minX) * scale));
            y = kBorder + std::int32_t(std::lround((graph.yUp ? maxY - *node.y : *node.y - minY) * scale));
        } else {
            x = kBorder + step * std::int32_t(i % std::size_t(columns));
            y = kBorder + step * std::int32_t(i / std::size_t(columns));
        }
        auto* v = new CVertex(x, y, node.fill.value_or(doc.m_currentColor));
        v->m_name = node.label;
        doc.AddElement(v);
        vertices.push_back(v);
    }
    std::vector<std::pair<std::uint32_t, std::uint32_t>> ends;
    ends.reserve(graph.edges.size());
    for (const ImportedEdge& e : graph.edges) ends.emplace_back(std::uint32_t(e.from), std::uint32_t(e.to));
    const std::vector<std::int32_t> lanes = ParallelLanes(ends, vertices.size());
    for (std::size_t i = 0; i < graph.edges.size(); ++i) {
        const ImportedEdge& e = graph.edges[i];
        auto* edge = new CEdge(vertices[e.from], vertices[e.to], e.colorCode, lanes[i]);
        if (e.weight) edge->m_weight = *e.weight;
        doc.AddElement(edge);
    }
    doc.m_directed = graph.directed;
}

bool IsImportExtension(const std::string& ext) { return ext == ".dot" || ext == ".gv" || ext == ".gml"; }

bool ImportGraphFile(CLattixDoc& doc, const std::string& path, std::string& error) {
    const std::string ext = ExtensionOf(path);
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "Failed to open document.";
        return false;
    }
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        error = "Failed to open document.";
        return false;
    }
    ImportedGraph graph;
    const bool ok = ext == ".gml" ? ReadGml(bytes, graph, error) : ReadDot(bytes, graph, error);
    if (!ok) return false;
    AddImportedGraph(doc, graph);
    return true;
}
