#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "io/Archive.h"
#include "io/DocumentFormat.h"
#include "io/FileIO.h"
#include "trees/Crossings.h"
#include "support/TestDoc.h"

namespace {

std::vector<std::uint8_t> Save(CLattixDoc& d) { return WriteDocument(d); }

LoadStatus LoadInto(TestDoc& t, std::span<const std::uint8_t> bytes) {
    t.d().DeleteContents();
    return ReadDocument(t.d(), bytes);
}

// The settings tail of a version-23 file with default values (fields 4 to 23).
void PutDefaultSettings(ArchiveWriter& w) {
    w.PutU32(ColorIdToRgb(101));
    w.PutU16(101);
    w.PutI32(9);
    for (int i = 0; i < 6; ++i) w.PutU8(i == 4 ? 1 : 0);
    w.PutI32(0);
    w.PutU8(0);
    w.PutI32(30);
    w.PutI32(30);
    w.PutI32(1);
    w.PutU8(0);
    w.PutU8(0);
    w.PutU16(0);
    w.PutU8(0);
    w.PutU8(0);
    w.PutU8(0);
}

void PutVertexRecord(ArchiveWriter& w, std::uint32_t id, const std::string& name = "v") {
    w.PutString(name);
    w.PutRect({85, 85, 115, 115});
    w.PutU8(0);
    w.PutU32(0xFF);
    w.PutU32(kNoHighlight);
    w.PutU32(id);
    w.PutU8(0);
    for (int i = 0; i < 4; ++i) w.PutI32(0);
    w.PutPoint({100, 100});
    w.PutI32(10);
    w.PutI32(0);
    w.PutU8(0);
    w.PutU32(0);
}

void PutEdgeRecord(ArchiveWriter& w, std::uint32_t id, std::uint32_t v1, std::uint32_t v2) {
    w.PutString("");
    w.PutRect({0, 0, 10, 10});
    w.PutU8(0);
    w.PutU32(0);
    w.PutU32(kNoHighlight);
    w.PutU32(id);
    w.PutPoint({0, 0});
    w.PutPoint({10, 10});
    w.PutU16(1);
    w.PutU8(0);
    w.PutI32(0);
    w.PutU32(v1);
    w.PutU32(v2);
}

void PutHeader(ArchiveWriter& w, std::uint32_t count, std::uint32_t version = 23) {
    w.PutU32(kDocumentMagic);
    w.PutU32(version);
    w.PutCount(count);
}

void PutClass(ArchiveWriter& w, const std::string& name, std::uint16_t schema = 18) {
    w.PutU16(0xFFFF);
    w.PutU16(schema);
    w.PutU16(static_cast<std::uint16_t>(name.size()));
    for (char c : name) w.PutU8(static_cast<std::uint8_t>(c));
}

} // namespace

TEST(Format, EmptyDocumentIsFiftyBytes) {
    TestDoc t;
    const std::vector<std::uint8_t> bytes = Save(t.d());
    const std::vector<std::uint8_t> expected = {
        0x71, 0xC3, 0x5B, 0x07, 23, 0, 0, 0, 0, 0,     // magic, version, count
        0x20, 0x20, 0xFF, 0x00, 101, 0, 9, 0, 0, 0,    // colour, tool, zoom
        0, 0, 0, 0, 1, 0,                              // directed, st, reserved x2, name, weight
        0, 0, 0, 0, 0, 30, 0, 0, 0, 30, 0, 0, 0,       // guide mode, snap, x, y
        1, 0, 0, 0, 0, 0,                              // label counter, lock, show track
        0, 0, 0, 0, 0};                                // alt mode, ulp, upward, sefe
    EXPECT_EQ(bytes, expected);
}

