#pragma once
// Reading and writing whole files.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The extension of a path's last component, lower-case, with its dot (".lxd"); empty when
// there is none.
std::string ExtensionOf(const std::string& path);

// The bytes of a file, or nullopt when it cannot be read; `reason` then says why, in the
// system's words.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path, std::string* reason = nullptr);

// Writes to a temporary file next to the file `path` names and renames it over that file
// only once every byte is on disk, so a failure or a crash part-way never destroys the
// previous file. A symbolic link is written through and stays a link; the file keeps its
// permissions; a read-only file is refused. On failure `reason` says why.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes, std::string* reason = nullptr);

// A regular file opened to be read a piece at a time, by readers that should not hold it
// whole.
class FileReader {
public:
    // Null when `path` is not a regular file that can be opened; `reason` then says why
    // when there is a reason to give (an existing file that cannot be opened).
    static std::unique_ptr<FileReader> Open(const std::string& path, std::string* reason = nullptr);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // The size the file had when it was opened.
    std::uint64_t Size() const { return m_size; }
    // Up to n bytes; fewer only at the end of the file or after an error.
    std::size_t Read(std::uint8_t* dst, std::size_t n);
    // Whether a read failed; `reason` then says why, in the system's words.
    bool Failed(std::string* reason = nullptr) const;

private:
    FileReader(std::FILE* file, std::uint64_t size) : m_file(file), m_size(size) {}
    std::FILE* m_file;
    std::uint64_t m_size;
    int m_error = 0;
};
