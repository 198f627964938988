// DOT and GML come in as imported graphs: positions, labels, colours and the grammar's
// less common forms, and damaged files are refused with a message that says where.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "io/FileIO.h"
#include "io/ImportedGraph.h"
#include "support/TestDoc.h"

namespace {

std::span<const std::uint8_t> Span(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

ImportedGraph Dot(const std::string& text) {
    ImportedGraph g;
    std::string error;
    EXPECT_TRUE(ReadDot(Span(text), g, error)) << error;
    return g;
}

ImportedGraph Gml(const std::string& text) {
    ImportedGraph g;
    std::string error;
    EXPECT_TRUE(ReadGml(Span(text), g, error)) << error;
    return g;
}

std::size_t IndexOf(const ImportedGraph& g, const std::string& label) {
    for (std::size_t i = 0; i < g.nodes.size(); ++i)
        if (g.nodes[i].label == label) return i;
    ADD_FAILURE() << "no node " << label;
    return 0;
}

} // namespace

TEST(DotImport, PositionsLabelsAndColoursReachTheDocument) {
    const ImportedGraph g = Dot(R"(digraph G {
        a [pos="0,0!", label="first", fillcolor="#ff0000"];
        b [pos="75,150"];
        a -> b [color=red, weight=4];
        b -> a [color="#000000"];
    })");
    ASSERT_EQ(g.nodes.size(), 2u);
    ASSERT_EQ(g.edges.size(), 2u);
    EXPECT_TRUE(g.directed);
    EXPECT_EQ(g.edges[0].colorCode, kEdgeRed);
    EXPECT_EQ(g.edges[0].weight, 4);
    EXPECT_EQ(g.edges[1].colorCode, kEdgeBlack);

    TestDoc t;
    AddImportedGraph(t.d(), g);
    CVertex* a = t.VertexNamed("first");
    CVertex* b = t.VertexNamed("b");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->m_color, MakeRgb(255, 0, 0));
    // Points become units (3 to 4) and y turns to count downwards.
    EXPECT_EQ(b->m_center.x - a->m_center.x, 100);
    EXPECT_EQ(a->m_center.y - b->m_center.y, 200);
    EXPECT_TRUE(t.d().m_directed);
    EXPECT_EQ(t.CountEdges(), 2u);
}

TEST(DotImport, GrammarFormsThatGraphFilesUse) {
    const ImportedGraph g = Dot(R"(/* a comment */ strict graph "name" {
# a preprocessor-style line
        rankdir = LR; // a graph attribute, not a node
        node [color=blue];
        "x" + "y" -- c:n:sw -- { d e } [color=green];
        subgraph cluster_1 { label="cluster"; f; }
        <<b>html</b>> -- f;
        c [label="\N"];
    })");
    EXPECT_FALSE(g.directed);
    // xy, c, d, e, f and the HTML-named node; rankdir and label name no nodes.
    ASSERT_EQ(g.nodes.size(), 6u);
    EXPECT_EQ(g.nodes[IndexOf(g, "c")].label, "c");
    EXPECT_EQ(g.nodes[IndexOf(g, "xy")].fill, MakeRgb(0, 0, 255));
    // xy--c and c to each node of the subgraph, all green; then the HTML-named node to f.
    ASSERT_EQ(g.edges.size(), 4u);
    EXPECT_EQ(g.edges[1].from, IndexOf(g, "c"));
    EXPECT_EQ(g.edges[2].to, IndexOf(g, "e"));
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(g.edges[i].colorCode, kEdgeGreen);
    EXPECT_EQ(g.edges[3].from, IndexOf(g, "<b>html</b>"));
    EXPECT_EQ(g.edges[3].to, IndexOf(g, "f"));
    EXPECT_EQ(g.edges[3].colorCode, kEdgeBlue);
}

TEST(DotImport, AStrictGraphKeepsOneEdgePerPairAndNoLoops) {
    EXPECT_EQ(Dot("strict graph { a -- b; b -- a; a -- a; b -- c }").edges.size(), 2u);
    EXPECT_EQ(Dot("strict digraph { a -> b; b -> a; a -> b }").edges.size(), 2u);
    EXPECT_EQ(Dot("graph { a -- b; b -- a; a -- a }").edges.size(), 3u);
}

