#pragma once
// main() for benchmarks that draw through Qt: text needs a GUI application, and without a
// display the offscreen platform serves.

#include <benchmark/benchmark.h>

#include <cstdlib>

#include <QGuiApplication>

#define ARBORIX_QT_BENCHMARK_MAIN()                         \
    int main(int argc, char** argv) {                       \
        setenv("QT_QPA_PLATFORM", "offscreen", 0);          \
        int qtArgc = 1;                                     \
        QGuiApplication app(qtArgc, argv);                  \
        benchmark::Initialize(&argc, argv);                 \
        benchmark::RunSpecifiedBenchmarks();                \
        benchmark::Shutdown();                              \
        return 0;                                           \
    }
