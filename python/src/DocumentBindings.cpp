// arborix.Document: open, save, copy, the vertices and edges with their fields, and adding
// a graph given as columns (what from_networkx hands over).

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>

#include "Bindings.h"
#include "DocumentHandle.h"

namespace py = pybind11;

namespace {

using NodeRow = std::tuple<std::string, std::optional<std::int32_t>, std::optional<std::int32_t>,
                           std::optional<std::int32_t>, std::optional<std::uint32_t>, std::optional<std::int32_t>, bool>;
using EdgeRow = std::tuple<std::int64_t, std::int64_t, std::optional<std::int32_t>, std::optional<std::int32_t>>;

py::list Vertices(DocumentHandle& h) {
    CoreRead read;
    py::list out;
    for (const CElement* e : h.Doc().m_elements) {
        const CVertex* v = e->AsVertex();
        if (!v) continue;
        py::dict d;
        d["id"] = v->m_id;
        d["name"] = py::bytes(v->m_name).attr("decode")("latin-1");
        d["x"] = v->m_center.x;
        d["y"] = v->m_center.y;
        d["radius"] = v->m_radius;
        d["color"] = v->m_color;
        d["track"] = v->m_trackNumber;
        d["bend"] = v->m_isBend;
        out.append(d);
    }
    return out;
}

py::list Edges(DocumentHandle& h) {
    CoreRead read;
    py::list out;
    for (const CElement* e : h.Doc().m_elements) {
        const CEdge* edge = e->AsEdge();
        if (!edge || !edge->m_v1 || !edge->m_v2) continue;
        py::dict d;
        d["id"] = edge->m_id;
        d["source"] = edge->m_v1->m_id;
        d["target"] = edge->m_v2->m_id;
        d["color"] = edge->m_edgeColor;
        d["weight"] = edge->m_weight;
        out.append(d);
    }
    return out;
}

// Adds vertices and edges (edge ends index the rows given) as the GraphML reader does:
// vertices without coordinates on a grid, radius kept within 3..35. Returns the new ids.
std::vector<std::uint32_t> AddGraph(DocumentHandle& h, const std::vector<NodeRow>& nodes,
                                    const std::vector<EdgeRow>& edges, bool directed) {
    CoreCall call;
    for (const auto& [a, b, color, weight] : edges) {
        if (a < 0 || b < 0 || a >= std::int64_t(nodes.size()) || b >= std::int64_t(nodes.size()))
            throw std::invalid_argument("an edge names a vertex that is not in the graph");
        if (color && (*color < 1 || *color > 8)) throw std::invalid_argument("edge colours are codes 1 to 8");
    }
    CLattixDoc& doc = h.Doc();
    const Rgb fill = doc.m_currentColor;
    const int columns = std::max(1, int(std::ceil(std::sqrt(double(nodes.size())))));
    std::vector<CVertex*> made;
    std::vector<std::uint32_t> ids;
    made.reserve(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const auto& [name, x, y, radius, color, track, bend] = nodes[i];
        auto coord = [](std::int32_t v) { return std::clamp(v, 0, kCanvasSize); };
        const int gx = 60 * (int(i) % columns + 1), gy = 60 * (int(i) / columns + 1);
        auto* v = new CVertex(x ? coord(*x) : gx, y ? coord(*y) : gy, color.value_or(fill));
        v->m_name = name;
        if (radius && *radius != 10) v->SetRadius(std::clamp(*radius, 3, 35));
        if (track) v->m_trackNumber = *track;
        v->m_isBend = bend;
        doc.AddElement(v);
        made.push_back(v);
        ids.push_back(v->m_id);
    }
    for (const auto& [a, b, color, weight] : edges) {
        auto* edge = new CEdge(made[a], made[b], std::uint16_t(color.value_or(1)));
        if (weight) edge->m_weight = *weight;
        doc.AddElement(edge);
    }
    doc.m_directed = directed;
    doc.ClearSelection();
    doc.CommitEdit();
    return ids;
}

} // namespace

void BindDocument(py::module_& m) {
    py::class_<DocumentHandle>(m, "Document", R"doc(
An Arborix document: a graph of vertices and coloured edges with the document's settings.

Create an empty one with ``Document()``, open a file with ``arborix.open(path)``.
)doc")
        .def(py::init<>(), "An empty document.")
        .def("save", [](DocumentHandle& h, const std::string& path) {
            CoreCall call;
            h.Save(path);
        }, py::arg("path"),
             "Saves by extension: ``.lxd`` (the program's format), ``.graphml`` or ``.txt`` (the text export).")
        .def("copy", [](DocumentHandle& h) {
            CoreCall call;
            return h.Copy();
        }, "An independent document with the same saved state.")
        .def("vertices", &Vertices,
             "The vertices in element order, each a dict: id, name, x, y, radius, color (0x00BBGGRR), track, bend.")
        .def("edges", &Edges,
             "The edges in element order, each a dict: id, source and target (vertex ids), color (code 1..8), weight.")
        .def("_add_graph", &AddGraph, py::arg("nodes"), py::arg("edges"), py::arg("directed") = false,
             "Adds rows (name, x, y, radius, color, track, bend) and edges (i, j, color, weight) indexing those rows; "
             "returns the new vertex ids.")
        .def_property_readonly("directed", [](DocumentHandle& h) { return h.Doc().m_directed; },
                               "Whether the document's edges are directed.")
        .def_property_readonly("path", [](DocumentHandle& h) { return h.Doc().GetPathName(); },
                               "The file the document was opened from or saved to, or an empty string.")
        .def_property_readonly("messages", [](DocumentHandle& h) { return h.Platform().m_messages; },
                               "Every message the program has shown for this document, in order.")
        .def("__len__", [](DocumentHandle& h) {
            CoreRead read;
            std::size_t n = 0;
            for (const CElement* e : h.Doc().m_elements) n += e->IsVertex();
            return n;
        }, "The number of vertices.")
        .def("__repr__", [](DocumentHandle& h) {
            CoreRead read;
            std::size_t v = 0, e = 0;
            for (const CElement* x : h.Doc().m_elements) (x->IsVertex() ? v : e) += 1;
            return "<arborix.Document " + std::to_string(v) + " vertices, " + std::to_string(e) + " edges>";
        });

    m.def("open", [](const std::string& path) {
        CoreCall call;
        return DocumentHandle::Open(path);
    }, py::arg("path"),
          "Opens a ``.lxd`` or ``.graphml`` file; raises ArborixError with the program's message when it cannot.");
}
