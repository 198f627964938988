#pragma once
// Reading and writing whole files.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The bytes of a file, or nullopt when it cannot be read.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path);

// Writes to a temporary file next to `path` and renames it over `path` only once every
// byte is on disk, so a failure or a crash part-way never destroys the previous file.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);
