// Random caterpillars, radius-2 stars and 3-spiders with random track assignments, a few
// trees per document: after Draw ULP Trees every vertex sits on its track and no two edges
// cross, within a tree or between trees.

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <sstream>

#include "support/TestDoc.h"
#include "trees/Classification.h"
#include "trees/Crossings.h"

namespace {

enum class Kind { Caterpillar, SharedTrackCaterpillar, Star, Spider };

struct TreeShape {
    Kind kind;
    std::vector<std::pair<int, int>> edges; // over vertices 0..n-1
    int n = 0;
};

TreeShape RandomCaterpillar(std::mt19937& rng, Kind kind) {
    TreeShape t{kind, {}, std::uniform_int_distribution<int>(1, 6)(rng)};
    const int spine = t.n;
    for (int i = 1; i < spine; ++i) t.edges.push_back({i - 1, i});
    for (int i = 0; i < spine; ++i)
        for (int l = std::uniform_int_distribution<int>(0, 3)(rng); l > 0; --l) t.edges.push_back({i, t.n++});
    return t;
}

// A centre, at least three legs of two edges (so that it is no caterpillar), some leaves.
TreeShape RandomStar(std::mt19937& rng) {
    TreeShape t{Kind::Star, {}, 1};
    for (int legs = std::uniform_int_distribution<int>(3, 6)(rng); legs > 0; --legs, t.n += 2)
        t.edges.insert(t.edges.end(), {{0, t.n}, {t.n, t.n + 1}});
    for (int leaves = std::uniform_int_distribution<int>(0, 3)(rng); leaves > 0; --leaves) t.edges.push_back({0, t.n++});
    std::shuffle(t.edges.begin(), t.edges.end(), rng);
    return t;
}

// Three legs of at least two edges each, so that it is no caterpillar.
TreeShape RandomSpider(std::mt19937& rng) {
    TreeShape t{Kind::Spider, {}, 1};
    for (int leg = 0; leg < 3; ++leg)
        for (int i = std::uniform_int_distribution<int>(2, 8)(rng), prev = 0; i > 0; --i, prev = t.n++)
            t.edges.push_back({prev, t.n});
    return t;
}

std::vector<std::int32_t> RandomTracks(std::mt19937& rng, const TreeShape& t) {
    std::vector<std::int32_t> tracks(t.n);
    if (t.kind == Kind::SharedTrackCaterpillar) {
        const int range = std::uniform_int_distribution<int>(1, 4)(rng);
        for (auto& tr : tracks) tr = std::uniform_int_distribution<int>(1, range)(rng);
        if (t.n >= 2 && tracks[0] != tracks[1]) tracks[1] = tracks[0]; // make sure two share
        return tracks;
    }
    const int spare = std::uniform_int_distribution<int>(0, 6)(rng);
    std::vector<std::int32_t> pool(t.n + spare);
    for (std::size_t i = 0; i < pool.size(); ++i) pool[i] = static_cast<std::int32_t>(i + 1);
    std::shuffle(pool.begin(), pool.end(), rng);
    std::copy_n(pool.begin(), t.n, tracks.begin());
    return tracks;
}

bool Incident(const CEdge* e, const CVertex* v) { return e->m_v1 == v || e->m_v2 == v; }

// Whether p lies on the closed segment ab.
bool OnSegment(Point p, Point a, Point b) {
    const std::int64_t cross = std::int64_t(b.x - a.x) * (p.y - a.y) - std::int64_t(b.y - a.y) * (p.x - a.x);
    return cross == 0 && p.x >= std::min(a.x, b.x) && p.x <= std::max(a.x, b.x) && p.y >= std::min(a.y, b.y) &&
           p.y <= std::max(a.y, b.y);
}

// The trees of a failing round, to reproduce it.
std::string Describe(const std::vector<TreeShape>& trees, const std::vector<std::vector<std::int32_t>>& tracks) {
    std::ostringstream out;
    for (std::size_t i = 0; i < trees.size(); ++i) {
        out << "kind " << int(trees[i].kind) << ", edges";
        for (auto [a, b] : trees[i].edges) out << ' ' << a << '-' << b;
        out << ", tracks";
        for (auto tr : tracks[i]) out << ' ' << tr;
        out << '\n';
    }
    return out.str();
}

} // namespace