TEST(DotImport, WithoutPositionsTheVerticesGoOnAGrid) {
    TestDoc t;
    AddImportedGraph(t.d(), Dot("graph { a -- b -- c -- d -- e; f [pos=\"1,1\"] }"));
    const auto vertices = t.Vertices();
    ASSERT_EQ(vertices.size(), 6u);
    for (std::size_t i = 0; i < vertices.size(); ++i)
        for (std::size_t j = i + 1; j < vertices.size(); ++j)
            EXPECT_NE(vertices[i]->m_center, vertices[j]->m_center) << i << " " << j;
    for (CVertex* v : vertices) EXPECT_TRUE(v->GetRect().left >= 0 && v->GetRect().bottom < kCanvasSize);
}

TEST(DotImport, FarFlungPositionsAreShrunkOntoTheCanvas) {
    TestDoc t;
    AddImportedGraph(t.d(), Dot("graph { a [pos=\"-1e9,0\"]; b [pos=\"1e9,5e8\"]; c [pos=\"0,0\"]; a -- b }"));
    for (CVertex* v : t.Vertices()) {
        EXPECT_GE(v->m_center.x, 0);
        EXPECT_LE(v->m_center.x, kCanvasSize);
        EXPECT_GE(v->m_center.y, 0);
        EXPECT_LE(v->m_center.y, kCanvasSize);
    }
    // Proportions stay: c lies halfway between a and b horizontally.
    const auto v = t.Vertices();
    EXPECT_NEAR(v[2]->m_center.x, (v[0]->m_center.x + v[1]->m_center.x) / 2, 1);
}

TEST(DotImport, DamagedFilesAreRefusedWithTheLine) {
    std::string deep = "graph {";
    for (int i = 0; i < 200; ++i) deep += "{";
    const char* const bad[] = {
        "",           "digraph {",         "graph { a -- }",         "digraph { a -- b }", "graph { a [color=] }",
        "graph { \"open }", "graph { a } extra", "graph { /* never closed", "network { a }", "graph { a -- b + c }",
    };
    for (const std::string text : bad) {
        SCOPED_TRACE(text);
        ImportedGraph g;
        std::string error;
        EXPECT_FALSE(ReadDot(Span(text), g, error));
        EXPECT_NE(error.find("line"), std::string::npos) << error;
        EXPECT_TRUE(g.nodes.empty());
    }
    ImportedGraph g;
    std::string error;
    EXPECT_FALSE(ReadDot(Span(deep), g, error));
    EXPECT_NE(error.find("nested"), std::string::npos) << error;
}

TEST(GmlImport, NetworkxOutputWithEntitiesAndGraphics) {
    const ImportedGraph g = Gml(R"(graph [
  directed 1
  name "made by networkx"
  node [
    id 0
    label "&quot;quoted&quot; &#233;"
    graphics [ x 10.5 y 20 fill "#00FF00" ]
  ]
  node [ id 1 label "b" graphics [ x 30 y 40 ] ]
  node [ id 7 ]
  edge [ source 0 target 1 weight 3 graphics [ fill "#FF0000" ] ]
  edge [ source 1 target 7 ]
])");
    ASSERT_EQ(g.nodes.size(), 3u);
    EXPECT_TRUE(g.directed);
    EXPECT_EQ(g.nodes[0].label, "\"quoted\" \xE9");
    EXPECT_EQ(g.nodes[0].x, 10.5);
    EXPECT_EQ(g.nodes[0].fill, MakeRgb(0, 255, 0));
    EXPECT_EQ(g.nodes[2].label, "7"); // an unlabelled node shows its id
    ASSERT_EQ(g.edges.size(), 2u);
    EXPECT_EQ(g.edges[0].colorCode, kEdgeRed);
    EXPECT_EQ(g.edges[0].weight, 3);
    EXPECT_EQ(g.edges[1].from, 1u);
    EXPECT_EQ(g.edges[1].to, 2u);
}

