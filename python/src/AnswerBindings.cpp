// Certificates and the newer level algorithms on light graphs: the Kuratowski subdivision
// or planar drawing, the level planarity witness, crossing minimisation, the experiment on
// any graph and the census. The Python side builds the light graph from a document or a
// networkx graph and names the results; every run here releases the interpreter lock.

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include "Bindings.h"
#include "DocumentHandle.h"
#include "Interruption.h"
#include "level/AssignmentExperiment.h"
#include "level/LevelAnswersOf.h"
#include "level/UlpCensus.h"
#include "planarity/KuratowskiSubdivision.h"
#include "planarity/PlanarGridDrawing.h"

namespace py = pybind11;

namespace {

using Edges = std::vector<std::pair<std::int32_t, std::int32_t>>;

LightGraph CheckedLight(std::int32_t n, Edges edges) {
    if (n < 0) throw std::invalid_argument("the vertex count cannot be negative");
    LightGraph g{n, std::move(edges)};
    if (!g.Valid()) throw std::invalid_argument("an edge names a vertex that is not in the graph");
    return g;
}

std::vector<std::int32_t> CheckedLevels(const LightGraph& g, std::vector<std::int32_t> levels) {
    if (levels.size() != std::size_t(g.vertexCount)) throw std::invalid_argument("every vertex needs a level");
    return levels;
}

// (True, [(x, y) per vertex]) or (False, (kind, edge indices, branch vertices)).
py::tuple PlanarCertificate(std::int32_t n, Edges edges) {
    LightGraph g = CheckedLight(n, std::move(edges));
    std::optional<PlanarGridDrawing> drawing;
    KuratowskiSubdivision k;
    Interruption interrupt;
    {
        CoreCall unlocked;
        if (!g.Simple()) throw ArborixError("The graph is not simple.");
        drawing = DrawPlanarOnGrid(g.vertexCount, g.edges);
        if (!drawing) {
            const auto outcome = FindKuratowskiSubdivision(g.vertexCount, g.edges, k,
                                                           [](std::int64_t) { return !Interruption::Requested(); });
            if (outcome == KuratowskiOutcome::Planar) throw ArborixError("No Kuratowski subgraph was found.");
        }
    }
    interrupt.Raise();
    if (drawing) {
        std::vector<std::pair<std::int64_t, std::int64_t>> points;
        for (const GridPoint& p : drawing->m_points) points.emplace_back(p.x, p.y);
        return py::make_tuple(true, points);
    }
    return py::make_tuple(false, py::make_tuple(k.m_kind == KuratowskiKind::K5 ? "K5" : "K3,3", k.m_edges,
                                                k.m_branches));
}

// (planar, witness edge indices).
std::pair<bool, std::vector<std::int32_t>> LevelWitness(std::int32_t n, Edges edges, std::vector<std::int32_t> levels) {
    LightGraph g = CheckedLight(n, std::move(edges));
    levels = CheckedLevels(g, std::move(levels));
    LevelWitnessOf w;
    Interruption interrupt;
    {
        CoreCall unlocked;
        w = FindLevelWitnessOf(g, levels, [] { return !Interruption::Requested(); });
    }
    interrupt.Raise();
    if (!w.planar) throw ArborixError(w.message);
    return {*w.planar, w.edges};
}

py::dict MinimizeCrossings(std::int32_t n, Edges edges, std::vector<std::int32_t> levels, std::uint64_t seed) {
    LightGraph g = CheckedLight(n, std::move(edges));
    levels = CheckedLevels(g, std::move(levels));
    CrossingMinimumOf m;
    Interruption interrupt;
    {
        CoreCall unlocked;
        m = MinimizeCrossingsOf(g, levels, seed, [](double) { return !Interruption::Requested(); });
    }
    interrupt.Raise();
    if (m.refused) throw ArborixError(m.message);
    py::dict d;
    d["orders"] = m.orders;
    d["crossings"] = m.crossings;
    d["optimal"] = m.optimal;
    return d;
}

py::dict Experiment(std::int32_t n, Edges edges, int levels) {
    LightGraph g = CheckedLight(n, std::move(edges));
    if (levels < 0) throw std::invalid_argument("levels cannot be negative");
    if (n == 0) throw ArborixError("The graph is empty.");
    if (n > kMaxExperimentVertices)
        throw ArborixError("The experiment takes graphs of up to " + std::to_string(kMaxExperimentVertices) +
                           " vertices.");
    const auto bound = AssignmentCountBound(n, levels);
    if (!bound || *bound > kMaxExperimentAssignments)
        throw ArborixError("There are more than " + std::to_string(kMaxExperimentAssignments) +
                           " level assignments to test");
    AssignmentProblem problem;
    problem.vertexCount = n;
    problem.edges.assign(g.edges.begin(), g.edges.end());
    problem.levels = levels;
    AssignmentExperimentResult r;
    Interruption interrupt;
    {
        CoreCall unlocked;
        if (!g.Simple()) throw ArborixError("The graph is not simple.");
        InterruptionProgress progress;
        r = RunAssignmentExperiment(problem, &progress);
    }
    interrupt.Raise();
    py::dict d;
    d["failing"] = r.failing;
    d["total"] = r.total;
    d["failures"] = r.failures;
    d["text"] = AssignmentCountLine(r);
    return d;
}

py::dict Census(int n) {
    if (n < kCensusMinVertices || n > kCensusMaxVertices)
        throw std::invalid_argument("n is a number of vertices from " + std::to_string(kCensusMinVertices) + " to " +
                                    std::to_string(kCensusMaxVertices));
    CensusResult result;
    Interruption interrupt;
    {
        CoreCall unlocked;
        InterruptionProgress progress;
        result = RunUlpCensus(n, n, &progress);
    }
    interrupt.Raise();
    py::list trees;
    for (const CensusRow& row : result.rows) {
        py::dict t;
        t["edges"] = row.edges;
        t["class"] = std::string(UlpTreeClassName(row.treeClass));
        t["failing"] = row.tally.failing;
        t["total"] = row.tally.total;
        t["automorphisms"] = row.automorphisms;
        t["text"] = CensusRowLine(row);
        trees.append(t);
    }
    py::dict d;
    d["trees"] = trees;
    d["summary"] = CensusSummary(result);
    d["miscounted"] = result.miscounted;
    return d;
}

} // namespace

