#pragma once
// Reading and writing whole files.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The bytes of a file, or nullopt when it cannot be read; `reason` then says why, in the
// system's words.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path, std::string* reason = nullptr);

// Writes to a temporary file next to the file `path` names and renames it over that file
// only once every byte is on disk, so a failure or a crash part-way never destroys the
// previous file. A symbolic link is written through and stays a link; the file keeps its
// permissions; a read-only file is refused. On failure `reason` says why.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes, std::string* reason = nullptr);
