#include "io/FileIO.h"

#include <algorithm>
#include <cctype>
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

std::string ExtensionOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

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
    // Read straight into a buffer of the file's size: growing one by doubling would hold up
    // to three times the file at once. Whatever the size said, reading goes on to the end.
    std::vector<std::uint8_t> bytes;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (!ec && size <= bytes.max_size()) bytes.resize(static_cast<std::size_t>(size));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const std::size_t n = std::fread(bytes.data() + filled, 1, bytes.size() - filled, f);
        if (n == 0) break;
        filled += n;
    }
    bytes.resize(filled);
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

std::unique_ptr<FileReader> FileReader::Open(const std::string& path, std::string* reason) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return nullptr;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) return nullptr;
    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        Tell(reason, SystemReason(errno));
        return nullptr;
    }
    return std::unique_ptr<FileReader>(new FileReader(f, size));
}

FileReader::~FileReader() { std::fclose(m_file); }

std::size_t FileReader::Read(std::uint8_t* dst, std::size_t n) {
    if (m_error) return 0;
    errno = 0;
    const std::size_t got = std::fread(dst, 1, n, m_file);
    if (got < n && std::ferror(m_file)) m_error = errno ? errno : EIO;
    return got;
}

bool FileReader::Failed(std::string* reason) const {
    if (m_error) Tell(reason, SystemReason(m_error));
    return m_error != 0;
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
