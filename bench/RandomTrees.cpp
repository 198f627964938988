// Random tree generators: Wilf's method and RANRUT at 1000 vertices, with the layout into a
// document; the attempts of the rejection samplers at 10 vertices; the first use of the
// count tables at 1000 vertices.

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "random/RandomTreeCommand.h"
#include "random/TreeCounts.h"

namespace {

// Generation and layout of one tree; the document is emptied between runs, untimed.
void GenerateInto(benchmark::State& state, RandomTreeMethod method, int n) {
    BenchDoc b;
    LcgRandom random(12345);
    for (auto _ : state) {
        RandomTreeGenerator generator(*b.doc, random);
        benchmark::DoNotOptimize(generator.Generate(method, n));
        state.PauseTiming();
        b.doc->DeleteContents();
        state.ResumeTiming();
    }
}

void BM_Wilf1000(benchmark::State& state) { GenerateInto(state, RandomTreeMethod::Wilf, 1000); }
void BM_Ranrut1000(benchmark::State& state) { GenerateInto(state, RandomTreeMethod::Rooted, 1000); }
void BM_Labeled1000(benchmark::State& state) { GenerateInto(state, RandomTreeMethod::Labeled, 1000); }

// The whole command, with checkpoint, crossing count and repaint.
void BM_WilfCommand1000(benchmark::State& state) {
    BenchDoc b;
    for (auto _ : state) {
        b.platform.m_ticks += 1;
        b.platform.m_randomTreeAnswers.push_back(1000);
        RunRandomTreeCommand(*b.doc, RandomTreeMethod::Wilf);
        state.PauseTiming();
        b.doc->DeleteContents();
        state.ResumeTiming();
    }
}

// Rejection runs until a tree is accepted; the counter gives the time of one attempt.
void RejectionRuns(benchmark::State& state, RandomTreeMethod method) {
    BenchDoc b;
    LcgRandom random(777);
    RandomTreeGenerator generator(*b.doc, random);
    double attempts = 0;
    for (auto _ : state) {
        generator.Generate(method, 10);
        attempts += double(generator.Attempts());
        state.PauseTiming();
        b.doc->DeleteContents();
        state.ResumeTiming();
    }
    state.counters["per_attempt"] = benchmark::Counter(attempts, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_LabeledRejection10(benchmark::State& state) { RejectionRuns(state, RandomTreeMethod::FreeFromLabeled); }
void BM_RootedRejection10(benchmark::State& state) { RejectionRuns(state, RandomTreeMethod::FreeFromRooted); }

// The exact counts behind the first command at 1000 vertices (rooted counts to 1000 and
// the forests for 499-vertex branches), built on first use and then kept for the run.
void BM_FirstUseOfCountTables(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(treecount::CountForests(999, 499));
    }
}

} // namespace

BENCHMARK(BM_Wilf1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ranrut1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Labeled1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WilfCommand1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LabeledRejection10)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RootedRejection10)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstUseOfCountTables)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