void BindAnswers(py::module_& m) {
    m.def("_planar_certificate_light", &PlanarCertificate, py::arg("n"), py::arg("edges"),
          "(True, grid points per vertex) or (False, (kind, edge indices, branch vertices)).");
    m.def("_level_witness_light", &LevelWitness, py::arg("n"), py::arg("edges"), py::arg("levels"),
          "(planar, indices of the edges of a minimal set that cannot be drawn on its levels).");
    m.def("_minimize_crossings_light", &MinimizeCrossings, py::arg("n"), py::arg("edges"), py::arg("levels"),
          py::arg("seed"), "Orders by level, their crossings and whether they are proven optimal.");
    m.def("_experiment_light", &Experiment, py::arg("n"), py::arg("edges"), py::arg("levels"),
          "Every level assignment tested: failing and total counts, the first failures, the count line.");
    m.def("census", &Census, py::arg("n"), R"doc(
The census of unlabeled level planar trees with n vertices (3 to 12): every free tree,
its ULP class and how many of its n! one-vertex-per-level assignments are not level planar.

Returns {"trees": [{"edges", "class", "failing", "total", "automorphisms", "text"}, ...],
"summary": text, "miscounted": sizes whose number of trees is not the known one}. A tree's
class is "caterpillar", "radius-2 star", "3-spider" or "none"; its edges join vertices
0..n-1.
)doc");
}
