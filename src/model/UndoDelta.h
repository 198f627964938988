#pragma once
// A stored state written as its difference to another state.
//
// Undo keeps neighbouring states of one document, which are nearly the same bytes: an edit
// rewrites a few records, an insertion or deletion shifts everything after it, and deleting
// a vertex renumbers the class tag at the start of every later record by one. The coding is
// therefore a copy-from-the-base coder: runs of new bytes alternate with copies of base
// bytes, and a copy that continues at the same distance as the one before costs one byte,
// so a change every few dozen bytes along a shifted stretch stays cheap.
//
// Layout, repeated until the target is complete: the number of new bytes (LEB128), the new
// bytes, the copy length (LEB128); when the copy length is not zero, the change of the copy
// distance (zigzag LEB128), where the distance is the base position minus the target
// position and starts at 0.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// A stretch of a state replaced by new bytes, not necessarily as many.
struct StatePatch {
    std::size_t offset = 0; // in the state before the patches
    std::size_t length = 0; // bytes replaced
    std::vector<std::uint8_t> bytes;
};

// The difference that rebuilds `target` from `base`.
std::vector<std::uint8_t> EncodeDelta(std::span<const std::uint8_t> base, std::span<const std::uint8_t> target);

// Rebuilds the target of a difference. Throws std::runtime_error when the difference does not
// fit the base (which only a fault in the program can cause).
std::vector<std::uint8_t> DecodeDelta(std::span<const std::uint8_t> base, std::span<const std::uint8_t> delta);

// The difference that rebuilds `state` from `state` with the patches applied, at the cost of
// the patches alone. The patches are sorted by offset, do not overlap and lie within `state`.
std::vector<std::uint8_t> EncodeUnpatch(std::span<const std::uint8_t> state, std::span<const StatePatch> patches);

// Applies sorted, disjoint patches to `state`; in place when no patch changes the length.
void ApplyPatches(std::vector<std::uint8_t>& state, std::span<const StatePatch> patches);
