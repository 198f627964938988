#pragma once
// Graph elements: vertices and edges of a document, their geometry and ids.
//
// A bent edge is a chain of ordinary edges through bend vertices (`m_isBend`),
// so the element classes know nothing about bends beyond the chain walks below.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/Colors.h"
#include "model/ElementName.h"
#include "model/Geometry.h"

class CElement;
class CVertex;
class CEdge;
class CDocView;
class ElementList;
class SelectionList;

// The id counter shared by every document of the run. It only ever grows.
extern std::uint32_t g_nextId;
// Ids from files stay below this, so that a damaged file cannot use up the ids of the run.
inline constexpr std::uint32_t kLoadedIdCeiling = 0xC0000000u;
// Raises g_nextId past an id read from a file (ids from the ceiling on are renumbered).
void NoteLoadedId(std::uint32_t id);
// The next element id.
std::uint32_t NewElementId();
// Moves g_nextId on by `count` ids, as if that many elements had been made (and dropped).
void SkipIds(std::uint64_t count);

enum class ElementKind : std::uint8_t { Vertex, Edge };

// Members are ordered by size so that nothing is padded: a graph holds millions of these.
class CElement {
    friend class ElementList;
    friend class SelectionList;
    // Links of the owning list, kept by that list so that removal is constant time and a
    // walk touches only the elements themselves. A selection keeps its links on its own
    // side (most elements are in none) and leaves here only itself and a slot number.
    CElement* m_prevInList = nullptr;
    CElement* m_nextInList = nullptr;
    const ElementList* m_owner = nullptr;
    SelectionList* m_selOwner = nullptr;

public:
    CElement(const CElement&) = delete;
    CElement& operator=(const CElement&) = delete;

    ElementKind Kind() const { return m_kind; }
    bool IsVertex() const { return m_kind == ElementKind::Vertex; }
    bool IsEdge() const { return m_kind == ElementKind::Edge; }
    inline CVertex* AsVertex();
    inline CEdge* AsEdge();
    inline const CVertex* AsVertex() const;
    inline const CEdge* AsEdge() const;

    // No virtual functions: a two-kind hierarchy dispatches on the tag and saves the
    // vtable pointer in every element. Destroy with DestroyElement.
    inline void MoveEndTo(std::int32_t x, std::int32_t y); // edges only
    inline void ResizeTo(std::int32_t x, std::int32_t y, std::int32_t ignored); // vertices only
    inline void ResetOffset(); // vertices only
    void SetColor(Rgb color) { m_color = color; }

    // m_rect moved by a vertex's m_offset; every geometric use goes through it.
    inline Rect GetRect() const;
    void SetName(std::string_view name) { m_name = name; }

    Rect m_rect;
    Rgb m_color = 0;
    Rgb m_highlight = kNoHighlight;
    std::uint32_t m_id = 0;

private:
    std::int32_t m_ownerSeq = 0; // grows along the owning list; compares list positions

public:
    ElementName m_name;

private:
    std::uint32_t m_selSlot = 0; // where the selection keeps this element's links
    const ElementKind m_kind; // a plain tag: list walks ask for it constantly

public:
    // The last bytes of an element: the derived classes begin in the padding after them.
    bool m_selected = true;
    std::uint8_t m_mark = 0;
    bool m_hidden = false;

protected:
    explicit CElement(ElementKind kind) : m_kind(kind) {}
    ~CElement();

};

class CVertex final : public CElement {
public:
    CVertex(); // used when loading; takes no id
    CVertex(std::int32_t x, std::int32_t y, Rgb color);
    ~CVertex();
    static void* operator new(std::size_t size); // from VertexPool() (model/ElementPool.h)
    static void operator delete(void* p) noexcept;

    void ResizeTo(std::int32_t x, std::int32_t y, std::int32_t ignored);
    void ResetOffset() { m_offset = {}; }

    void SetRadius(std::int32_t r);
    // Sets the centre and applies the guide rules of `view` (snapping, locking to the
    // track, coloured tracks, the canvas border) through m_offset. No view: no guides.
    void PlaceAt(std::int32_t x, std::int32_t y, CDocView* view, bool updateEdges = true);
    // Recomputes the attachment points of the incident edges from centres, offsets and m_radius.
    void UpdateIncidentEdges();
    // A clone 50 units right and down with a new id; the caller owns it and keeps
    // whatever link to this vertex it needs.
    CVertex* Clone(bool appendPrime) const;
    // Number of distinct neighbours; a self-loop counts its vertex once.
    std::vector<CVertex*> DistinctNeighbours() const;
    std::size_t Degree() const { return m_edges.size(); }