TEST(DrawUlpTreesProperty, EveryVertexOnItsTrackAndNoEdgesCross) {
    std::mt19937 rng(2024);
    int spiders = 0, stars = 0, caterpillars = 0;
    for (int round = 0; round < 600; ++round) {
        TestDoc t;
        // From 20 on, half a column keeps the leftmost vertex clear of the canvas border,
        // where PlaceAt would push it aside.
        t.view->m_xSeparation = std::uniform_int_distribution<int>(20, 40)(rng);
        t.view->m_ySeparation = std::uniform_int_distribution<int>(10, 40)(rng);
        const std::int32_t sy = t.view->m_ySeparation;

        std::vector<TreeShape> trees;
        std::vector<std::vector<std::int32_t>> tracks;
        std::map<const CVertex*, std::size_t> treeOf;
        const int count = std::uniform_int_distribution<int>(1, 3)(rng);
        for (int i = 0; i < count; ++i) {
            switch (std::uniform_int_distribution<int>(0, 3)(rng)) {
            case 0: trees.push_back(RandomCaterpillar(rng, Kind::Caterpillar)); break;
            case 1: trees.push_back(RandomCaterpillar(rng, Kind::SharedTrackCaterpillar)); break;
            case 2: trees.push_back(RandomStar(rng)); break;
            default: trees.push_back(RandomSpider(rng)); break;
            }
            tracks.push_back(RandomTracks(rng, trees.back()));
            std::vector<CVertex*> vs;
            for (int v = 0; v < trees.back().n; ++v) {
                vs.push_back(t.Vertex(std::uniform_int_distribution<int>(100, 5000)(rng),
                                      std::uniform_int_distribution<int>(100, 5000)(rng)));
                vs.back()->m_trackNumber = tracks.back()[v];
                treeOf[vs.back()] = trees.size() - 1;
            }
            for (auto [a, b] : trees.back().edges) t.Edge(vs[a], vs[b]);
        }
        const std::string what = Describe(trees, tracks);

        ASSERT_EQ(t.d().DrawUlpTrees(), CLattixDoc::UlpDrawResult::Drawn) << what;
        const CLattixDoc& d = t.d();
        ASSERT_EQ(d.m_caterpillarCount + d.m_starCount + d.m_spiderCount, count) << what;
        spiders += d.m_spiderCount;
        stars += d.m_starCount;
        caterpillars += d.m_caterpillarCount;

        // Bends only come with spiders; a tree drawn as a 3-spider keeps its class colour.
        auto treeOfVertex = [&](const CVertex* v) -> int { return v->m_isBend ? -1 : int(treeOf.at(v)); };
        auto treeOfEdge = [&](const CEdge* e) { return std::max(treeOfVertex(e->m_v1), treeOfVertex(e->m_v2)); };
        auto isCaterpillar = [&](int tree) {
            return tree >= 0 && (trees[tree].kind == Kind::Caterpillar || trees[tree].kind == Kind::SharedTrackCaterpillar);
        };

        const std::vector<CVertex*> vertices = t.Vertices();
        const std::vector<CEdge*> edges = t.Edges();
        for (const CVertex* v : vertices) {
            ASSERT_EQ(v->m_center.y, v->m_trackNumber * sy) << what;
            ASSERT_EQ(v->m_offset, (Point{0, 0})) << what;
            ASSERT_FALSE(v->m_hidden) << what;
        }
        for (const CEdge* e : edges) {
            ASSERT_FALSE(e->m_hidden) << what;
            const bool drawnAsSpider = e->m_v1->m_isBend || e->m_v2->m_isBend ||
                                       e->m_v1->m_highlight == kSpiderColor;
            if (drawnAsSpider) {
                ASSERT_EQ(std::abs(e->m_v1->m_trackNumber - e->m_v2->m_trackNumber), 1) << what;
            }
        }
        for (std::size_t i = 0; i < vertices.size(); ++i)
            for (std::size_t j = i + 1; j < vertices.size(); ++j)
                ASSERT_NE(vertices[i]->m_center, vertices[j]->m_center) << what;
        for (std::size_t i = 0; i < edges.size(); ++i) {
            const CEdge* e = edges[i];
            const Segment a = SegmentOf(*e);
            for (std::size_t j = i + 1; j < edges.size(); ++j) {
                const CEdge* f = edges[j];
                if (Incident(f, e->m_v1) || Incident(f, e->m_v2)) continue;
                ASSERT_FALSE(SegmentsIntersect(a, SegmentOf(*f))) << what;
            }
            // A caterpillar may stand a leaf on the straight edge between two of its spine
            // vertices (the leaves of distinct tracks share one column); nothing else may
            // touch an edge it does not belong to.
            for (const CVertex* v : vertices) {
                if (Incident(e, v)) continue;
                if (isCaterpillar(treeOfVertex(v)) && treeOfVertex(v) == treeOfEdge(e)) continue;
                ASSERT_FALSE(OnSegment(v->m_center, a.a, a.b)) << what;
            }
        }
    }
    // The generators must reach every layout.
    EXPECT_GT(spiders, 100);
    EXPECT_GT(stars, 100);
    EXPECT_GT(caterpillars, 200);
}
