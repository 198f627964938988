// The damaged-file corpora (documents and GraphML) replayed through every file command
// of arborix-cli, in-process and through its own dispatch, as the fuzzer runs them.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "CommandSweep.h"
#include "io/FileIO.h"

namespace {

namespace fs = std::filesystem;

class CommandCorpus : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "arborix-cli-corpus-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }

    // Runs every command on every file of tests/<folder>/corpus; returns how many files.
    int Replay(const std::string& folder) {
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(fs::path(ARBORIX_TEST_DATA) / folder / "corpus"))
            files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        CommandSweep sweep(m_dir);
        for (const fs::path& path : files) {
            SCOPED_TRACE(path.filename().string());
            const auto bytes = ReadFileBytes(path.string());
            EXPECT_TRUE(bytes);
            if (!bytes) continue;
            sweep.SetInput(*bytes);
            sweep.RunCommands();
            for (const std::string& problem : sweep.Problems()) ADD_FAILURE() << problem;

            // A file that does not open fails every command alike, and nothing is written.
            const bool opens = sweep.Runs().front().status == 0;
            if (path.filename().string().rfind("valid-", 0) == 0) {
                EXPECT_TRUE(opens);
            }
            if (!opens) {
                for (const CommandRun& run : sweep.Runs()) EXPECT_EQ(run.status, 1) << run.args[0];
                EXPECT_EQ(sweep.Runs().size(), 10u);
            }
        }
        return int(files.size());
    }

    std::string m_dir;
};

} // namespace

TEST_F(CommandCorpus, EveryCommandSurvivesEveryDamagedDocument) {
    EXPECT_GE(Replay("io"), 20);
}

TEST_F(CommandCorpus, EveryCommandSurvivesEveryDamagedGraphMlFile) {
    EXPECT_GE(Replay("formats"), 15);
}
