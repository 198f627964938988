// libFuzzer target: every file command of arborix-cli on a hostile document (.lxd, or
// GraphML when the bytes start with '<'), through the program's own dispatch. A command
// may refuse the file; it must not crash, and every file it writes must read back.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "CommandSweep.h"

namespace {

// Inputs beyond this many elements are skipped: the fuzzer is after crashes, and the
// algorithms' running time on big graphs is the benchmarks' business.
constexpr long kMaxElements = 3000;

std::string g_workDir;

void RemoveWorkDir() {
    std::error_code ec;
    std::filesystem::remove_all(g_workDir, ec);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Every command writes files, and saving syncs them to disk: memory-backed if possible.
    std::string base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path().string();
    std::string pattern = base + "/arborix-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) std::abort();
    g_workDir = pattern;
    std::atexit(RemoveWorkDir);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CommandSweep sweep(g_workDir);
    sweep.SetInput({data, size});
    if (sweep.LoadedElementCount() > kMaxElements) return 0;
    sweep.RunCommands();
    if (!sweep.Problems().empty()) {
        for (const std::string& p : sweep.Problems()) std::fprintf(stderr, "%s\n", p.c_str());
        __builtin_trap();
    }
    return 0;
}
