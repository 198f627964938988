// Every file of the damaged GraphML corpus (hand-made cases and what fuzzing found) is
// either refused with a message, adding nothing, or adds a consistent graph that stays
// on the canvas and survives the usual passes and a round trip through the native format.

#include <gtest/gtest.h>

#include <filesystem>

#include "io/DocumentFormat.h"
#include "io/FileIO.h"
#include "io/TextExport.h"
#include "shell/formats/GraphMl.h"
#include "support/TestDoc.h"

namespace {

std::vector<std::filesystem::path> CorpusFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(ARBORIX_TEST_DATA) / "formats" / "corpus"))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::uint8_t> Bytes(const std::filesystem::path& path) {
    auto bytes = ReadFileBytes(path.string());
    return bytes ? *bytes : std::vector<std::uint8_t>{};
}

} // namespace

TEST(GraphMlCorpus, DamagedFilesAreRefusedOrLoadConsistently) {
    const auto files = CorpusFiles();
    EXPECT_GE(files.size(), 15u);
    for (const auto& path : files) {
        SCOPED_TRACE(path.filename().string());
        TestDoc t;
        CVertex* existing = t.Vertex(50, 50, "kept");
        std::string error;
        const bool loaded = ReadGraphMlBytes(t.d(), Bytes(path), error);
        if (path.filename().string().rfind("valid-", 0) == 0) {
            EXPECT_TRUE(loaded) << error;
        }
        if (!loaded) {
            EXPECT_FALSE(error.empty());
            ASSERT_EQ(t.d().m_elements.size(), 1u);
            EXPECT_EQ(t.d().m_elements.front(), existing);
            continue;
        }
        for (CElement* e : t.d().m_elements) {
            if (const CEdge* edge = e->AsEdge()) {
                EXPECT_TRUE(t.d().m_elements.Contains(edge->m_v1) && t.d().m_elements.Contains(edge->m_v2));
                EXPECT_TRUE(IsEdgeColorCode(edge->m_edgeColor));
            } else {
                const CVertex* v = e->AsVertex();
                EXPECT_TRUE(v->m_center.x >= 0 && v->m_center.x <= kCanvasSize);
                EXPECT_TRUE(v->m_center.y >= 0 && v->m_center.y <= kCanvasSize);
                EXPECT_TRUE(v->m_radius >= 3 && v->m_radius <= 35) << v->m_radius;
            }
        }
        t.d().RecomputeDerivedData();
        t.d().RecomputeUlpCounts(true);
        BuildTextExport(t.d());
        TestDoc again;
        EXPECT_EQ(ReadDocument(again.d(), WriteDocument(t.d())), LoadStatus::Ok);
        EXPECT_EQ(again.d().m_elements.size(), t.d().m_elements.size());
    }
}

TEST(GraphMl, NamesWithControlCharactersAreWrittenAndReadBack) {
    // Names from damaged or foreign .lxd files may hold bytes XML cannot carry; the export
    // must still succeed and keep every other character.
    TestDoc t;
    t.Vertex(100, 100, std::string("a\x01" "b\x1f" "c\xe9", 6));
    t.Vertex(200, 100, std::string("tab\tkept", 8));
    const std::string path = (std::filesystem::temp_directory_path() / "arborix-control-names.graphml").string();
    ASSERT_TRUE(WriteGraphMl(t.d(), path));
    TestDoc back;
    std::string error;
    ASSERT_TRUE(ReadGraphMl(back.d(), path, error)) << error;
    std::filesystem::remove(path);
    const auto vertices = back.Vertices();
    ASSERT_EQ(vertices.size(), 2u);
    EXPECT_EQ(vertices[0]->m_name, "a?b?c\xe9");
    EXPECT_EQ(vertices[1]->m_name, "tab\tkept");
}

TEST(GraphMl, ParallelEdgesKeepTheirLanesThroughAnExport) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100, "a");
    CVertex* b = t.Vertex(300, 200, "b");
    CVertex* c = t.Vertex(500, 100, "c");
    for (auto [p, q] : std::vector<std::pair<CVertex*, CVertex*>>{{a, b}, {b, a}, {b, c}, {a, b}, {c, c}, {c, c}, {c, b}})
        t.Edge(p, q);
    const std::string path = (std::filesystem::temp_directory_path() / "arborix-parallel-lanes.graphml").string();
    ASSERT_TRUE(WriteGraphMl(t.d(), path));
    TestDoc back;
    std::string error;
    ASSERT_TRUE(ReadGraphMl(back.d(), path, error)) << error;
    std::filesystem::remove(path);
    const auto want = t.Edges(), got = back.Edges();
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i]->m_parallelIndex, want[i]->m_parallelIndex) << i;
        EXPECT_EQ(got[i]->m_start, want[i]->m_start) << i;
        EXPECT_EQ(got[i]->m_end, want[i]->m_end) << i;
    }
    EXPECT_EQ(got[3]->m_parallelIndex, 2);
    EXPECT_EQ(got[5]->m_parallelIndex, 1);
}
