#include "BenchSupport.h"

#include <algorithm>
#include <cmath>
#include <vector>

void AddRandomGraph(CLattixDoc& doc, int n, int m, std::uint32_t seed, std::int32_t maxEdgeLength) {
    std::mt19937 rng(seed);
    // Vertices on a jittered grid; edges join grid neighbours, or any two vertices when the
    // allowed length covers the canvas.
    const int cols = std::max(1, int(std::ceil(std::sqrt(double(n)))));
    const int spacing = std::max(4, 19000 / cols);
    std::uniform_int_distribution<int> jitter(-spacing / 3, spacing / 3);
    std::vector<CVertex*> vs;
    vs.reserve(n);
    for (int i = 0; i < n; ++i) {
        const int x = 500 + (i % cols) * spacing + jitter(rng);
        const int y = 500 + (i / cols) * spacing + jitter(rng);
        auto* v = new CVertex(std::clamp(x, 20, 19980), std::clamp(y, 20, 19980), ColorIdToRgb(101));
        doc.AddElement(v);
        vs.push_back(v);
    }
    if (n < 2) return;
    const int reach = std::max(1, maxEdgeLength / spacing);
    std::uniform_int_distribution<int> pick(0, n - 1), step(-reach, reach);
    for (int added = 0; added < m;) {
        const int i = pick(rng);
        int j;
        if (maxEdgeLength >= 20000) {
            j = pick(rng);
        } else {
            const int r = i / cols + step(rng), c = i % cols + step(rng);
            if (r < 0 || c < 0 || c >= cols) continue;
            j = r * cols + c;
        }
        if (j == i || j >= n) continue;
        doc.AddElement(new CEdge(vs[i], vs[j], kEdgeBlue));
        ++added;
    }
}
