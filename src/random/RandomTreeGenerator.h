#pragma once
// The five random tree generators, run on a document: they build a tree, lay it out row by
// row and add its vertices and edges to the drawing (nothing is removed).
//
// The rejection samplers build their attempts in plain arrays and make document elements
// only for the accepted tree, so an attempt costs no allocation of elements and no ids.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "random/LcgRandom.h"
#include "random/PruferCode.h"
#include "random/RanrutSampler.h"
#include "random/TreeDraft.h"
#include "random/TreeSymmetry.h"

class CLattixDoc;
class CDocView;
class CElement;
class CVertex;
class CEdge;
class IProgress;

enum class RandomTreeMethod {
    Labeled,         // 32976, Prüfer sequence
    Rooted,          // 32991, RANRUT
    FreeFromLabeled, // 32992, rejection from labeled trees
    FreeFromRooted,  // 32993, rejection from rooted trees
    Wilf,            // 32994
};

enum class GenerateOutcome {
    Added,
    Cancelled,           // the dialog or the progress window was cancelled
    AttemptLimitReached, // a rejection sampler used up its attempts
};

struct RandomTreeOptions {
    // Attempts a rejection sampler may make; 0 for no limit.
    std::int64_t maxAttempts = 0;
    // The arithmetic on the counts; by default 64-bit where the counts fit, wide beyond.
    std::optional<CountArithmetic> arithmetic;
};

// A tree made without a document: its vertices in the order the command adds them, each
// with the grid column and row (in grid steps) the command places it on, its track number
// (which is also its name) and its colour; its edges, as vertex indices, in the order the
// command adds them.
struct GeneratedTree {
    std::vector<std::int32_t> columns, rows, tracks;
    std::vector<Rgb> colors;
    std::vector<std::pair<std::int32_t, std::int32_t>> edges;
};

inline constexpr int kMinRandomTreeSize = 3;
inline constexpr int kMaxRandomTreeSize = 1000;

class RandomTreeGenerator {
public:
    RandomTreeGenerator(CLattixDoc& doc, LcgRandom& random, RandomTreeOptions options = {});
    // Without a document: the trees go to `out` (cleared first by Generate), drawn exactly
    // as on a document; `progress`, when given, may cancel a rejection sampler.
    RandomTreeGenerator(GeneratedTree& out, LcgRandom& random, RandomTreeOptions options = {},
                        IProgress* progress = nullptr);
    ~RandomTreeGenerator();
    RandomTreeGenerator(const RandomTreeGenerator&) = delete;
    RandomTreeGenerator& operator=(const RandomTreeGenerator&) = delete;

    //! Adds a random tree on n vertices (3 .. 1000) made by `method`.
    GenerateOutcome Generate(RandomTreeMethod method, int n);

    void RandomLabeledTree(int n);
    //! Returns the root vertex (none without a document).
    CVertex* RandomRootedTree(int n);
    GenerateOutcome FreeTreeFromLabeled(int n);
    GenerateOutcome FreeTreeFromRooted(int n);
    void FreeTreeWilf(int n);

    //! Makes the tree of a Prüfer sequence: vertex i on row i + 1 in a random column, named
    //! i + 1 with track number i + 1, then the edges. The elements go to the lists given and,
    //! when asked, to the document.
    void BuildPruferTree(const std::vector<std::int32_t>& sequence, int n, std::vector<CVertex*>* vertices,
                         std::vector<CEdge*>* edges, bool addToDocument);

    //! The arithmetic a method uses at size n.
    CountArithmetic ArithmeticFor(RandomTreeMethod method, int n) const;
    //! Attempts made by the last rejection sampler run.
    std::int64_t Attempts() const { return m_attempts; }

private:
    struct Grid {
        CDocView* view = nullptr; // the view whose guides apply, or none
        std::int32_t x = 30, y = 30;
    };

    // Creates the vertices of a Prüfer tree in their columns, then its edges.
    void MakePruferElements(int n, const std::vector<std::int32_t>& columns, const std::vector<TreeEdge>& edges,
                            std::vector<CVertex*>* vertices, std::vector<CEdge*>* edgeList, bool addToDocument);
    // Elements for every item of the draft, made in item order (that is, in id order).
    std::vector<CElement*> Materialise() const;
    // Adds the elements of a chain in order and places the k-th vertex met on row k + 1 with
    // name and track number k, counting from firstNumber; returns the next number.
    int LayoutTree(TreeDraft::Chain chain, const std::vector<CElement*>& elements, int n, int firstNumber);
    void AddGenerated(CElement* element);
    void PlaceOnRow(CVertex* v, std::int32_t column, std::int32_t row);
    // The edges of the draft tree in `chain` over vertex numbers 0 .. count - 1.
    void DraftEdges(TreeDraft::Chain chain);
    // Progress of a rejection loop; false when it has to stop without a tree.
    bool KeepTrying(int n, GenerateOutcome& stop);
    // Without a document: the vertices of a chain laid out as LayoutTree lays them out, the
    // edges noted by their draft items until FinishLight names their ends.
    int LayoutLight(TreeDraft::Chain chain, int n, int firstNumber);
    void FinishLight();

    CLattixDoc* m_doc = nullptr;
    GeneratedTree* m_light = nullptr;
    IProgress* m_lightProgress = nullptr;
    std::vector<std::int32_t> m_lightIndex; // by draft item: the vertex index in m_light
    LcgRandom& m_random;
    RandomTreeOptions m_options;
    Grid m_grid;

    TreeDraft m_draft;
    TreeSymmetry m_symmetry;
    std::vector<std::int32_t> m_sequence, m_columns, m_scratch, m_vertexNumber;
    std::vector<TreeEdge> m_edges;
    std::int64_t m_attempts = 0;
    std::unique_ptr<IProgress> m_progress;
};
