#include "io/FileIO.h"

#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#if __has_include(<unistd.h>)
#include <unistd.h>
#define ARBORIX_HAVE_FSYNC 1
#endif

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return std::nullopt;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[1 << 16];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) return std::nullopt;
    return bytes;
}

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_directory(path, ec)) return false;

    std::random_device rd;
    const std::string tmp = path + ".saving-" + std::to_string(rd() % 1000000);
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
#ifdef ARBORIX_HAVE_FSYNC
    ok = ::fsync(::fileno(f)) == 0 && ok;
#endif
    ok = std::fclose(f) == 0 && ok;
    if (ok) {
        // Keep the permissions of the file being replaced.
        const auto status = fs::status(path, ec);
        if (!ec && fs::exists(status)) fs::permissions(tmp, status.permissions(), ec);
        fs::rename(tmp, path, ec);
        ok = !ec;
    }
    if (!ok) fs::remove(tmp, ec);
    return ok;
}
