// The classification's searches on shape copies give exactly what the searches on copies
// of the elements gave: the same answers, colours, search numbers and element ids.

#include <gtest/gtest.h>

#include <random>

#include "support/TestDoc.h"
#include "trees/ClassificationReference.h"

namespace {

// The same random tree in a document: n vertices, edges created in a shuffled order with
// random orientation, random tracks.
void BuildTree(TestDoc& t, int n, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<CVertex*> vs;
    for (int i = 0; i < n; ++i) {
        CVertex* v = t.Vertex(40 + 30 * i, 100 + int(rng() % 300));
        v->m_trackNumber = int(rng() % (n + 2));
        vs.push_back(v);
    }
    std::vector<std::pair<int, int>> edges;
    for (int i = 1; i < n; ++i) {
        // Few parents make high degrees likely, which the searches need.
        const int parent = int(rng() % std::max(1, std::min(i, 1 + i / 3)));
        edges.emplace_back(rng() % 2 ? parent : i, rng() % 2 ? i : parent);
        if (edges.back().first == edges.back().second) edges.back() = {parent, i};
    }
    std::shuffle(edges.begin(), edges.end(), rng);
    for (auto [a, b] : edges) t.Edge(vs[a], vs[b]);
    t.d().RebuildAllLists();
    t.d().CountComponents();
    t.d().ExtractComponent(0);
}

struct Outcome {
    bool answer;
    std::uint32_t idsUsed;
    std::vector<Rgb> highlights;
    std::vector<std::int32_t> levels;
};

template <typename Search>
Outcome RunSearch(TestDoc& t, Search search) {
    const std::uint32_t before = g_nextId;
    Outcome o;
    o.answer = search(t.d());
    o.idsUsed = g_nextId - before;
    for (CElement* e : t.d().m_elements) o.highlights.push_back(e->m_highlight);
    for (CVertex* v : t.Vertices()) o.levels.push_back(v->m_level);
    return o;
}

void ExpectSame(const Outcome& a, const Outcome& b, const char* what) {
    EXPECT_EQ(a.answer, b.answer) << what;
    EXPECT_EQ(a.idsUsed, b.idsUsed) << what;
    EXPECT_EQ(a.highlights, b.highlights) << what;
    EXPECT_EQ(a.levels, b.levels) << what;
}

} // namespace

TEST(ShapeCopy, SearchesMatchTheElementCopies) {
    int answered = 0;
    for (std::uint32_t seed = 1; seed <= 400; ++seed) {
        const int n = 1 + int(seed % 30);
        SCOPED_TRACE(seed);
        TestDoc reference, shape;
        BuildTree(reference, n, seed);
        BuildTree(shape, n, seed);
        const Outcome r1 = RunSearch(reference, ReferenceIsRadius2Star);
        const Outcome s1 = RunSearch(shape, [](CLattixDoc& d) { return d.IsRadius2Star(); });
        ExpectSame(r1, s1, "radius-2 star");
        const Outcome r2 = RunSearch(reference, ReferenceWitnessL);
        const Outcome s2 = RunSearch(shape, [](CLattixDoc& d) { return d.WitnessSearchL(); });
        ExpectSame(r2, s2, "witness L");
        const Outcome r3 = RunSearch(reference, ReferenceWitnessF1);
        const Outcome s3 = RunSearch(shape, [](CLattixDoc& d) { return d.WitnessSearchF1(); });
        ExpectSame(r3, s3, "witness F1");
        const Outcome r4 = RunSearch(reference, ReferenceWitnessF2);
        const Outcome s4 = RunSearch(shape, [](CLattixDoc& d) { return d.WitnessSearchF2(); });
        ExpectSame(r4, s4, "witness F2");
        answered += s1.answer + s2.answer + s3.answer + s4.answer;
    }
    // The trees are varied enough that every search both succeeds and fails somewhere.
    EXPECT_GT(answered, 100);
}
