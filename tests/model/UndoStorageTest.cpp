// The compact storage of undo snapshots: chunks cut by content, shared between snapshots,
// and undo/redo that hand back exactly the stored bytes.

#include <gtest/gtest.h>

#include <random>

#include "io/DocumentFormat.h"
#include "model/UndoDelta.h"
#include "support/TestDoc.h"

namespace {

std::vector<std::uint8_t> RandomBytes(std::size_t n, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<std::uint8_t> bytes(n);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
    return bytes;
}

// A grid of vertices joined to their right and lower neighbours.
void BuildGrid(TestDoc& t, int side) {
    std::vector<CVertex*> vs;
    for (int r = 0; r < side; ++r)
        for (int c = 0; c < side; ++c) vs.push_back(t.Vertex(100 + 60 * c, 100 + 60 * r));
    for (int r = 0; r < side; ++r)
        for (int c = 0; c < side; ++c) {
            if (c + 1 < side) t.Edge(vs[r * side + c], vs[r * side + c + 1]);
            if (r + 1 < side) t.Edge(vs[r * side + c], vs[(r + 1) * side + c]);
        }
    t.d().ClearSelection();
}

// One of a few kinds of edit, chosen by the generator, each ending with a checkpoint.
void RandomEdit(TestDoc& t, std::mt19937& rng) {
    std::vector<CVertex*> vs = t.Vertices();
    CLattixDoc& d = t.d();
    const unsigned kind = vs.size() < 4 ? 1 : rng() % 4;
    switch (kind) {
    case 0: { // move a vertex
        CVertex* v = vs[rng() % vs.size()];
        v->PlaceAt(v->m_center.x + 7, v->m_center.y + 3, nullptr);
        break;
    }
    case 1: { // add a vertex with an edge
        CVertex* v = t.Vertex(50 + rng() % 19000, 50 + rng() % 19000);
        t.Edge(v, vs[rng() % vs.size()]);
        break;
    }
    case 2: // delete a vertex and its edges
        d.DeleteElement(vs[rng() % vs.size()]);
        break;
    default: // rename one
        vs[rng() % vs.size()]->m_name = "v" + std::to_string(rng() % 1000);
        break;
    }
    d.CheckPoint();
}

} // namespace

TEST(UndoDelta, RebuildsEveryKindOfChangeExactly) {
    const std::vector<std::uint8_t> base = RandomBytes(60000, 1);
    std::vector<std::vector<std::uint8_t>> targets;
    targets.push_back(base);
    targets.push_back({});
    targets.push_back(RandomBytes(5000, 2)); // nothing in common
    std::vector<std::uint8_t> edited = base;
    edited.insert(edited.begin() + 100, 37, 0x11);        // an insertion
    edited.erase(edited.begin() + 30000, edited.begin() + 30500); // a deletion
    edited[45000] ^= 0x5A;                                // a changed byte
    edited.insert(edited.end(), base.begin(), base.begin() + 9000); // a repeat of the start
    targets.push_back(edited);
    std::vector<std::uint8_t> prefix(base.begin(), base.begin() + 7);
    targets.push_back(prefix); // shorter than anything the index looks at
    for (const auto& target : targets) {
        EXPECT_EQ(DecodeDelta(base, EncodeDelta(base, target)), target);
        EXPECT_EQ(DecodeDelta({}, EncodeDelta({}, target)), target);
    }
    // The same state costs a few bytes; the edited one little more than its new bytes.
    EXPECT_LT(EncodeDelta(base, base).size(), 8u);
    EXPECT_LT(EncodeDelta(base, edited).size(), 37u + 60u);
}

TEST(UndoDelta, AChangeRepeatedAlongAShiftedStretchStaysCheap) {
    // Records of 70 bytes whose two-byte tag all change, and the first record gone: what
    // deleting a vertex does to the edge records after it.
    std::vector<std::uint8_t> base = RandomBytes(70 * 2000, 3), target;
    for (std::size_t r = 0; r < 2000; ++r) {
        base[r * 70] = 0x05;
        base[r * 70 + 1] = 0x89;
    }
    target.assign(base.begin() + 70, base.end());
    for (std::size_t r = 0; r < 1999; ++r) target[r * 70] = 0x04;
    const std::vector<std::uint8_t> delta = EncodeDelta(base, target);
    EXPECT_EQ(DecodeDelta(base, delta), target);
    EXPECT_LT(delta.size(), target.size() / 12);
}

TEST(UndoDelta, ADifferenceThatDoesNotFitItsBaseIsRefused) {
    const std::vector<std::uint8_t> base = RandomBytes(100, 4);
    const std::vector<std::uint8_t> delta = EncodeDelta(base, base);
    EXPECT_THROW(DecodeDelta(std::span(base).first(50), delta), std::runtime_error);
    const std::vector<std::uint8_t> truncated(delta.begin(), delta.end() - 1);
    EXPECT_THROW(DecodeDelta(base, truncated), std::runtime_error);
}

