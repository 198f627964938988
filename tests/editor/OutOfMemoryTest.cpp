// A command that runs out of memory ends with a message and the document as it was. The
// command runs in a child process whose address space is limited.

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "support/TestDoc.h"

namespace {

std::size_t AddressSpaceInUse() {
    std::size_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    return pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

std::vector<std::pair<int, int>> Places(const TestDoc& t) {
    std::vector<std::pair<int, int>> places;
    for (const CVertex* v : t.Vertices()) places.push_back({v->m_center.x, v->m_trackNumber});
    return places;
}

// Runs in the child: 0 when the command ended as it should, otherwise which check failed.
int LevelTestOutOfMemory() {
    TestDoc t;
    // One path zigzagging between two tracks of 10 000 vertices: 100 million same-level
    // pairs, some 500 MB for the test.
    constexpr int kWidth = 10000;
    std::vector<CVertex*> low, high;
    for (int i = 0; i < kWidth; ++i) {
        low.push_back(t.Vertex(15 * i, 30));
        low.back()->m_trackNumber = 1;
        high.push_back(t.Vertex(15 * i, 60));
        high.back()->m_trackNumber = 2;
    }
    for (int i = 0; i < kWidth; ++i) {
        t.Edge(low[i], high[i]);
        if (i + 1 < kWidth) t.Edge(low[i], high[i + 1]);
    }
    t.d().CheckPoint();
    const auto before = Places(t);
    const rlimit limit{AddressSpaceInUse() + (256u << 20), RLIM_INFINITY};
    if (setrlimit(RLIMIT_AS, &limit) != 0) return 10;
    ExecuteCommand(t.d(), t.view.get(), cmd::kLevelPlanarityTesting);
    if (t.platform.m_messages.size() != 1) return 11;
    if (t.platform.m_messages[0] != kOutOfMemoryMessage) return 12;
    if (Places(t) != before) return 13;
    return 0;
}

} // namespace

TEST(OutOfMemory, CommandEndsWithAMessageAndTheDocumentAsItWas) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer's allocator ends the process when memory runs out instead of throwing";
#endif
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(LevelTestOutOfMemory());
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the child ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10: no limit, 11: not one message, 12: wrong message, 13: document changed";
}
