#include "BenchSupport.h"

#include <algorithm>
#include <vector>

void AddRandomGraph(CLattixDoc& doc, int n, int m, std::uint32_t seed, std::int32_t maxEdgeLength) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> coord(20, 19980);
    std::vector<CVertex*> vs;
    for (int i = 0; i < n; ++i) {
        auto* v = new CVertex(coord(rng), coord(rng), ColorIdToRgb(101));
        doc.AddElement(v);
        vs.push_back(v);
    }
    std::uniform_int_distribution<int> pick(0, n - 1);
    for (int added = 0; added < m;) {
        CVertex* a = vs[pick(rng)];
        CVertex* b = vs[pick(rng)];
        if (a == b) continue;
        if (std::abs(a->m_center.x - b->m_center.x) > maxEdgeLength ||
            std::abs(a->m_center.y - b->m_center.y) > maxEdgeLength)
            continue;
        doc.AddElement(new CEdge(a, b, kEdgeBlue));
        ++added;
    }
}
