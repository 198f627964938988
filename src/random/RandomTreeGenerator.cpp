#include "random/RandomTreeGenerator.h"

#include <algorithm>
#include <string>

#include "model/LattixDoc.h"
#include "random/TreeCounts.h"
#include "random/WilfSampler.h"

namespace {

// n! fits in 64 bits up to 20.
constexpr int kMaxExactFactorial = 20;
constexpr std::uint16_t kTreeEdgeColor = kEdgeBlack;

// Row and column positions are products of a grid step and a count; a huge step from the
// guides dialog must not overflow the placement arithmetic.
std::int32_t GridCoordinate(std::int64_t index, std::int32_t step) {
    constexpr std::int64_t kLimit = std::int64_t(1) << 30;
    return std::int32_t(std::clamp(index * std::int64_t(step), -kLimit, kLimit));
}

std::uint64_t Factorial(int n) {
    std::uint64_t f = 1;
    for (int i = 2; i <= n; ++i) f *= std::uint64_t(i);
    return f;
}

} // namespace

RandomTreeGenerator::RandomTreeGenerator(GeneratedTree& out, LcgRandom& random, RandomTreeOptions options,
                                         IProgress* progress)
    : m_light(&out), m_lightProgress(progress), m_random(random), m_options(options) {}

RandomTreeGenerator::RandomTreeGenerator(CLattixDoc& doc, LcgRandom& random, RandomTreeOptions options)
    : m_doc(&doc), m_random(random), m_options(options) {
    // The first view sets the grid steps and the guides. A first view that is not an editor
    // (a PQ-tree window) would place nothing at all and leave the new vertices piled up at
    // the origin, so the vertices are then placed without guides on the default grid.
    if (!doc.Views().empty() && doc.Views().front()->IsEditorView()) {
        auto* view = static_cast<CLattixView*>(doc.Views().front());
        m_grid = {view, view->m_xSeparation, view->m_ySeparation};
    }
}

RandomTreeGenerator::~RandomTreeGenerator() = default;

CountArithmetic RandomTreeGenerator::ArithmeticFor(RandomTreeMethod method, int n) const {
    int limit = 0;
    switch (method) {
    case RandomTreeMethod::Rooted:
    case RandomTreeMethod::FreeFromRooted: limit = kMaxFixed64Ranrut; break;
    case RandomTreeMethod::Wilf: limit = kMaxFixed64Wilf; break;
    case RandomTreeMethod::FreeFromLabeled: limit = kMaxExactFactorial; break;
    case RandomTreeMethod::Labeled: limit = kMaxRandomTreeSize; break;
    }
    if (n > limit) return CountArithmetic::Wide;
    return m_options.arithmetic.value_or(CountArithmetic::Fixed64);
}

GenerateOutcome RandomTreeGenerator::Generate(RandomTreeMethod method, int n) {
    if (n < kMinRandomTreeSize || n > kMaxRandomTreeSize) return GenerateOutcome::Cancelled;
    if (m_light) {
        *m_light = {};
        m_lightIndex.clear();
    }
    switch (method) {
    case RandomTreeMethod::Labeled: RandomLabeledTree(n); return GenerateOutcome::Added;
    case RandomTreeMethod::Rooted: RandomRootedTree(n); return GenerateOutcome::Added;
    case RandomTreeMethod::FreeFromLabeled: return FreeTreeFromLabeled(n);
    case RandomTreeMethod::FreeFromRooted: return FreeTreeFromRooted(n);
    case RandomTreeMethod::Wilf: FreeTreeWilf(n); return GenerateOutcome::Added;
    }
    return GenerateOutcome::Cancelled;
}

// ---------------------------------------------------------------- placing

void RandomTreeGenerator::AddGenerated(CElement* element) { m_doc->AddElement(element); }

void RandomTreeGenerator::PlaceOnRow(CVertex* v, std::int32_t column, std::int32_t row) {
    v->PlaceAt(GridCoordinate(column, m_grid.x), GridCoordinate(row, m_grid.y), m_grid.view, true);
}

// ---------------------------------------------------------------- labeled trees

void RandomTreeGenerator::RandomLabeledTree(int n) {
    DrawPruferSequence(m_random, n, m_sequence);
    BuildPruferTree(m_sequence, n, nullptr, nullptr, true);
}

void RandomTreeGenerator::BuildPruferTree(const std::vector<std::int32_t>& sequence, int n,
                                          std::vector<CVertex*>* vertices, std::vector<CEdge*>* edges,
                                          bool addToDocument) {
    m_columns.resize(std::size_t(n));
    for (std::int32_t& column : m_columns) column = std::int32_t(m_random.Below(std::uint32_t(n)));
    DecodePrufer(sequence, n, m_edges, m_scratch);
    MakePruferElements(n, m_columns, m_edges, vertices, edges, addToDocument);
}

