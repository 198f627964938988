#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "io/FileIO.h"
#include "io/TextExport.h"
#include "support/TestDoc.h"

TEST(TextExport, EmptyGraphIsOneLineEnd) {
    TestDoc t;
    EXPECT_EQ(BuildTextExport(t.d()), "\r\n");
}

TEST(TextExport, CentredCoordinatesAndEdgesInElementOrder) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 50, "a");
    CVertex* b = t.Vertex(301, 50, "b");
    t.Edge(b, a);
    CVertex* c = t.Vertex(200, 150, "c"); // created after the edge: numbered after a and b
    t.Edge(c, a);
    EXPECT_EQ(BuildTextExport(t.d()),
              "node 0 -100 -50\r\nnode 1 101 -50\r\nnode 2 0 50\r\n\r\nedge 0 1 0\r\nedge 0 2 0\r\n");
}

TEST(TextExport, CommandWritesTheFileAndRenamesTheVertices) {
    namespace fs = std::filesystem;
    const std::string path = (fs::temp_directory_path() / ("arborix-export-" + std::to_string(::getpid()) + ".txt")).string();
    TestDoc t;
    CVertex* a = t.Vertex(100, 100, "a");
    CVertex* b = t.Vertex(100, 100, "b");
    t.Edge(a, b);
    const std::size_t depth = t.d().UndoDepth();
    t.d().SetModifiedFlag(false);
    t.platform.m_exportPathAnswers.push_back(path);
    t.d().OnFileExportText();
    const auto bytes = ReadFileBytes(path);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()), "node 0 0 0\r\nnode 1 0 0\r\n\r\nedge 0 0 1\r\n");
    EXPECT_EQ(a->m_name, "0");
    EXPECT_EQ(b->m_name, "1");
    EXPECT_EQ(t.d().UndoDepth(), depth);
    EXPECT_FALSE(t.d().IsModified());
    fs::remove(path);

    // A path that cannot be written gives the message and renames nothing.
    a->m_name = "a";
    t.platform.m_exportPathAnswers.push_back("/nonexistent-dir/x.txt");
    t.d().OnFileExportText();
    EXPECT_EQ(t.platform.m_messages.back(), "Couldn't save the file");
    EXPECT_EQ(a->m_name, "a");
    // Cancel does nothing at all.
    t.d().OnFileExportText();
    EXPECT_EQ(t.platform.m_messages.size(), 1u);
}