TEST(Format, StringAndRecordLayout) {
    TestDoc t;
    CVertex* v = t.Vertex(100, 100);
    v->m_id = 12;
    v->m_name = "12";
    std::vector<std::uint8_t> bytes = Save(t.d());
    // Count, then 0xFFFF, schema 18, the class name "CVertex", then the record.
    ASSERT_GT(bytes.size(), 26u);
    EXPECT_EQ(bytes[10], 0xFF);
    EXPECT_EQ(bytes[12], 18);
    EXPECT_EQ(bytes[14], 7);
    EXPECT_EQ(std::string(bytes.begin() + 16, bytes.begin() + 23), "CVertex");
    EXPECT_EQ(bytes[23], 0x02);
    EXPECT_EQ(bytes[24], '1');
    EXPECT_EQ(bytes[25], '2');

    ArchiveWriter w;
    w.PutString(std::string(300, 'x'));
    EXPECT_EQ(w.Bytes()[0], 0xFF);
    EXPECT_EQ(w.Bytes()[1], 0x2C);
    EXPECT_EQ(w.Bytes()[2], 0x01);
    ArchiveWriter big;
    big.PutString(std::string(70000, 'y'));
    ArchiveReader r(big.Bytes());
    EXPECT_EQ(r.GetString().size(), 70000u);
}

TEST(Format, TheWriterGivesEveryFieldInOrderAcrossItsGrowthSteps) {
    // Fields of every width and strings longer than a growth step, many times over, against
    // the bytes appended one by one.
    for (std::size_t reserve : {std::size_t(0), std::size_t(100), std::size_t(1) << 20}) {
        ArchiveWriter w(reserve);
        std::vector<std::uint8_t> want;
        auto le = [&](std::uint64_t v, int bytes) {
            for (int i = 0; i < bytes; ++i) want.push_back(std::uint8_t(v >> (8 * i)));
        };
        for (std::uint32_t i = 0; i < 3000; ++i) {
            w.PutU8(std::uint8_t(i));
            le(std::uint8_t(i), 1);
            w.PutU16(std::uint16_t(i * 7));
            le(std::uint16_t(i * 7), 2);
            w.PutI32(std::int32_t(-i));
            le(std::uint32_t(-std::int32_t(i)), 4);
            const std::string text(i % 100 == 0 ? 70000 + i : i % 300, char('a' + i % 26));
            w.PutString(text);
            if (text.size() < 255) {
                le(text.size(), 1);
            } else if (text.size() < 65534) {
                le(0xFF, 1), le(text.size(), 2);
            } else {
                le(0xFF, 1), le(0xFFFF, 2), le(text.size(), 4);
            }
            want.insert(want.end(), text.begin(), text.end());
            ASSERT_EQ(w.Size(), want.size()) << i;
        }
        EXPECT_TRUE(std::equal(w.Bytes().begin(), w.Bytes().end(), want.begin(), want.end()));
        EXPECT_EQ(w.Take(), want);
        // Taken, the writer starts again from nothing.
        EXPECT_EQ(w.Size(), 0u);
        w.PutU32(7);
        EXPECT_EQ(w.Take(), (std::vector<std::uint8_t>{7, 0, 0, 0}));
    }
}

TEST(Format, RoundTripIsByteIdentical) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100, "alpha");
    CVertex* b = t.Vertex(300, 120, std::string(400, 'n'));
    CVertex* bend = t.Vertex(200, 300);
    bend->m_isBend = true;
    bend->SetRadius(5);
    t.Edge(a, b, kEdgeRed)->m_weight = -7;
    t.Edge(b, a, kEdgeGreen);
    t.Edge(a, bend);
    t.Edge(bend, b);
    t.Edge(a, a, kEdgePurple);
    a->m_trackNumber = 3;
    b->m_stNumber = 4;
    t.d().m_directed = true;
    t.d().m_sefeMode = true;
    t.view->m_guideMode = 3;
    t.view->m_xSeparation = 17;
    t.d().RecomputeDerivedData(); // as every command does; SEFE flags the bent parallel pair
    const std::vector<std::uint8_t> first = Save(t.d());

    TestDoc u;
    ASSERT_EQ(LoadInto(u, first), LoadStatus::Ok);
    EXPECT_EQ(Save(u.d()), first);
    EXPECT_EQ(u.view->m_guideMode, 3);
    EXPECT_EQ(u.view->m_xSeparation, 17);
    EXPECT_TRUE(u.d().m_directed);
    ASSERT_EQ(u.CountVertices(), 3u);
    EXPECT_EQ(u.CountEdges(), 5u);
    CVertex* ua = u.VertexNamed("alpha");
    ASSERT_NE(ua, nullptr);
    EXPECT_EQ(ua->m_edges.size(), 5u); // two to b, one to the bend, the loop twice
}