TEST(GmlImport, DamagedFilesAreRefusedWithTheLine) {
    std::string deep = "graph [";
    for (int i = 0; i < 100; ++i) deep += " a [";
    const std::string bad[] = {
        "", "Creator \"x\"", "graph [ node [ id 1 ]", "graph [ node [ label \"no id\" ] ]",
        "graph [ node [ id 1 ] node [ id 1 ] ]", "graph [ edge [ source 1 target 2 ] ]",
        "graph [ node [ id 1 ] edge [ source 1 ] ]", "graph [ label \"open ]", "graph [ x 1.2.3 ]", "graph ] ]",
        "graph [ ] graph [ ]", deep,
    };
    for (const std::string& text : bad) {
        SCOPED_TRACE(text.substr(0, 60));
        ImportedGraph g;
        std::string error;
        EXPECT_FALSE(ReadGml(Span(text), g, error));
        EXPECT_NE(error.find("line"), std::string::npos) << error;
    }
}

// Every file of the damaged DOT and GML corpus (hand-made cases and what fuzzing found) is
// refused with a message, or imports a graph whose vertices lie on the canvas.
TEST(GraphImportCorpus, DamagedFilesAreRefusedOrImportOnTheCanvas) {
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(ARBORIX_TEST_DATA) / "io" / "graph-corpus")) {
        SCOPED_TRACE(entry.path().filename().string());
        ++files;
        TestDoc t;
        std::string error;
        const bool ok = ImportGraphFile(t.d(), entry.path().string(), error);
        if (!ok) {
            EXPECT_FALSE(error.empty());
            EXPECT_TRUE(t.d().m_elements.empty());
            continue;
        }
        for (CVertex* v : t.Vertices()) {
            EXPECT_GE(v->m_center.x, 0);
            EXPECT_LE(v->m_center.x, kCanvasSize);
            EXPECT_GE(v->m_center.y, 0);
            EXPECT_LE(v->m_center.y, kCanvasSize);
        }
    }
    EXPECT_GE(files, 8u);
}

// Imported edges take the parallel lanes, attachment points and adjacency order that making
// them one by one in file order gives, loops and both directions of a pair included.
TEST(GraphImport, ParallelEdgesNumberAsWhenMadeOneByOne) {
    const std::vector<std::pair<std::size_t, std::size_t>> pairs = {{0, 1}, {1, 0}, {0, 2}, {0, 1}, {2, 2},
                                                                   {2, 2}, {1, 0}, {2, 1}, {1, 2}, {0, 1}};
    ImportedGraph g;
    for (int i = 0; i < 3; ++i) g.nodes.push_back({std::to_string(i), 100.0 + 200 * i, 100.0 + 150 * (i % 2), {}});
    for (const auto& [a, b] : pairs) g.edges.push_back({a, b, kEdgeBlue, {}});
    TestDoc imported;
    AddImportedGraph(imported.d(), g);

    TestDoc reference;
    std::vector<CVertex*> vs;
    for (CVertex* v : imported.Vertices()) vs.push_back(reference.Vertex(v->m_center.x, v->m_center.y));
    for (const auto& [a, b] : pairs) reference.Edge(vs[a], vs[b]);

    const auto got = imported.Edges(), want = reference.Edges();
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i]->m_parallelIndex, want[i]->m_parallelIndex) << i;
        EXPECT_EQ(got[i]->m_start, want[i]->m_start) << i;
        EXPECT_EQ(got[i]->m_end, want[i]->m_end) << i;
    }
    EXPECT_EQ(got[6]->m_parallelIndex, 3); // the fourth edge between 0 and 1
    const auto iv = imported.Vertices(), rv = reference.Vertices();
    for (std::size_t v = 0; v < iv.size(); ++v) {
        ASSERT_EQ(iv[v]->m_edges.size(), rv[v]->m_edges.size());
        for (std::size_t k = 0; k < iv[v]->m_edges.size(); ++k)
            EXPECT_EQ(std::find(got.begin(), got.end(), iv[v]->m_edges[k]) - got.begin(),
                      std::find(want.begin(), want.end(), rv[v]->m_edges[k]) - want.begin());
    }
}
