#pragma once
// The crossing count of one colour of a taken drawing: pairs between the same two heights
// and pairs meeting only at a shared height are counted in bulk, the rest cell by cell.

#include <cstdint>

#include "trees/Crossings.h"

// Intersecting pairs among the taken edges of colour `code`, pairs with a common end vertex
// aside. `threads` bounds the worker threads (the result does not depend on it).
std::int64_t CountColourCrossings(const PendingCrossings& taken, std::uint16_t code, unsigned threads);