TEST(Format, VersionsEighteenToTwentyThree) {
    TestDoc t;
    t.d().m_ulpMode = true;
    t.d().m_altMode = 1;
    std::vector<std::uint8_t> bytes = Save(t.d());
    // Version 18 lacks the alt mode and the three mode bytes.
    std::vector<std::uint8_t> v18(bytes.begin(), bytes.end() - 5);
    v18[4] = 18;
    TestDoc u;
    ASSERT_EQ(LoadInto(u, v18), LoadStatus::Ok);
    EXPECT_EQ(u.d().m_altMode, 0);
    EXPECT_FALSE(u.d().m_ulpMode);

    std::vector<std::uint8_t> v20(bytes.begin(), bytes.end() - 2);
    v20[4] = 20;
    ASSERT_EQ(LoadInto(u, v20), LoadStatus::Ok);
    EXPECT_EQ(u.d().m_altMode, 1);
    EXPECT_TRUE(u.d().m_ulpMode);

    bytes[4] = 24;
    EXPECT_EQ(LoadInto(u, bytes), LoadStatus::WrongVersion);
    bytes[4] = 17;
    EXPECT_EQ(LoadInto(u, bytes), LoadStatus::WrongVersion);
    bytes[0] = 0;
    EXPECT_EQ(LoadInto(u, bytes), LoadStatus::WrongMagic);
}

TEST(Format, AdjacencyIsRebuiltInElementOrder) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100, "a");
    CVertex* b = t.Vertex(200, 100, "b");
    CVertex* c = t.Vertex(100, 200, "c");
    CEdge* e1 = t.Edge(a, b);
    CEdge* e2 = t.Edge(a, c);
    std::swap(a->m_edges[0], a->m_edges[1]);
    TestDoc u;
    ASSERT_EQ(LoadInto(u, Save(t.d())), LoadStatus::Ok);
    CVertex* ua = u.VertexNamed("a");
    ASSERT_EQ(ua->m_edges.size(), 2u);
    EXPECT_EQ(ua->m_edges[0]->m_id, e1->m_id);
    EXPECT_EQ(ua->m_edges[1]->m_id, e2->m_id);
}

TEST(Format, LoadingRaisesTheIdCounter) {
    ArchiveWriter w;
    PutHeader(w, 1);
    PutClass(w, "CVertex");
    PutVertexRecord(w, g_nextId + 500);
    PutDefaultSettings(w);
    const std::uint32_t loaded = g_nextId + 500;
    TestDoc t;
    ASSERT_EQ(LoadInto(t, w.Bytes()), LoadStatus::Ok);
    EXPECT_EQ(g_nextId, loaded + 1);
    EXPECT_GT(t.Vertex(10, 10)->m_id, loaded);
}

TEST(Format, SelectionAndParallelEdgesAfterLoading) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100, "a");
    CVertex* b = t.Vertex(200, 100, "b");
    t.Edge(a, b);
    t.Edge(a, b);
    t.d().ClearSelection();
    t.d().AddToSelection(b);
    TestDoc u;
    ASSERT_EQ(LoadInto(u, Save(t.d())), LoadStatus::Ok);
    ASSERT_EQ(u.d().m_selection.size(), 1u);
    EXPECT_EQ(u.d().m_selection.front()->m_name, "b");
    EXPECT_EQ(u.Edges()[0]->m_parallelIndex, 0);
    EXPECT_EQ(u.Edges()[1]->m_parallelIndex, 1);
}

TEST(Format, LanesAreRenumberedInElementOrderPerPairOfVertices) {
    // Pairs met in both directions and interleaved, loops, and a hole left by a deleted
    // edge: after loading, an edge's lane counts the earlier edges between its two ends.
    TestDoc t;
    CVertex* a = t.Vertex(100, 100, "a");
    CVertex* b = t.Vertex(200, 100, "b");
    CVertex* c = t.Vertex(100, 200, "c");
    t.Edge(a, b);
    t.Edge(b, c);
    CEdge* doomed = t.Edge(b, a);
    t.Edge(c, b);
    t.Edge(a, a);
    t.Edge(a, b);
    t.Edge(a, a);
    t.Edge(c, a);
    t.d().DeleteElement(doomed);
    TestDoc u;
    ASSERT_EQ(LoadInto(u, Save(t.d())), LoadStatus::Ok);
    const auto edges = u.Edges();
    ASSERT_EQ(edges.size(), 7u);
    for (std::size_t i = 0; i < edges.size(); ++i) {
        std::int32_t earlier = 0;
        for (std::size_t j = 0; j < i; ++j) earlier += edges[j]->Joins(edges[i]->m_v1, edges[i]->m_v2);
        EXPECT_EQ(edges[i]->m_parallelIndex, earlier) << "edge " << i;
    }
    EXPECT_EQ(u.VertexNamed("a")->m_edges.size(), 7u); // loops twice
}

