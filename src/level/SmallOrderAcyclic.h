#pragma once
// Whether the "comes after" relation on at most 32 places, one bit mask per place, has no
// cycle. Shared by the tree testers, whose levels are that narrow.

#include <cstdint>

// after[i] holds the places that must come after place i.
inline bool SmallOrderAcyclic(const std::uint32_t* after, int width) {
    // Acyclic exactly when sources can be taken away until nothing is left.
    std::uint32_t left = width >= 32 ? ~0u : (1u << width) - 1;
    while (left) {
        std::uint32_t targets = 0;
        for (int i = 0; i < width; ++i)
            if (left >> i & 1) targets |= after[i];
        const std::uint32_t sources = left & ~targets;
        if (!sources) return false;
        left &= ~sources;
    }
    return true;
}
