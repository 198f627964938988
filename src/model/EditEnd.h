#pragma once
// How an edit ends (CLattixDoc::CommitEdit): which derived data follows the change, and
// whether it is worked out before the undo state is taken or after it. Commands differ
// here on purpose: a highlight that was computed after the checkpoint is not in the undo
// state, so undoing to it shows what the document held then.

#include <cstdint>

enum class Derived : std::uint8_t {
    None = 0,
    Crossings = 1,       // only while the crossings are counted after every edit
    CrossingsAlways = 2, // whatever that setting says
    UlpCounts = 4,
    Upward = 8,
    Sefe = 16,
    ModeData = UlpCounts | Upward | Sefe,
    All = Crossings | ModeData,
};

constexpr Derived operator|(Derived a, Derived b) {
    return static_cast<Derived>(static_cast<std::uint8_t>(a) | static_cast<std::uint8_t>(b));
}
constexpr bool Has(Derived set, Derived part) {
    return (static_cast<std::uint8_t>(set) & static_cast<std::uint8_t>(part)) != 0;
}

struct EditEnd {
    Derived derived = Derived::All;
    bool derivedAfterCheckPoint = false;
    // False where the caller repaints once after a run of checkpoints.
    bool repaint = true;
};
