// The undo steps of the level planar drawing hold exactly the document as it is written
// after each exchange, across components, messages and renamed vertices.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "io/DocumentFormat.h"
#include "level/ComponentExchangeGraph.h"
#include "model/HeadlessPlatform.h"
#include "model/LattixDoc.h"

namespace {

// Writes the whole document at every pause of an animated drawing (right after each
// exchange, before its checkpoint) and at every message (right after the checkpoint that
// comes before it).
class RecordingPlatform : public HeadlessPlatform {
public:
    void Sleep(int ms) override {
        HeadlessPlatform::Sleep(ms);
        states.push_back(WriteDocument(*doc));
    }
    void ShowMessage(std::string_view text, MessageIcon icon) override {
        HeadlessPlatform::ShowMessage(text, icon);
        states.push_back(WriteDocument(*doc));
    }
    CLattixDoc* doc = nullptr;
    std::vector<std::vector<std::uint8_t>> states;
};

struct Drawing {
    RecordingPlatform platform;
    CLattixDoc doc{platform};
    CLattixView view;

    explicit Drawing(const std::vector<std::uint8_t>& file) {
        platform.doc = &doc;
        doc.AddView(&view);
        platform.m_activeView = &view;
        doc.OpenFromBytes(file);
    }

    void Draw(bool animate) {
        platform.states.clear();
        platform.m_drawAnswers.push_back(DrawDialogValues{animate, "0"});
        doc.OnDrawLevelPlanarGraph();
    }
};

CVertex* Add(CLattixDoc& doc, int track, int x, const std::string& name) {
    auto* v = new CVertex(x, track * 30, ColorIdToRgb(kColorIdBlue));
    v->m_trackNumber = track;
    v->m_name = name;
    doc.AddElement(v);
    return v;
}

void Join(CLattixDoc& doc, CVertex* a, CVertex* b) { doc.AddElement(new CEdge(a, b, kEdgeBlue)); }

// Zigzag ladders over three tracks, level planar in one order only (and its mirror image),
// made in shuffled order so that the drawing has to exchange many of their vertices. Among them: a
// lone edge that needs no exchange but is moved by the spreading, K2,2 (not level planar),
// and vertices whose names the drawing cuts at the underscore, which shortens their records.
std::vector<std::uint8_t> ManyComponents() {
    HeadlessPlatform platform;
    CLattixDoc doc(platform);
    doc.OnNewDocument();
    std::mt19937 rng(11);
    for (int k = 0; k < 16; ++k) {
        // One component has more exchanges than undo keeps, so its first ones are not stored.
        const int width = k == 3 ? 45 : 7;
        if (k == 6) Join(doc, Add(doc, 1, 9000, "lone_a"), Add(doc, 2, 9100, "lone_b"));
        if (k == 9) {
            CVertex* a[2] = {Add(doc, 1, 8000, "p"), Add(doc, 1, 8030, "q")};
            CVertex* b[2] = {Add(doc, 2, 8000, "r"), Add(doc, 2, 8030, "s")};
            for (CVertex* x : a)
                for (CVertex* y : b) Join(doc, x, y);
        }
        // The drawing spreads each track in element order, so the order of creation is
        // what is shuffled.
        std::vector<std::vector<CVertex*>> tracks(3, std::vector<CVertex*>(width));
        for (int t = 0; t < 3; ++t) {
            std::vector<int> order(width);
            for (int i = 0; i < width; ++i) order[i] = i;
            for (int i = width - 1; i > 0; --i) std::swap(order[i], order[rng() % (i + 1)]);
            for (int i : order) {
                const std::string name = (k == 12 ? "c_" : "c") + std::to_string(k * 100 + t * 10 + i);
                tracks[t][i] = Add(doc, t + 1, 60 + 30 * i + 1500 * k, name);
            }
        }
        for (int t = 0; t + 1 < 3; ++t)
            for (int i = 0; i < width; ++i) {
                Join(doc, tracks[t][i], tracks[t + 1][i]);
                if (i + 1 < width) Join(doc, tracks[t][i], tracks[t + 1][i + 1]);
            }
    }
    return WriteDocument(doc);
}

TEST(DrawLevelPlanarGraph, UndoStepsHoldTheDocumentAsWrittenAfterEachExchange) {
    const std::vector<std::uint8_t> file = ManyComponents();
    Drawing animated(file);
    animated.Draw(true);
    ASSERT_EQ(animated.platform.m_messages, std::vector<std::string>{"The graph is not level planar"});
    // Enough exchanges that the oldest fall out of the 500 undo levels.
    std::vector<std::vector<std::uint8_t>> expected = animated.platform.states;
    ASSERT_GT(expected.size(), 600u);
    expected.push_back(WriteDocument(animated.doc));
    std::reverse(expected.begin(), expected.end());

    Drawing plain(file);
    plain.Draw(false);
    for (CLattixDoc* doc : {&animated.doc, &plain.doc}) {
        const auto stored = doc->UndoListBytes();
        ASSERT_EQ(stored.size(), 501u);
        for (std::size_t k = 0; k < stored.size(); ++k) ASSERT_EQ(stored[k], expected[k]) << k;
    }

    // Walking back and forth reloads the same states.
    for (std::size_t k = 1; k <= 120; ++k) {
        plain.doc.OnEditUndo();
        ASSERT_EQ(WriteDocument(plain.doc), expected[k]) << k;
    }
    for (std::size_t k = 120; k >= 60; --k) {
        ASSERT_EQ(WriteDocument(plain.doc), expected[k]) << k;
        plain.doc.OnEditRedo();
    }
}

} // namespace