TEST(UndoDelta, PatchesAreUndoneExactlyWhateverTheirLengths) {
    const std::vector<std::uint8_t> state = RandomBytes(300, 5);
    auto bytes = [](std::size_t n, std::uint8_t fill) { return std::vector<std::uint8_t>(n, fill); };
    const std::vector<std::vector<StatePatch>> cases = {
        {},                                                      // nothing changed
        {{10, 4, bytes(4, 1)}, {200, 8, bytes(8, 2)}},            // records rewritten in place
        {{0, 3, bytes(5, 3)}, {3, 2, bytes(0, 0)}},               // at the start, touching
        {{50, 0, bytes(7, 4)}, {120, 30, bytes(2, 5)}},           // inserted, then shortened
        {{290, 10, bytes(12, 6)}},                               // up to the end, longer
        {{0, 300, bytes(1, 7)}},                                 // everything
    };
    for (std::size_t c = 0; c < cases.size(); ++c) {
        // What the patches should give, made the plain way.
        std::vector<std::uint8_t> expected;
        std::size_t pos = 0;
        for (const StatePatch& p : cases[c]) {
            expected.insert(expected.end(), state.begin() + pos, state.begin() + p.offset);
            expected.insert(expected.end(), p.bytes.begin(), p.bytes.end());
            pos = p.offset + p.length;
        }
        expected.insert(expected.end(), state.begin() + pos, state.end());

        const std::vector<std::uint8_t> undo = EncodeUnpatch(state, cases[c]);
        std::vector<std::uint8_t> patched = state;
        ApplyPatches(patched, cases[c]);
        ASSERT_EQ(patched, expected) << c;
        EXPECT_EQ(DecodeDelta(patched, undo), state) << c;
        // The replaced bytes and a few of bookkeeping, not the state.
        std::size_t replaced = 0;
        for (const StatePatch& p : cases[c]) replaced += p.length;
        EXPECT_LE(undo.size(), replaced + 6 * (cases[c].size() + 1)) << c;
    }
    EXPECT_THROW(EncodeUnpatch(state, std::vector<StatePatch>{{100, 5, {}}, {90, 1, {}}}), std::invalid_argument);
}

TEST(UndoStorage, UndoAndRedoGiveBackExactlyTheStoredStates) {
    TestDoc t;
    BuildGrid(t, 20);
    t.d().CheckPoint();
    std::mt19937 rng(3);
    std::vector<std::vector<std::uint8_t>> states{WriteDocument(t.d())};
    for (int i = 0; i < 150; ++i) {
        RandomEdit(t, rng);
        states.push_back(WriteDocument(t.d()));
    }
    // Every stored snapshot is the state written at its checkpoint, newest first.
    const auto stored = t.d().UndoListBytes();
    ASSERT_GE(stored.size(), states.size());
    for (std::size_t k = 0; k < states.size(); ++k) ASSERT_EQ(stored[k], states[states.size() - 1 - k]) << k;

    // Undo all the way back, then redo half of it; every reload writes the stored state.
    for (std::size_t k = states.size() - 1; k > 0; --k) {
        t.d().OnEditUndo();
        ASSERT_EQ(WriteDocument(t.d()), states[k - 1]) << k;
    }
    for (std::size_t k = 1; k <= 75; ++k) {
        t.d().OnEditRedo();
        ASSERT_EQ(WriteDocument(t.d()), states[k]) << k;
    }
    const auto redo = t.d().RedoListBytes();
    ASSERT_EQ(redo.size(), states.size() - 76);
    for (std::size_t k = 0; k < redo.size(); ++k) EXPECT_EQ(redo[k], states[76 + k]);
}

TEST(UndoStorage, FiveHundredLevelsKeepTheNewestStatesExactly) {
    TestDoc t;
    BuildGrid(t, 6);
    t.d().CheckPoint();
    std::mt19937 rng(4);
    std::vector<std::vector<std::uint8_t>> states;
    for (int i = 0; i < 620; ++i) {
        RandomEdit(t, rng);
        states.push_back(WriteDocument(t.d()));
    }
    EXPECT_EQ(t.d().UndoDepth(), 501u);
    const auto stored = t.d().UndoListBytes();
    // The oldest kept state is the one of 500 edits ago.
    EXPECT_EQ(stored.back(), states[states.size() - 501]);
    int steps = 0;
    while (t.d().CanUndo()) {
        t.d().OnEditUndo();
        ++steps;
    }
    EXPECT_EQ(steps, 500);
    EXPECT_EQ(WriteDocument(t.d()), states[states.size() - 501]);
}

TEST(UndoStorage, SmallEditsOfABigDocumentCostLittle) {
    TestDoc t;
    BuildGrid(t, 50); // 2500 vertices, 4900 edges
    t.d().CheckPoint();
    const std::size_t one = t.d().StoredBytes();
    std::mt19937 rng(5);
    for (int i = 0; i < 200; ++i) RandomEdit(t, rng);
    const std::size_t whole = t.d().SnapshotBytes();
    const std::size_t stored = t.d().StoredBytes();
    // 200 edits, each a few chunks, against 200 whole copies.
    EXPECT_LT(stored, whole / 20);
    EXPECT_LT(stored, 4 * one);

    // A checkpoint after undo steps drops the chunks that only the redo states used.
    for (int i = 0; i < 100; ++i) t.d().OnEditUndo();
    const std::size_t withRedo = t.d().StoredBytes();
    t.d().CheckPoint();
    EXPECT_EQ(t.d().RedoDepth(), 0u);
    EXPECT_LT(t.d().StoredBytes(), withRedo);
}
