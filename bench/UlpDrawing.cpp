// Draw ULP Trees: the 3-spider plan alone, the whole command on one long spider, and the
// caterpillar layout of a star whose leaves share a few tracks (the exact exchange sort).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include "BenchSupport.h"
#include "trees/SpiderPlan.h"

namespace {

SpiderLegTracks RandomLegs(std::int32_t length, std::uint32_t seed, std::int32_t& centre) {
    std::mt19937 rng(seed);
    std::vector<std::int32_t> tracks(3 * length + 1);
    for (std::size_t i = 0; i < tracks.size(); ++i) tracks[i] = static_cast<std::int32_t>(i + 1);
    std::shuffle(tracks.begin(), tracks.end(), rng);
    centre = tracks[0];
    SpiderLegTracks legs;
    std::size_t k = 1;
    for (auto& leg : legs)
        for (std::int32_t i = 0; i < length; ++i) leg.push_back(tracks[k++]);
    return legs;
}

void BM_PlanSpider(benchmark::State& state) {
    std::int32_t centre = 0;
    const SpiderLegTracks legs = RandomLegs(static_cast<std::int32_t>(state.range(0)), 1, centre);
    for (auto _ : state) benchmark::DoNotOptimize(PlanSpider(centre, legs));
    state.SetItemsProcessed(state.iterations() * 3 * state.range(0));
}
BENCHMARK(BM_PlanSpider)->Arg(1000)->Arg(100000);

// A spider whose legs climb and fall one track per edge; only the first edge of the last
// leg skips tracks (and takes a bend on each).
void AddStraightSpider(CLattixDoc& doc, std::int32_t length) {
    auto add = [&](std::int32_t track) {
        auto* v = new CVertex(100, 100, 0);
        v->m_trackNumber = track;
        doc.AddElement(v);
        return v;
    };
    CVertex* c = add(2 * length + 1);
    const std::int32_t starts[3] = {2 * length + 2, 2 * length, 1};
    const std::int32_t steps[3] = {1, -1, 1};
    for (int leg = 0; leg < 3; ++leg) {
        CVertex* prev = c;
        for (std::int32_t i = 0; i < length; ++i) {
            CVertex* v = add(starts[leg] + steps[leg] * i);
            doc.AddElement(new CEdge(prev, v, kEdgeBlue));
            prev = v;
        }
    }
}

void BM_DrawUlpTreesSpider(benchmark::State& state) {
    const auto length = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto b = std::make_unique<BenchDoc>();
        AddStraightSpider(*b->doc, length);
        state.ResumeTiming();
        b->doc->DrawUlpTrees();
        state.PauseTiming();
        b.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 3 * state.range(0));
}
BENCHMARK(BM_DrawUlpTreesSpider)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);

void BM_DrawUlpTreesSharedTrackStar(benchmark::State& state) {
    const auto leaves = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto b = std::make_unique<BenchDoc>();
        auto* c = new CVertex(100, 100, 0);
        c->m_trackNumber = 3;
        b->doc->AddElement(c);
        for (std::int32_t i = 0; i < leaves; ++i) {
            auto* v = new CVertex(100, 100, 0);
            v->m_trackNumber = 1 + (i * 7) % 5;
            b->doc->AddElement(v);
            b->doc->AddElement(new CEdge(c, v, kEdgeBlue));
        }
        state.ResumeTiming();
        b->doc->DrawUlpTrees();
        state.PauseTiming();
        b.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DrawUlpTreesSharedTrackStar)->Arg(1000)->Arg(20000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
