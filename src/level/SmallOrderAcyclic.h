#pragma once
// Pieces shared by the tree testers, whose levels hold at most 32 places: whether an order
// relation on one level has a cycle, and the search over the pair classes' values.

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

// Depth first over the values 0 and 1 of classes 0..classes-1; `value` and `tried` hold a
// byte per class. The mirror image of a drawing is a drawing, so the first class keeps 0.
// `consistentAfter(c)` checks whatever the value of class c settles.
template <class Bytes, class Consistent>
bool SearchClassValues(int classes, Bytes& value, Bytes& tried, Consistent consistentAfter) {
    int c = 0;
    value[0] = 0;
    tried[0] = 1;
    bool ok = consistentAfter(0);
    for (;;) {
        if (ok) {
            if (++c == classes) return true;
            value[c] = 0;
            tried[c] = 0;
            ok = consistentAfter(c);
            continue;
        }
        while (c >= 0 && tried[c]) --c; // the last class with a value left to try
        if (c < 0) return false;
        value[c] = 1;
        tried[c] = 1;
        ok = consistentAfter(c);
    }
}
