#include "io/FileIO.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#if __has_include(<unistd.h>)
#include <sys/stat.h>
#include <unistd.h>
#define ARBORIX_HAVE_POSIX 1
#endif

namespace fs = std::filesystem;

namespace {

void Tell(std::string* reason, const std::string& why) {
    if (reason) *reason = why;
}

std::string SystemReason(int error) { return std::strerror(error); }

// The file a path finally names, following symbolic links, so that saving replaces the
// file and not the link. A loop of links is given up on after as many steps as the
// system allows.
std::optional<fs::path> FollowLinks(fs::path path, std::string* reason) {
    std::error_code ec;
    for (int hops = 0; fs::is_symlink(fs::symlink_status(path, ec)); ++hops) {
        if (hops == 40) {
            Tell(reason, SystemReason(ELOOP));
            return std::nullopt;
        }
        const fs::path target = fs::read_symlink(path, ec);
        if (ec) {
            Tell(reason, ec.message());
            return std::nullopt;
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path;
}

// Whether the file may be replaced. The permission bits count even where the process could
// override them (as the superuser can): a file made read-only is meant to stay as it is.
bool MayReplace(const fs::path& path, std::string* reason) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) return true;
    constexpr fs::perms anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    bool writable = (status.permissions() & anyWrite) != fs::perms::none;
#ifdef ARBORIX_HAVE_POSIX
    writable = writable && ::access(path.c_str(), W_OK) == 0;
#endif
    if (!writable) Tell(reason, "The file is read-only.");
    return writable;
}

} // namespace

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path, std::string* reason) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        Tell(reason, SystemReason(EISDIR));
        return std::nullopt;
    }
    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        Tell(reason, SystemReason(errno));
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[1 << 16];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    const bool failed = std::ferror(f) != 0;
    const int error = errno;
    std::fclose(f);
    if (failed) {
        Tell(reason, SystemReason(error));
        return std::nullopt;
    }
    return bytes;
}

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes, std::string* reason) {
    std::error_code ec;
    const std::optional<fs::path> target = FollowLinks(path, reason);
    if (!target) return false;
    if (fs::is_directory(*target, ec)) {
        Tell(reason, SystemReason(EISDIR));
        return false;
    }
    if (!MayReplace(*target, reason)) return false;

    std::random_device rd;
    const std::string tmp = target->string() + ".saving-" + std::to_string(rd() % 1000000);
    errno = 0;
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) {
        Tell(reason, SystemReason(errno));
        return false;
    }
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
#ifdef ARBORIX_HAVE_POSIX
    ok = ::fsync(::fileno(f)) == 0 && ok;
#endif
    const int writeError = errno;
    ok = std::fclose(f) == 0 && ok;
    if (!ok) Tell(reason, SystemReason(writeError ? writeError : EIO));
    if (ok) {
        // The replacement takes the permissions (and, where allowed, the owner) of the
        // file it replaces.
        const fs::file_status status = fs::status(*target, ec);
        if (!ec && fs::exists(status)) {
            fs::permissions(tmp, status.permissions(), ec);
#ifdef ARBORIX_HAVE_POSIX
            struct ::stat info {};
            if (::stat(target->c_str(), &info) == 0 && ::chown(tmp.c_str(), info.st_uid, info.st_gid) != 0) {
                // Only the superuser may give a file away; the file is then the saver's.
            }
#endif
        }
        fs::rename(tmp, *target, ec);
        ok = !ec;
        if (!ok) Tell(reason, ec.message());
    }
    if (!ok) fs::remove(tmp, ec);
    return ok;
}