    std::int32_t m_radius = 10;
    bool m_isBend = false;
    std::vector<CEdge*> m_edges; // adjacency order; a self-loop is listed twice
    ElementName m_exportName;
    Point m_center;
    Point m_offset; // where the guides moved the centre; edges never move on their own
    Point m_grabOffset;
    std::int32_t m_level = 0;
    std::int32_t m_spareValue = 0;
    std::int32_t m_trackNumber = 0;
    std::int32_t m_stNumber = 0;
};

class CEdge final : public CElement {
public:
    CEdge(); // used when loading; takes no id
    // A real edge: new id, selected, registered with both endpoints.
    CEdge(CVertex* a, CVertex* b, std::uint16_t code);
    // The same with its parallel lane already known (the number of edges made before it
    // between the two vertices), for graphs built in bulk.
    CEdge(CVertex* a, CVertex* b, std::uint16_t code, std::int32_t lane);
    // The temporary edge that follows the pointer while an edge is drawn: no id,
    // not selected, not registered, no second vertex.
    CEdge(CVertex* a, std::int32_t x, std::int32_t y, std::uint16_t code);
    ~CEdge();
    static void* operator new(std::size_t size); // from EdgePool() (model/ElementPool.h)
    static void operator delete(void* p) noexcept;

    void MoveEndTo(std::int32_t x, std::int32_t y) { m_end = {x, y}; }

    void ComputeAttachment();
    void AssignParallelIndex(bool registerWithEnds);
    void ReleaseParallelIndex(bool unregisterFromEnds);
    void RecomputeRect() { m_rect = Rect::Spanning(m_start, m_end); }
    CVertex* Other(const CVertex* w) const;
    bool Joins(const CVertex* a, const CVertex* b) const {
        return (m_v1 == a && m_v2 == b) || (m_v1 == b && m_v2 == a);
    }
    bool IsSelfLoop() const { return m_v1 && m_v1 == m_v2; }

    // Bend chains: the walks run from each endpoint that is a bend.
    void SetHighlightAlongBends(Rgb color);
    void SetEdgeColor(std::uint16_t code);
    // Appends a new registered edge per chain step; the caller keeps or destroys them.
    void CollectBendChain(std::vector<CEdge*>& out);

    std::int32_t m_parallelIndex = 0;
    std::int32_t m_weight = 0;
    CVertex* m_v1 = nullptr;
    CVertex* m_v2 = nullptr;
    Point m_start;
    Point m_end;
    std::uint16_t m_edgeColor = 0;
    bool m_edgeMark = false;

    // Releases the endpoints without touching their adjacency lists; used when a whole
    // graph is torn down at once, where unregistering edge by edge would be wasted work.
    void ForgetEndpoints() { m_v1 = m_v2 = nullptr; }
};

inline CVertex* CElement::AsVertex() { return IsVertex() ? static_cast<CVertex*>(this) : nullptr; }
inline CEdge* CElement::AsEdge() { return IsEdge() ? static_cast<CEdge*>(this) : nullptr; }
inline const CVertex* CElement::AsVertex() const { return IsVertex() ? static_cast<const CVertex*>(this) : nullptr; }
inline const CEdge* CElement::AsEdge() const { return IsEdge() ? static_cast<const CEdge*>(this) : nullptr; }
inline Rect CElement::GetRect() const {
    const CVertex* v = AsVertex();
    return v ? m_rect.Offset(v->m_offset) : m_rect;
}
inline void CElement::MoveEndTo(std::int32_t x, std::int32_t y) {
    if (CEdge* e = AsEdge()) e->MoveEndTo(x, y);
}
inline void CElement::ResizeTo(std::int32_t x, std::int32_t y, std::int32_t ignored) {
    if (CVertex* v = AsVertex()) v->ResizeTo(x, y, ignored);
}
inline void CElement::ResetOffset() {
    if (CVertex* v = AsVertex()) v->ResetOffset();
}

// Destroys a vertex or an edge through a pointer to either.
inline void DestroyElement(CElement* e) {
    if (!e) return;
    if (CVertex* v = e->AsVertex()) delete v;
    else delete e->AsEdge();
}

// Point on the circle of radius r around `to`, seen from `from`, turned for parallel edges.
Point CirclePoint(Point from, Point to, std::int32_t radius, std::int32_t parallelIndex);
// The three arrowhead points (barbs A and B, base D) for a directed edge ending at `to`.
struct ArrowPoints { Point a, b, d; };
ArrowPoints ComputeArrowPoints(Point from, Point to, double length);
