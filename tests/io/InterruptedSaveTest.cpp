// A save killed at any moment leaves the file as it was or as it was being written, whole.

#include <gtest/gtest.h>

#if __has_include(<sys/wait.h>)
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "io/DocumentFormat.h"
#include "io/FileIO.h"
#include "support/TestDoc.h"

namespace {

namespace fs = std::filesystem;

// A document big enough that writing it takes a while: a grid with its edges.
void BuildGrid(TestDoc& t, int side, int shift) {
    std::vector<CVertex*> vs;
    for (int r = 0; r < side; ++r)
        for (int c = 0; c < side; ++c) vs.push_back(t.Vertex(100 + 70 * c + shift, 100 + 70 * r));
    for (int r = 0; r + 1 < side; ++r)
        for (int c = 0; c + 1 < side; ++c) {
            t.Edge(vs[r * side + c], vs[r * side + c + 1]);
            t.Edge(vs[r * side + c], vs[(r + 1) * side + c]);
        }
}

// A fresh folder, removed with everything in it however the test ends.
struct ScratchFolder {
    fs::path path = fs::temp_directory_path() / ("arborix-save-" + std::to_string(::getpid()));
    ScratchFolder() {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~ScratchFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

} // namespace

TEST(InterruptedSave, TheFileIsAlwaysTheOldOrTheNewDocumentWhole) {
    const ScratchFolder folder;
    const fs::path& dir = folder.path;
    const std::string path = (dir / "graph.lxd").string();

    // Two documents of different sizes, so that a cut-off file can be neither.
    TestDoc small, big;
    BuildGrid(small, 150, 0);
    BuildGrid(big, 200, 13);
    const std::vector<std::uint8_t> smallBytes = WriteDocument(small.d());
    const std::vector<std::uint8_t> bigBytes = WriteDocument(big.d());
    ASSERT_TRUE(WriteFileAtomically(path, smallBytes));

    // How long a save takes here, and how much of it goes before the first byte is written:
    // the kills fall all over the save, and most of them while the file is being written.
    using Clock = std::chrono::steady_clock;
    auto microsSince = [](Clock::time_point t) {
        return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - t).count();
    };
    auto start = Clock::now();
    ASSERT_FALSE(WriteDocument(big.d()).empty());
    const std::int64_t encoding = microsSince(start);
    start = Clock::now();
    ASSERT_TRUE(big.d().OnSaveDocument(path));
    const std::int64_t saving = std::max<std::int64_t>(microsSince(start), encoding + 2000);
    ASSERT_TRUE(small.d().OnSaveDocument(path));

    std::mt19937 rng(12345);
    std::uniform_int_distribution<std::int64_t> anywhere(0, saving * 3 / 2), duringWrite(encoding * 9 / 10, saving);
    const std::vector<std::uint8_t>* onDisk = &smallBytes;
    int killedMidway = 0;
    // The machine's load changes while the test runs (other tests run beside it): when a save
    // outlives its kill the delays grow, when it finishes first they shrink.
    double scale = 1.0;
    for (int round = 0; round < 60 || (killedMidway <= 20 && round < 240); ++round) {
        TestDoc& writer = onDisk == &smallBytes ? big : small;
        const std::vector<std::uint8_t>* writing = onDisk == &smallBytes ? &bigBytes : &smallBytes;
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const bool ok = writer.d().OnSaveDocument(path);
            ::_exit(ok ? 0 : 1);
        }
        const auto delay = std::int64_t(scale * double(round % 4 == 0 ? anywhere(rng) : duringWrite(rng)));
        std::this_thread::sleep_for(std::chrono::microseconds(delay));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        if (WIFSIGNALED(status)) {
            ++killedMidway;
            scale = std::min(scale * 1.05, 4.0);
        } else {
            ASSERT_EQ(WEXITSTATUS(status), 0) << "the save failed in round " << round;
            scale = std::max(scale * 0.7, 0.05);
        }

        const auto now = ReadFileBytes(path);
        ASSERT_TRUE(now.has_value()) << "round " << round;
        if (*now == *writing) onDisk = writing;
        else ASSERT_EQ(*now, *onDisk) << "round " << round << ": the file is neither document";
    }
    // Most rounds must have been cut short, or the test proved nothing.
    EXPECT_GT(killedMidway, 20);

    // Only the document and the temporary files of killed saves are in the folder.
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "graph.lxd" || name.rfind("graph.lxd.saving-", 0) == 0) << name;
    }
}

#endif