void RandomTreeGenerator::MakePruferElements(int n, const std::vector<std::int32_t>& columns,
                                             const std::vector<TreeEdge>& edges, std::vector<CVertex*>* vertices,
                                             std::vector<CEdge*>* edgeList, bool addToDocument) {
    if (m_light) {
        // A new document's current colour, blue.
        for (int i = 0; i < n; ++i) {
            m_light->columns.push_back(columns[i] + 1);
            m_light->rows.push_back(i + 1);
            m_light->tracks.push_back(i + 1);
            m_light->colors.push_back(ColorIdToRgb(kColorIdBlue));
        }
        for (const TreeEdge& e : edges) m_light->edges.emplace_back(e.first, e.second);
        return;
    }
    std::vector<CVertex*> made(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        auto* v = new CVertex(GridCoordinate(columns[i] + 1, m_grid.x), GridCoordinate(i + 1, m_grid.y),
                              m_doc->m_currentColor);
        made[i] = v;
        if (addToDocument) AddGenerated(v);
        if (vertices) vertices->push_back(v);
        v->m_name = std::to_string(i + 1);
        v->m_trackNumber = i + 1;
        PlaceOnRow(v, columns[i] + 1, i + 1);
    }
    for (const TreeEdge& e : edges) {
        auto* edge = new CEdge(made[e.first], made[e.second], kTreeEdgeColor);
        if (addToDocument) AddGenerated(edge);
        if (edgeList) edgeList->push_back(edge);
    }
}

GenerateOutcome RandomTreeGenerator::FreeTreeFromLabeled(int n) {
    // A free tree T is the shape of n! / |Aut T| labeled trees, so accepting a uniformly
    // random labeled tree with probability |Aut T| / n! makes every shape equally likely.
    const bool fixed = ArithmeticFor(RandomTreeMethod::FreeFromLabeled, n) == CountArithmetic::Fixed64;
    const double factorial = double(Factorial(std::min(n, kMaxExactFactorial)));
    const double log2Factorial = treecount::Log2Factorial(n);
    m_attempts = 0;
    m_progress.reset();
    GenerateOutcome stop{};
    for (;;) {
        if (!KeepTrying(n, stop)) return stop;
        DrawPruferSequence(m_random, n, m_sequence);
        m_columns.resize(std::size_t(n));
        for (std::int32_t& column : m_columns) column = std::int32_t(m_random.Below(std::uint32_t(n)));
        DecodePrufer(m_sequence, n, m_edges, m_scratch);
        const TreeSymmetry::Result symmetry = m_symmetry.Analyse(n, m_edges);
        const bool accept = fixed && symmetry.automorphismsExact
                                ? m_random.Bernoulli(double(symmetry.automorphisms) / factorial)
                                : m_random.BernoulliLog2(symmetry.log2Automorphisms - log2Factorial);
        if (accept) break;
    }
    m_progress.reset();
    // Every rejected tree would have taken its n + (n - 1) ids; the accepted one gets the
    // ids it would have had after them.
    if (m_doc) SkipIds(std::uint64_t(m_attempts - 1) * std::uint64_t(2 * n - 1));
    MakePruferElements(n, m_columns, m_edges, nullptr, nullptr, true);
    return GenerateOutcome::Added;
}

// ---------------------------------------------------------------- unlabeled trees

std::vector<CElement*> RandomTreeGenerator::Materialise() const {
    if (m_light) return {};
    std::vector<CElement*> elements(m_draft.Size());
    for (std::size_t i = 0; i < m_draft.Size(); ++i) {
        const TreeDraft::ItemData& item = m_draft[TreeDraft::Item(i)];
        if (item.IsEdge())
            elements[i] = new CEdge(elements[item.v1]->AsVertex(), elements[item.v2]->AsVertex(), kTreeEdgeColor);
        else
            elements[i] = new CVertex(0, 0, item.color);
    }
    return elements;
}

int RandomTreeGenerator::LayoutTree(TreeDraft::Chain chain, const std::vector<CElement*>& elements, int n,
                                    int firstNumber) {
    if (m_light) return LayoutLight(chain, n, firstNumber);
    int k = firstNumber;
    m_draft.ForEach(chain, [&](TreeDraft::Item item) {
        CElement* e = elements[item];
        AddGenerated(e);
        if (CVertex* v = e->AsVertex()) {
            const std::int32_t column = std::int32_t(m_random.Below(std::uint32_t(n))) + 1;
            v->m_name = std::to_string(k);
            v->m_trackNumber = k;
            PlaceOnRow(v, column, k + 1);
            ++k;
        }
    });
    return k;
}

CVertex* RandomTreeGenerator::RandomRootedTree(int n) {
    m_draft.Clear();
    RanrutSampler ranrut(m_random, m_draft, ArithmeticFor(RandomTreeMethod::Rooted, n));
    const TreeDraft::Chain tree = ranrut.Ranrut(n);
    const std::vector<CElement*> elements = Materialise();
    LayoutTree(tree, elements, n, 1);
    if (m_light) {
        FinishLight();
        return nullptr;
    }
    return elements[tree.head]->AsVertex();
}

