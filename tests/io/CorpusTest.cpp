// Every file of the damaged-file corpus (hand-made cases and what fuzzing found) opens
// without a crash: it either loads, and then saves and loads again, or is refused with
// a message and leaves nothing behind.

#include <gtest/gtest.h>

#include <filesystem>

#include "io/DocumentFormat.h"
#include "io/FileIO.h"
#include "io/TextExport.h"
#include "support/TestDoc.h"

TEST(Corpus, DamagedFilesNeverCrash) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(ARBORIX_TEST_DATA) / "io" / "corpus";
    int files = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        SCOPED_TRACE(entry.path().filename().string());
        ++files;
        const auto bytes = ReadFileBytes(entry.path().string());
        ASSERT_TRUE(bytes);
        TestDoc t;
        const bool opened = t.d().OpenFromBytes(*bytes);
        if (entry.path().filename().string().rfind("valid-", 0) == 0) {
            EXPECT_TRUE(opened);
        }
        if (!opened) {
            EXPECT_FALSE(t.platform.m_messages.empty());
            EXPECT_TRUE(t.d().m_elements.empty());
            continue;
        }
        // Whatever loaded is a consistent graph: it survives the usual passes and a round trip.
        t.d().RecomputeUlpCounts(true);
        t.d().CountCrossings();
        BuildTextExport(t.d());
        TestDoc again;
        EXPECT_EQ(ReadDocument(again.d(), WriteDocument(t.d())), LoadStatus::Ok);
        EXPECT_EQ(again.d().m_elements.size(), t.d().m_elements.size());
    }
    EXPECT_GE(files, 20);
}