TEST(Format, DamagedReferencesAreReportedAndDropped) {
    const std::uint32_t base = g_nextId + 1000;
    ArchiveWriter w;
    PutHeader(w, 5);
    PutClass(w, "CVertex");
    PutVertexRecord(w, base, "a");
    w.PutU16(0x8001);
    PutVertexRecord(w, base + 1, "b");
    w.PutU16(0x8001);
    PutVertexRecord(w, base + 1, "b2"); // duplicated id
    PutClass(w, "CEdge");
    // The edge with a lost end shares its id with the one that stays: dropped, it takes
    // no fresh id.
    PutEdgeRecord(w, base + 3, base, base + 99); // lost end
    w.PutU16(0x8005);
    PutEdgeRecord(w, base + 3, base, base + 1);
    PutDefaultSettings(w);
    TestDoc t;
    ASSERT_EQ(LoadInto(t, w.Bytes()), LoadStatus::Ok);
    EXPECT_EQ(t.platform.m_messages,
              (std::vector<std::string>{"Corrupted file: a pointer could not be restored",
                                        "Corrupted file: duplicated object id"}));
    ASSERT_EQ(t.CountEdges(), 1u);
    EXPECT_EQ(t.Edges()[0]->m_v2->m_name, "b2"); // the last of the duplicates
    EXPECT_EQ(t.VertexNamed("a")->m_edges.size(), 1u);
    // The duplicate got an id of its own, so saving and loading again keeps this graph;
    // it is the only element renumbered.
    EXPECT_NE(t.VertexNamed("b")->m_id, t.VertexNamed("b2")->m_id);
    EXPECT_EQ(t.Edges()[0]->m_id, base + 3);
    EXPECT_EQ(NewElementId(), t.VertexNamed("b")->m_id + 1);
    // The lists the loader hands over are the elements in order, the dropped edge gone.
    t.d().RebuildAllLists();
    EXPECT_EQ(t.d().m_allVertices, t.Vertices());
    EXPECT_EQ(t.d().m_allEdges, t.Edges());
    TestDoc again;
    ASSERT_EQ(LoadInto(again, WriteDocument(t.d())), LoadStatus::Ok);
    EXPECT_TRUE(again.platform.m_messages.empty());
    EXPECT_EQ(again.Edges()[0]->m_v2->m_name, "b2");
}

TEST(Format, AFileCannotUseUpTheIds) {
    ArchiveWriter w;
    PutHeader(w, 1);
    PutClass(w, "CVertex");
    PutVertexRecord(w, 0xFFFFFFFFu);
    PutDefaultSettings(w);
    TestDoc t;
    ASSERT_EQ(LoadInto(t, w.Bytes()), LoadStatus::Ok);
    EXPECT_LT(g_nextId, kLoadedIdCeiling);
    EXPECT_LT(t.Vertices()[0]->m_id, kLoadedIdCeiling);
    EXPECT_NE(t.Vertex(10, 10)->m_id, t.Vertex(20, 20)->m_id);
}

