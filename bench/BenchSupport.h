#pragma once
// Documents for benchmarks: a headless platform, one editor view, generated graphs.

#include <cstdint>
#include <memory>
#include <random>

#include "model/HeadlessPlatform.h"
#include "model/LattixDoc.h"

struct BenchDoc {
    HeadlessPlatform platform;
    CLattixView view;
    std::unique_ptr<CLattixDoc> doc;

    BenchDoc() {
        platform.m_activeView = &view;
        doc = std::make_unique<CLattixDoc>(platform);
        doc->AddView(&view);
        doc->OnNewDocument();
    }
};

// n random vertices and m random edges between them (no self-loops), one colour.
void AddRandomGraph(CLattixDoc& doc, int n, int m, std::uint32_t seed, std::int32_t maxEdgeLength = 20000);
