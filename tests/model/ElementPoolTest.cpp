#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

#include "model/Element.h"
#include "model/ElementPool.h"
#include "model/PagePrefaulter.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

TEST(ElementPool, BlocksAreAlignedDistinctAndReusedLastFreedFirst) {
    ElementPool pool(40, 16); // rounded up to a multiple of the alignment
    EXPECT_EQ(pool.BlockSize(), 48u);
    // Enough blocks to need several slabs.
    std::vector<char*> blocks;
    for (int i = 0; i < 5000; ++i) {
        auto* b = static_cast<char*>(pool.Allocate());
        ASSERT_EQ(reinterpret_cast<std::uintptr_t>(b) % 16, 0u);
        std::fill(b, b + 40, char(i)); // writable over its whole size
        blocks.push_back(b);
    }
    std::vector<char*> sorted = blocks;
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 1; i < sorted.size(); ++i) ASSERT_GE(sorted[i] - sorted[i - 1], 48) << "blocks overlap";
    for (int i = 0; i < 5000; ++i) ASSERT_EQ(blocks[i][39], char(i)) << "a later block overwrote block " << i;
    if (!ElementPool::kPooled) GTEST_SKIP() << "blocks come from the heap in this build";
    EXPECT_EQ(pool.LiveBlocks(), 5000u);
    pool.Free(blocks[10]);
    pool.Free(blocks[20]);
    EXPECT_EQ(pool.Allocate(), blocks[20]);
    EXPECT_EQ(pool.Allocate(), blocks[10]);
    for (char* b : blocks) pool.Free(b);
    // Empty again: the slabs go back to the system.
    EXPECT_EQ(pool.LiveBlocks(), 0u);
    EXPECT_EQ(pool.SlabBytes(), 0u);
    EXPECT_NE(pool.Allocate(), nullptr);
}

TEST(ElementPool, PagesGivenBackAheadLeaveTheBlocksAndComeBackForNewOnes) {
    // A block size that does not divide a page, so that the last block shares its page
    // with the blocks still to come.
    ElementPool pool(40, 8);
    std::vector<char*> blocks;
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 3001; ++i) {
            auto* b = static_cast<char*>(pool.Allocate());
            std::fill(b, b + 40, char(blocks.size() % 127 + 1));
            blocks.push_back(b);
        }
        pool.ReleasePagesAhead();
        for (std::size_t i = 0; i < blocks.size(); ++i)
            for (int k = 0; k < 40; ++k) ASSERT_EQ(blocks[i][k], char(i % 127 + 1)) << "round " << round << " block " << i;
    }
    for (char* b : blocks) pool.Free(b);
}

#if defined(__linux__)
TEST(ElementPool, APrefaulterFaultsThePagesInBeforeTheBlocksReachThem) {
    if (!ElementPool::kPooled || !PagePrefaulter::Supported()) GTEST_SKIP() << "no pages to fault in ahead";
    // Blocks until a slab of 4 MB or more opens: its first block is its base.
    auto baseOfLargeSlab = [](ElementPool& pool, std::vector<void*>& blocks) {
        for (;;) {
            const std::size_t before = pool.SlabBytes();
            blocks.push_back(pool.Allocate());
            if (pool.SlabBytes() - before >= (4u << 20)) return static_cast<char*>(blocks.back());
        }
    };
    auto resident = [](const char* p) {
        unsigned char in = 0;
        const auto page = reinterpret_cast<std::uintptr_t>(p) / 4096 * 4096;
        return mincore(reinterpret_cast<void*>(page), 4096, &in) == 0 && (in & 1);
    };
    constexpr std::size_t kAhead = 3 << 19; // past the first stretch of a megabyte
    std::vector<void*> blocks;
    ElementPool plain(64, 8);
    EXPECT_FALSE(resident(baseOfLargeSlab(plain, blocks) + kAhead)) << "faulted in before it was reached";
    for (void* b : blocks) plain.Free(b);

    blocks.clear();
    ElementPool ahead(64, 8);
    PagePrefaulter prefaulter, other;
    ahead.SetPrefaulter(&prefaulter);
    ahead.DropPrefaulter(&other); // not the one set: changes nothing
    const char* base = baseOfLargeSlab(ahead, blocks);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!resident(base + kAhead) && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
    EXPECT_TRUE(resident(base + kAhead));
    ahead.DropPrefaulter(&prefaulter);
    for (void* b : blocks) ahead.Free(b);
}
#endif

TEST(ElementPool, ElementsMadeAndFreedOnManyThreads) {
    const std::size_t vertices = VertexPool().LiveBlocks(), edges = EdgePool().LiveBlocks();
    // Each thread builds and tears down its own small graphs; another thread's blocks
    // handed out twice would show as a vertex whose fields change under it.
    auto work = [](int seed, bool& ok) {
        for (int round = 0; round < 50; ++round) {
            std::vector<CVertex*> vs;
            for (int i = 0; i < 40; ++i) {
                auto* v = new CVertex();
                v->m_level = seed * 1000 + i;
                vs.push_back(v);
            }
            std::vector<CEdge*> es;
            for (int i = 0; i + 1 < 40; ++i) {
                auto* e = new CEdge();
                e->m_v1 = vs[i];
                e->m_v2 = vs[i + 1];
                es.push_back(e);
            }
            for (int i = 0; i + 1 < 40; ++i)
                ok = ok && es[i]->m_v1->m_level == seed * 1000 + i && es[i]->m_v2->m_level == seed * 1000 + i + 1;
            for (CEdge* e : es) {
                e->ForgetEndpoints();
                delete e;
            }
            for (CVertex* v : vs) delete v;
        }
    };
    std::vector<std::thread> threads;
    bool ok[4] = {true, true, true, true};
    for (int t = 0; t < 4; ++t) threads.emplace_back(work, t, std::ref(ok[t]));
    for (auto& t : threads) t.join();
    for (bool b : ok) EXPECT_TRUE(b);
    if (ElementPool::kPooled) {
        EXPECT_EQ(VertexPool().LiveBlocks(), vertices);
        EXPECT_EQ(EdgePool().LiveBlocks(), edges);
    }
}