TEST(Format, HostileStreamsFailCleanly) {
    TestDoc t;
    auto expectFormatError = [&](std::span<const std::uint8_t> bytes) {
        EXPECT_EQ(LoadInto(t, bytes), LoadStatus::FormatError);
    };
    {   // unknown class
        ArchiveWriter w;
        PutHeader(w, 1);
        PutClass(w, "CWidget");
        expectFormatError(w.Bytes());
    }
    {   // wrong schema
        ArchiveWriter w;
        PutHeader(w, 1);
        PutClass(w, "CVertex", 17);
        PutVertexRecord(w, 1);
        PutDefaultSettings(w);
        expectFormatError(w.Bytes());
    }
    {   // a count far beyond the file
        ArchiveWriter w;
        PutHeader(w, 0xFFFFFFFFu);
        PutClass(w, "CVertex");
        PutVertexRecord(w, 1);
        expectFormatError(w.Bytes());
    }
    {   // a reference to a class never described, and a repeated object
        ArchiveWriter w;
        PutHeader(w, 1);
        w.PutU16(0x8009);
        expectFormatError(w.Bytes());
        ArchiveWriter v;
        PutHeader(v, 2);
        PutClass(v, "CVertex");
        PutVertexRecord(v, 1);
        v.PutU16(0x0002);
        expectFormatError(v.Bytes());
    }
    {   // an adjacency count and a string length beyond the file
        ArchiveWriter w;
        PutHeader(w, 1);
        PutClass(w, "CVertex");
        w.PutU8(0xFF);
        w.PutU16(0xFFFF);
        w.PutU32(0xFFFFFFF0u);
        expectFormatError(w.Bytes());
    }
    // Every truncation of a real file fails as a format error and never crashes.
    TestDoc src;
    CVertex* a = src.Vertex(100, 100);
    CVertex* b = src.Vertex(200, 200);
    src.Edge(a, b);
    const std::vector<std::uint8_t> full = Save(src.d());
    for (std::size_t n = 4; n + 1 < full.size(); ++n) {
        std::vector<std::uint8_t> cut(full.begin(), full.begin() + n);
        EXPECT_NE(LoadInto(t, cut), LoadStatus::Ok) << n;
    }
}

// Files are read a piece at a time: every item, strings above all, can straddle two
// pieces, and the source may hand out fewer bytes than asked for.
TEST(Format, ReadingInPiecesGivesTheSameDocument) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100, "alpha");
    CVertex* b = t.Vertex(300, 120, std::string(300, 'n'));
    t.Edge(a, b, kEdgeRed)->m_weight = -7;
    t.Edge(b, a, kEdgeGreen);
    t.Edge(a, a, kEdgePurple);
    const std::vector<std::uint8_t> whole = Save(t.d());
    auto sourceOf = [](const std::vector<std::uint8_t>& bytes, std::size_t& pos) {
        return [&bytes, &pos](std::uint8_t* dst, std::size_t n) {
            const std::size_t k = std::min({n, bytes.size() - pos, pos % 5 + 1});
            std::copy_n(bytes.begin() + std::ptrdiff_t(pos), k, dst);
            pos += k;
            return k;
        };
    };
    for (std::size_t chunk : {8, 9, 13, 64, 1 << 20}) {
        TestDoc u;
        std::size_t pos = 0;
        u.d().DeleteContents();
        ASSERT_EQ(ReadDocument(u.d(), sourceOf(whole, pos), whole.size(), chunk), LoadStatus::Ok) << chunk;
        EXPECT_EQ(Save(u.d()), whole) << chunk;
    }
    // A stream that ends before its announced size is a damaged file, wherever it ends.
    for (std::size_t n = 4; n < whole.size(); n += 7) {
        const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + std::ptrdiff_t(n));
        TestDoc u;
        std::size_t pos = 0;
        u.d().DeleteContents();
        EXPECT_NE(ReadDocument(u.d(), sourceOf(cut, pos), whole.size(), 9), LoadStatus::Ok) << n;
    }

    // Opening a file reads it that way too.
    namespace fs = std::filesystem;
    const fs::path path = fs::temp_directory_path() / ("arborix-pieces-" + std::to_string(::getpid()) + ".lxd");
    ASSERT_TRUE(t.d().OnSaveDocument(path.string()));
    TestDoc u;
    ASSERT_TRUE(u.d().OnOpenDocument(path.string()));
    EXPECT_EQ(Save(u.d()), whole);
    fs::remove(path);
}

TEST(Format, WideStringsAreConverted) {
    ArchiveWriter w;
    w.PutU8(0xFF);
    w.PutU16(0xFFFE);
    w.PutU8(3);
    for (std::uint16_t u : {std::uint16_t('h'), std::uint16_t(0xE9), std::uint16_t(0x4E2D)}) w.PutU16(u);
    ArchiveReader r(w.Bytes());
    EXPECT_EQ(r.GetString(), "h\xE9?");
}