int RandomTreeGenerator::LayoutLight(TreeDraft::Chain chain, int n, int firstNumber) {
    m_lightIndex.resize(m_draft.Size(), -1);
    int k = firstNumber;
    m_draft.ForEach(chain, [&](TreeDraft::Item item) {
        const TreeDraft::ItemData& d = m_draft[item];
        if (d.IsEdge()) {
            m_light->edges.emplace_back(d.v1, d.v2);
            return;
        }
        m_lightIndex[item] = std::int32_t(m_light->columns.size());
        m_light->columns.push_back(std::int32_t(m_random.Below(std::uint32_t(n))) + 1);
        m_light->rows.push_back(k + 1);
        m_light->tracks.push_back(k);
        m_light->colors.push_back(d.color);
        ++k;
    });
    return k;
}

void RandomTreeGenerator::FinishLight() {
    for (auto& [a, b] : m_light->edges) {
        a = m_lightIndex[a];
        b = m_lightIndex[b];
    }
}

void RandomTreeGenerator::DraftEdges(TreeDraft::Chain chain) {
    m_vertexNumber.assign(m_draft.Size(), -1);
    std::int32_t count = 0;
    m_draft.ForEach(chain, [&](TreeDraft::Item item) {
        if (!m_draft[item].IsEdge()) m_vertexNumber[item] = count++;
    });
    m_edges.clear();
    m_draft.ForEach(chain, [&](TreeDraft::Item item) {
        const TreeDraft::ItemData& d = m_draft[item];
        if (d.IsEdge()) m_edges.emplace_back(m_vertexNumber[d.v1], m_vertexNumber[d.v2]);
    });
}

GenerateOutcome RandomTreeGenerator::FreeTreeFromRooted(int n) {
    // A free tree with k vertex orbits is the shape of k distinct rooted trees, so accepting
    // a uniformly random rooted tree with probability 1 / k makes every shape equally likely.
    RanrutSampler ranrut(m_random, m_draft, ArithmeticFor(RandomTreeMethod::FreeFromRooted, n));
    m_attempts = 0;
    m_progress.reset();
    GenerateOutcome stop{};
    TreeDraft::Chain tree;
    for (;;) {
        if (!KeepTrying(n, stop)) return stop;
        m_draft.Clear();
        tree = ranrut.Ranrut(n);
        DraftEdges(tree);
        const TreeSymmetry::Result symmetry = m_symmetry.Analyse(n, m_edges);
        if (m_random.Bernoulli(1.0 / double(symmetry.orbits))) break;
    }
    m_progress.reset();
    if (m_doc) SkipIds(std::uint64_t(m_attempts - 1) * std::uint64_t(2 * n - 1));
    LayoutTree(tree, Materialise(), n, 1);
    if (m_light) FinishLight();
    return GenerateOutcome::Added;
}

bool RandomTreeGenerator::KeepTrying(int n, GenerateOutcome& stop) {
    if (m_options.maxAttempts > 0 && m_attempts >= m_options.maxAttempts) {
        stop = GenerateOutcome::AttemptLimitReached;
        return false;
    }
    // Report about every millisecond of work; the window comes up only once the first
    // stretch of attempts has found nothing.
    const std::int64_t stride = std::max(1, 4096 / n);
    if (m_attempts > 0 && m_attempts % stride == 0 && (m_doc || m_lightProgress)) {
        if (!m_progress && m_doc) m_progress = m_doc->Platform().BeginProgress("Generating a random free tree", 0);
        IProgress* progress = m_progress ? m_progress.get() : m_lightProgress;
        if (!progress->Update(m_attempts)) {
            m_progress.reset();
            stop = GenerateOutcome::Cancelled;
            return false;
        }
    }
    ++m_attempts;
    return true;
}

void RandomTreeGenerator::FreeTreeWilf(int n) {
    m_draft.Clear();
    WilfSampler wilf(m_random, m_draft, ArithmeticFor(RandomTreeMethod::Wilf, n));
    const WilfSampler::Result tree = wilf.FreeTreeWilf(n);
    const std::vector<CElement*> elements = Materialise();
    if (!tree.bicentroidal) {
        LayoutTree(tree.first, elements, n, 1);
        if (m_light) FinishLight();
        return;
    }
    const int next = LayoutTree(tree.first, elements, n, 1);
    LayoutTree(tree.second, elements, n, next);
    if (m_light) {
        const TreeDraft::ItemData& link = m_draft[tree.link];
        m_light->edges.emplace_back(link.v1, link.v2);
        FinishLight();
        m_light->colors[m_light->edges.back().first] = kBicentroidColor;
        m_light->colors[m_light->edges.back().second] = kBicentroidColor;
        return;
    }
    CEdge* link = elements[tree.link]->AsEdge();
    AddGenerated(link);
    link->m_v1->SetColor(kBicentroidColor);
    link->m_v2->SetColor(kBicentroidColor);
}
