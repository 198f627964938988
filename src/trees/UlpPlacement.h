#pragma once
// What the three ULP tree layouts share: columns and tracks turned into document
// positions in the active editor view, hiding the tree and revealing it element by element,
// and the animation pause after each placement.

#include <cstdint>
#include <vector>

class CLattixDoc;
class CLattixView;
class CVertex;
class CEdge;
struct AlgorithmWorkspace;

class UlpPlacer {
public:
    // Works on the document's extracted component (m_compVertices, m_compEdges).
    UlpPlacer(AlgorithmWorkspace& ws, CLattixView& view);

    std::int32_t Sx() const { return m_sx; }
    std::int32_t Sy() const { return m_sy; }
    // x of a column counted from x0; coordinates far off the canvas saturate instead of
    // wrapping around.
    std::int32_t ColumnX(std::int64_t x0, std::int64_t column) const;
    std::int32_t TrackY(std::int64_t track) const;

    void HideComponent();
    void RevealComponent();
    // Puts v at (x, its track's y) with the view's guide rules, marks it placed and
    // reveals it together with the edge it was reached by (if any).
    void Place(CVertex* v, std::int32_t x, CEdge* via = nullptr);
    // With animation on: repaint and pause for the step delay.
    void Step();
    // The largest centre x of the component, or `none` when it has no vertex.
    std::int32_t LargestCentreX(std::int32_t none) const;

    CLattixDoc& Doc() const;
    CLattixView& View() const { return m_view; }
    AlgorithmWorkspace& Workspace() const { return m_ws; }

private:
    AlgorithmWorkspace& m_ws;
    CLattixView& m_view;
    std::int32_t m_sx, m_sy;
};

// Saturating conversion for coordinates computed in 64 bits.
std::int32_t ClampToInt32(std::int64_t value);