TEST(Format, SavingNeverDestroysThePreviousFile) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("arborix-save-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "doc.lxd").string();
    TestDoc t;
    t.Vertex(100, 100);
    ASSERT_TRUE(t.d().OnSaveDocument(path));
    EXPECT_FALSE(t.d().IsModified());
    const auto before = ReadFileBytes(path);

    // A target that cannot be written (a directory of that name) fails with the message
    // and leaves everything else where it was.
    t.Vertex(200, 200);
    const std::string bad = (dir / "sub").string();
    fs::create_directories(bad);
    EXPECT_FALSE(t.d().OnSaveDocument(bad));
    EXPECT_EQ(t.platform.m_messages.back(), "Failed to save document.");
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_TRUE(t.d().IsModified());
    for (const auto& entry : fs::directory_iterator(dir))
        EXPECT_EQ(entry.path().filename().string().find(".saving-"), std::string::npos);
    fs::remove_all(dir);
}

TEST(Format, OpeningReportsEveryFailure) {
    TestDoc t;
    EXPECT_FALSE(t.d().OnOpenDocument("/nonexistent/arborix/file.lxd"));
    EXPECT_EQ(t.platform.m_messages.back(), "Failed to open document.");
    const std::vector<std::uint8_t> text = {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'};
    EXPECT_FALSE(t.d().OpenFromBytes(text));
    EXPECT_EQ(t.platform.m_messages.back(), "Invalid File Type");
    EXPECT_TRUE(t.d().m_elements.empty());
}

// The count shown after loading is made later than the load; it must be the count of the
// loaded drawing, which the all-pairs definition gives directly.
TEST(Format, CrossingCountAfterLoadingIsTheDrawingsCount) {
    TestDoc t;
    // Collinear overlaps along a line, a vertical line and a diagonal, with shared ends.
    CVertex* h[4] = {t.Vertex(100, 100), t.Vertex(300, 100), t.Vertex(200, 100), t.Vertex(400, 100)};
    t.Edge(h[0], h[1]);
    t.Edge(h[2], h[3]);
    t.Edge(h[0], h[3]);
    t.Edge(h[1], h[2], kEdgeRed);
    CVertex* v[3] = {t.Vertex(600, 100), t.Vertex(600, 400), t.Vertex(600, 250)};
    t.Edge(v[0], v[1]);
    t.Edge(v[2], v[1]);
    t.Edge(t.Vertex(600, 50), v[2]);
    CVertex* d[3] = {t.Vertex(700, 100), t.Vertex(900, 300), t.Vertex(800, 200)};
    t.Edge(d[0], d[1], kEdgeGreen);
    t.Edge(d[2], t.Vertex(1000, 400), kEdgeGreen);
    // Proper crossings, an end on another edge, and two vertices at one point.
    t.Edge(t.Vertex(100, 300), t.Vertex(300, 500));
    t.Edge(t.Vertex(100, 500), t.Vertex(300, 300));
    t.Edge(t.Vertex(200, 400), t.Vertex(200, 600));
    CVertex* twin = t.Vertex(700, 500);
    t.Edge(t.Vertex(700, 500), t.Vertex(700, 700), kEdgeGreen);
    t.Edge(twin, t.Vertex(900, 300), kEdgeGreen);
    const std::vector<std::uint8_t> bytes = Save(t.d());

    TestDoc u;
    ASSERT_EQ(LoadInto(u, bytes), LoadStatus::Ok);
    std::vector<const CEdge*> edges;
    for (const CEdge* e : u.Edges()) edges.push_back(e);
    const std::array<std::int32_t, 8> want = CountCrossingsAllPairs(edges);
    ASSERT_GT(want[kEdgeBlue - 1], 4);
    ASSERT_GT(want[kEdgeGreen - 1], 1);
    std::int32_t total = 0;
    for (int code = 1; code <= 8; ++code) {
        EXPECT_EQ(u.d().CrossingsOf(code), want[code - 1]) << code;
        total += want[code - 1];
    }
    EXPECT_EQ(u.d().TotalCrossings(), total);

    // The loader's snapshot stands for the drawing as loaded: a move afterwards is seen.
    u.Vertices()[0]->m_center = {200, 700};
    u.d().CountCrossings();
    const std::array<std::int32_t, 8> moved = CountCrossingsAllPairs(edges);
    ASSERT_NE(moved, want);
    for (int code = 1; code <= 8; ++code) EXPECT_EQ(u.d().CrossingsOf(code), moved[code - 1]) << code;

    // With automatic counts off, as arborix-cli runs most commands, loading counts nothing,
    // and a count asked for later is the drawing's.
    TestDoc w;
    w.d().m_autoCrossings = false;
    ASSERT_EQ(LoadInto(w, bytes), LoadStatus::Ok);
    EXPECT_EQ(w.d().TotalCrossings(), 0);
    w.d().CountCrossings();
    EXPECT_EQ(w.d().TotalCrossings(), total);
}

TEST(Format, ALargeDrawingIsCountedWhileItLoadsAndAnEditOrNewCountsStillWin) {
    // Enough edges for the count to start beside the load: short ones far apart, a block of
    // long blue ones crossing k * k times, and red ones crossing 3 * 4 times.
    TestDoc t(false);
    constexpr int kApart = 40000, k = 12;
    for (int i = 0; i < kApart; ++i) {
        const std::int32_t x = 10 * (i % 200), y = 10 * (i / 200);
        t.Edge(t.Vertex(x, y), t.Vertex(x + 4, y));
    }
    auto block = [&](int rows, int cols, std::int32_t at, std::uint16_t code) {
        for (int r = 0; r < rows; ++r) t.Edge(t.Vertex(at, at + 20 * r + 10), t.Vertex(at + 20 * cols + 20, at + 20 * r + 10), code);
        for (int c = 0; c < cols; ++c)
            t.Edge(t.Vertex(at + 20 * c + 10, at, c == 0 ? "top" : ""), t.Vertex(at + 20 * c + 10, at + 20 * rows + 20, c == 0 ? "bottom" : ""),
                   code);
    };
    block(k, k, 5000, kEdgeBlue);
    block(3, 4, 9000, kEdgeRed);
    const std::vector<std::uint8_t> bytes = Save(t.d());

    TestDoc u(false);
    ASSERT_EQ(LoadInto(u, bytes), LoadStatus::Ok);
    EXPECT_EQ(u.d().CrossingsOf(kEdgeBlue), k * k);
    EXPECT_EQ(u.d().CrossingsOf(kEdgeRed), 12);
    EXPECT_EQ(u.d().TotalCrossings(), k * k + 12);

    // A move made before the count is read is counted, whether the count had ended or not.
    TestDoc w(false);
    ASSERT_EQ(LoadInto(w, bytes), LoadStatus::Ok);
    w.VertexNamed("top")->m_center.x += 2000;
    w.VertexNamed("bottom")->m_center.x += 2000;
    w.d().CountCrossings();
    EXPECT_EQ(w.d().CrossingsOf(kEdgeBlue), k * k - k);

    // Counts set while the count runs stand.
    TestDoc x(false);
    ASSERT_EQ(LoadInto(x, bytes), LoadStatus::Ok);
    x.d().SetCrossingCounts({1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_EQ(x.d().TotalCrossings(), 36);

    // A document closed while its count runs leaves nothing behind (the sanitizer build sees).
    TestDoc y(false);
    ASSERT_EQ(LoadInto(y, bytes), LoadStatus::Ok);
}

TEST(Format, AStreamIsReadNoFurtherThanItsAnnouncedSize) {
    TestDoc t;
    t.Edge(t.Vertex(100, 100, "a"), t.Vertex(200, 100, "b"));
    const std::vector<std::uint8_t> whole = Save(t.d());
    // A source that has more to give than announced: the settings tail is cut off.
    std::vector<std::uint8_t> longer = whole;
    longer.insert(longer.end(), 64, 0);
    for (std::size_t chunk : {8, 64, 1 << 20}) {
        std::size_t pos = 0;
        auto source = [&](std::uint8_t* dst, std::size_t n) {
            const std::size_t k = std::min(n, longer.size() - pos);
            std::copy_n(longer.begin() + std::ptrdiff_t(pos), k, dst);
            pos += k;
            return k;
        };
        TestDoc u;
        u.d().DeleteContents();
        EXPECT_EQ(ReadDocument(u.d(), source, whole.size() - 3, chunk), LoadStatus::FormatError) << chunk;
        EXPECT_LE(pos, whole.size() - 3) << chunk;
    }
    // Skipping over a stored list stops at the end of the stream as reading does.
    const std::vector<std::uint8_t> bytes = {1, 2, 3, 4, 5};
    ArchiveReader r(bytes);
    r.Skip(3);
    EXPECT_EQ(r.GetU8(), 4);
    EXPECT_THROW(r.Skip(2), ArchiveFormatError);
}
