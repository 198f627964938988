#include "io/DocumentFormat.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <limits>
#include <optional>
#include <system_error>
#include <tuple>
#include <unordered_map>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "io/Archive.h"
#include "io/ParallelLanes.h"
#include "model/ElementPool.h"
#include "model/PagePrefaulter.h"
#include "model/ReleaseStorage.h"
#include "trees/Crossings.h"

namespace {

constexpr std::uint16_t kSchema = 18;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint32_t kBigClassTag = 0x80000000;

const char kVertexClass[] = "CVertex";
const char kEdgeClass[] = "CEdge";

// ------------------------------------------------------------------ writing

class DocumentWriter {
public:
    explicit DocumentWriter(std::size_t elementCount) : m_ar(64 + elementCount * 72) {}

    std::vector<std::uint8_t> Write(const CLattixDoc& doc, DocumentRecords* records = nullptr) {
        m_ar.PutU32(kDocumentMagic);
        m_ar.PutU32(kDocumentVersion);

        // An edge still being dragged out has no second vertex and is not part of the graph.
        std::uint32_t count = 0;
        for (const CElement* e : doc.m_elements)
            if (IsWritten(e)) ++count;
        m_ar.PutCount(count);
        auto ahead = doc.m_elements.begin();
        for (std::size_t i = 0; i < kAhead && ahead != doc.m_elements.end(); ++i) ++ahead;
        for (const CElement* e : doc.m_elements) {
            if (ahead != doc.m_elements.end()) PrefetchReferences(*ahead), ++ahead;
            if (!IsWritten(e)) continue;
            if (const CVertex* v = e->AsVertex()) {
                PutClass(m_vertexClass, kVertexClass);
                if (records) records->Begin(e, m_ar.Size());
                PutVertex(*v);
            } else {
                PutClass(m_edgeClass, kEdgeClass);
                if (records) records->Begin(e, m_ar.Size());
                PutEdge(*e->AsEdge());
            }
            if (records) records->ends.push_back(m_ar.Size());
            ++m_counter; // the object's own number
        }
        if (records) records->settingsStart = m_ar.Size();
        PutSettings(doc);
        return m_ar.Take();
    }

    std::vector<std::uint8_t> WriteRecord(const CElement& e) {
        if (const CVertex* v = e.AsVertex()) PutVertex(*v);
        else PutEdge(*e.AsEdge());
        return m_ar.Take();
    }

    std::vector<std::uint8_t> WriteSettings(const CLattixDoc& doc) {
        PutSettings(doc);
        return m_ar.Take();
    }

private:
    void PutSettings(const CLattixDoc& doc) {
        const GuideSettings guides = doc.SavedGuides();
        m_ar.PutU32(doc.m_currentColor);
        m_ar.PutU16(doc.m_tool);
        m_ar.PutI32(doc.m_zoomIndex);
        m_ar.PutBool(doc.m_directed);
        m_ar.PutBool(doc.m_showStNumber);
        m_ar.PutU8(0);
        m_ar.PutU8(0);
        m_ar.PutBool(doc.m_showName);
        m_ar.PutBool(doc.m_showWeight);
        m_ar.PutI32(guides.m_guideMode);
        m_ar.PutBool(guides.m_snapToGuides);
        m_ar.PutI32(guides.m_xSeparation);
        m_ar.PutI32(guides.m_ySeparation);
        m_ar.PutI32(doc.m_labelCounter);
        m_ar.PutBool(guides.m_lockToTracks);
        m_ar.PutBool(doc.m_showTrack);
        m_ar.PutU16(doc.m_altMode);
        m_ar.PutBool(doc.m_ulpMode);
        m_ar.PutBool(doc.m_upwardMode);
        m_ar.PutBool(doc.m_sefeMode);
    }

    // An element's record holds the ids of the elements it refers to, which lie anywhere in
    // memory: asking for those of the element some places ahead lets the waits overlap.
    static constexpr std::size_t kAhead = 8;
    [[gnu::always_inline]] static void PrefetchReferences(const CElement* e) {
#if defined(__GNUC__)
        if (const CEdge* edge = e->AsEdge()) {
            if (edge->m_v1) __builtin_prefetch(&edge->m_v1->m_id);
            if (edge->m_v2) __builtin_prefetch(&edge->m_v2->m_id);
        } else {
            const std::vector<CEdge*>& list = e->AsVertex()->m_edges;
            for (std::size_t i = 0; i < std::min<std::size_t>(list.size(), 8); ++i) __builtin_prefetch(&list[i]->m_id);
        }
#else
        (void)e;
#endif
    }

    static bool IsWritten(const CElement* e) {
        const CEdge* edge = e->AsEdge();
        return !edge || (edge->m_v1 && edge->m_v2);
    }

    // The first object of a class brings the class description; later ones refer to it.
    void PutClass(std::uint32_t& classNumber, const char* name) {
        if (classNumber == 0) {
            m_ar.PutU16(kNewClassTag);
            m_ar.PutU16(kSchema);
            const std::uint16_t len = static_cast<std::uint16_t>(std::char_traits<char>::length(name));
            m_ar.PutU16(len);
            for (std::uint16_t i = 0; i < len; ++i) m_ar.PutU8(static_cast<std::uint8_t>(name[i]));
            classNumber = m_counter++;
        } else if (classNumber < kBigObjectTag) {
            m_ar.PutU16(static_cast<std::uint16_t>(kClassTag + classNumber));
        } else {
            m_ar.PutU16(kBigObjectTag);
            m_ar.PutU32(kBigClassTag + classNumber);
        }
    }

    void PutElement(const CElement& e) {
        m_ar.PutString(e.m_name);
        m_ar.PutRect(e.m_rect);
        m_ar.PutBool(e.m_selected);
        m_ar.PutU32(e.m_color);
        m_ar.PutU32(e.m_highlight);
        m_ar.PutU32(e.m_id);
    }

    void PutVertex(const CVertex& v) {
        PutElement(v);
        m_ar.PutBool(v.m_selected);
        m_ar.PutI32(v.m_stNumber);
        m_ar.PutI32(v.m_level);
        m_ar.PutI32(0);
        m_ar.PutI32(v.m_spareValue);
        m_ar.PutPoint(v.m_center);
        m_ar.PutI32(v.m_radius);
        m_ar.PutI32(v.m_trackNumber);
        m_ar.PutBool(v.m_isBend);
        m_ar.PutU32(static_cast<std::uint32_t>(v.m_edges.size()));
        for (const CEdge* e : v.m_edges) m_ar.PutU32(e->m_id);
    }

    void PutEdge(const CEdge& e) {
        PutElement(e);
        m_ar.PutPoint(e.m_start);
        m_ar.PutPoint(e.m_end);
        m_ar.PutU16(e.m_edgeColor);
        m_ar.PutBool(e.m_selected);
        m_ar.PutI32(e.m_weight);
        m_ar.PutU32(e.m_v1->m_id);
        m_ar.PutU32(e.m_v2->m_id);
    }

    ArchiveWriter m_ar;
    std::uint32_t m_counter = 1;
    std::uint32_t m_vertexClass = 0;
    std::uint32_t m_edgeClass = 0;
};

// ------------------------------------------------------------------ reading

enum class ElementClass { Vertex, Edge };

std::int32_t Tame(std::int32_t v) { return std::clamp(v, -kCoordinateLimit, kCoordinateLimit); }
Point Tame(Point p) { return {Tame(p.x), Tame(p.y)}; }
Rect Tame(const Rect& r) { return {Tame(r.left), Tame(r.top), Tame(r.right), Tame(r.bottom)}; }

// A large load faults the element pools' pages in on a second thread while it reads.
class PrefaultedPools {
public:
    explicit PrefaultedPools(bool wanted) {
        if (!wanted || !ElementPool::kPooled || !PagePrefaulter::Supported()) return;
        try {
            m_prefaulter.emplace();
        } catch (const std::system_error&) {
            return; // no thread to be had: the pools fault their pages in themselves
        }
        VertexPool().SetPrefaulter(&*m_prefaulter);
        EdgePool().SetPrefaulter(&*m_prefaulter);
    }
    ~PrefaultedPools() {
        if (!m_prefaulter) return;
        VertexPool().DropPrefaulter(&*m_prefaulter);
        EdgePool().DropPrefaulter(&*m_prefaulter);
    }
    PrefaultedPools(const PrefaultedPools&) = delete;
    PrefaultedPools& operator=(const PrefaultedPools&) = delete;

private:
    std::optional<PagePrefaulter> m_prefaulter;
};

class DocumentReader {
    // One per id in the dense table: eight bytes, for a table that spans every element and
    // stands at the peak of a large load.
    struct IdSlot {
        // Of the last element with the id: its ordinal among the vertices for a vertex, its
        // place among the elements read for an edge.
        std::uint32_t last = 0;
        std::uint8_t count = 0; // elements with this id, counted up to 2
        bool vertex = false;    // of the last element, so that resolving need not visit it
    };
    static_assert(sizeof(IdSlot) <= 8);

public:
    DocumentReader(CLattixDoc& doc, std::span<const std::uint8_t> bytes) : m_doc(doc), m_ar(bytes) {}
    DocumentReader(CLattixDoc& doc, const ArchiveSource& source, std::uint64_t size, std::size_t chunk)
        : m_doc(doc), m_ar(source, size, chunk) {}

    LoadStatus Read() {
        try {
            if (m_ar.GetU32() != kDocumentMagic) return LoadStatus::WrongMagic;
            const std::uint32_t version = m_ar.GetU32();
            if (version < kOldestReadableVersion || version > kDocumentVersion) return LoadStatus::WrongVersion;
            ReadElements();
            ReadSettings(version);
        } catch (const ArchiveFormatError&) {
            return LoadStatus::FormatError;
        }
        ResolveEndIds();
        RenumberDamagedIds();
        // The id tables are done with: freed now, they do not stand beside the snapshot and
        // the count that starts on it below, at the peak of a large load.
        ReleaseStorage(m_denseIds);
        ReleaseStorage(m_byId);
        TakeSnapshotAndVertexList();
        RegisterEdges();
        ResetTransientState();
        ReturnFreedPages();
        HandOverLists();
        m_doc.RecomputeUlpCounts(false);
        m_doc.ColorUpwardEdges();
        m_doc.UpdateSefe();
        return LoadStatus::Ok;
    }

private:
    ElementClass ReadClassTag() {
        const std::uint16_t tag = m_ar.GetU16();
        if (tag == kNewClassTag) {
            if (m_ar.GetU16() != kSchema) throw ArchiveFormatError("schema");
            const std::uint16_t len = m_ar.GetU16();
            m_ar.Require(len);
            std::string name;
            for (std::uint16_t i = 0; i < len; ++i) name.push_back(static_cast<char>(m_ar.GetU8()));
            ElementClass cls;
            if (name == kVertexClass) cls = ElementClass::Vertex;
            else if (name == kEdgeClass) cls = ElementClass::Edge;
            else throw ArchiveFormatError("unknown class");
            m_classes[m_counter++] = cls;
            return cls;
        }
        std::uint32_t classNumber;
        if (tag == kBigObjectTag) {
            const std::uint32_t big = m_ar.GetU32();
            // Without the class bit this would be a second reference to an object already
            // read, which a document never holds.
            if (!(big & kBigClassTag)) throw ArchiveFormatError("object reference");
            classNumber = big & ~kBigClassTag;
        } else if (tag & kClassTag) {
            classNumber = tag & ~kClassTag;
        } else {
            throw ArchiveFormatError("null or repeated object");
        }
        auto it = m_classes.find(classNumber);
        if (it == m_classes.end()) throw ArchiveFormatError("undefined class");
        return it->second;
    }

    void ReadElements() {
        const std::uint32_t count = m_ar.GetCount();
        // Room for every record at once, so that the table never stands twice in memory while
        // it grows; the count is believed only as far as the bytes left could hold it. (The
        // edges' ends are fewer than the records by the vertices, an unknown share: making
        // room for them at once measured worse.)
        constexpr std::uint64_t kSmallestRecordBytes = 32;
        m_read.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(count, m_ar.Remaining() / kSmallestRecordBytes)));
        // A second thread faulting the pools' pages in pays only where they will fill a few
        // megabytes: a large file that says it holds many elements.
        constexpr std::uint64_t kPrefaultFromBytes = 4 << 20, kPrefaultFromElements = 16384;
        const PrefaultedPools prefaulted(m_ar.Remaining() >= kPrefaultFromBytes && count >= kPrefaultFromElements);
        for (std::uint32_t i = 0; i < count; ++i) {
            const ElementClass cls = ReadClassTag();
            if (cls == ElementClass::Vertex) {
                auto* v = new CVertex();
                m_doc.m_elements.Append(v); // owned at once, so a failure later cleans it up
                ReadVertex(*v);
                m_read.push_back({v, v->m_id, true, v->m_selected, 0});
                m_vertexPoints.push_back(v->m_center);
            } else {
                auto* e = new CEdge();
                m_doc.m_elements.Append(e);
                ReadEdge(*e);
                m_read.push_back({e, e->m_id, false, e->m_selected, e->m_edgeColor});
            }
            ++m_counter;
        }
    }

    void ReadElementPart(CElement& e) {
        e.m_name = m_ar.GetString();
        e.m_rect = Tame(m_ar.GetRect());
        e.m_selected = m_ar.GetBool();
        e.m_color = m_ar.GetU32();
        e.m_highlight = m_ar.GetU32();
        e.m_id = m_ar.GetU32();
        NoteLoadedId(e.m_id);
        if (e.m_id >= kLoadedIdCeiling) m_damagedIds = true;
        m_lowestId = std::min(m_lowestId, e.m_id);
        m_highestId = std::max(m_highestId, e.m_id);
        e.m_hidden = false;
    }

    void ReadVertex(CVertex& v) {
        ReadElementPart(v);
        v.m_selected = m_ar.GetBool();
        v.m_stNumber = m_ar.GetI32();
        v.m_level = m_ar.GetI32();
        m_ar.GetI32(); // reserved
        v.m_spareValue = m_ar.GetI32();
        v.m_center = Tame(m_ar.GetPoint());
        v.m_radius = std::clamp(m_ar.GetI32(), 0, kCoordinateLimit);
        v.m_trackNumber = m_ar.GetI32();
        v.m_isBend = m_ar.GetBool();
        // The saved adjacency order is not kept: registering the edges below rebuilds it.
        const std::uint32_t n = m_ar.GetU32();
        m_ar.Skip(std::uint64_t(n) * 4);
        // The saved degree is a good guess of the list's size, within what the file holds.
        v.m_edges.reserve(n);
        // A vertex's saved highlight is discarded; the algorithms' values start afresh.
        v.m_highlight = kNoHighlight;
        v.m_grabOffset = {};
        v.m_offset = {};
    }

    void ReadEdge(CEdge& e) {
        ReadElementPart(e);
        e.m_start = Tame(m_ar.GetPoint());
        e.m_end = Tame(m_ar.GetPoint());
        e.m_edgeColor = m_ar.GetU16();
        e.m_selected = m_ar.GetBool();
        e.m_weight = m_ar.GetI32();
        const std::uint32_t v1 = m_ar.GetU32();
        const std::uint32_t v2 = m_ar.GetU32();
        m_storedEnds.push_back({v1, v2});
        e.m_parallelIndex = 0;
        e.m_edgeMark = false;
    }

    void ReadSettings(std::uint32_t version) {
        CLattixDoc& d = m_doc;
        GuideSettings guides;
        d.m_currentColor = m_ar.GetU32();
        d.m_tool = m_ar.GetU16();
        d.m_zoomIndex = m_ar.GetI32();
        d.m_directed = m_ar.GetBool();
        d.m_showStNumber = m_ar.GetBool();
        m_ar.GetU8();
        m_ar.GetU8();
        d.m_showName = m_ar.GetBool();
        d.m_showWeight = m_ar.GetBool();
        guides.m_guideMode = m_ar.GetI32();
        guides.m_snapToGuides = m_ar.GetBool();
        guides.m_xSeparation = m_ar.GetI32();
        guides.m_ySeparation = m_ar.GetI32();
        d.m_labelCounter = m_ar.GetI32();
        guides.m_lockToTracks = m_ar.GetBool();
        d.m_showTrack = m_ar.GetBool();
        d.m_altMode = version >= 19 ? m_ar.GetU16() : 0;
        d.m_ulpMode = version >= 20 ? m_ar.GetBool() : false;
        d.m_upwardMode = version >= 22 ? m_ar.GetBool() : false;
        d.m_sefeMode = version >= 23 ? m_ar.GetBool() : false;
        // A zoom index outside the table would leave the views without a scale.
        if (d.m_zoomIndex < 0 || d.m_zoomIndex >= static_cast<std::int32_t>(d.m_zoomTable.size())) d.m_zoomIndex = 9;
        d.ApplySavedGuides(guides);
    }

    // Looks an id up among the elements: one match is the answer, several report a
    // duplicate and give the last, none reports a lost pointer.
    const IdSlot* FindElementById(std::uint32_t id) {
        const IdSlot* slot = Slot(id);
        if (!slot || slot->count == 0) {
            m_doc.Platform().ShowMessage("Corrupted file: a pointer could not be restored");
            return nullptr;
        }
        if (slot->count > 1) m_doc.Platform().ShowMessage("Corrupted file: duplicated object id");
        return slot;
    }

    // Ids written by the program lie close together, so most files index a plain table;
    // scattered ids from elsewhere go through a hash map.
    void IndexIds() {
        const std::uint32_t lo = m_lowestId, hi = m_highestId;
        const std::size_t n = m_read.size();
        m_dense = n > 0 && std::uint64_t(hi) - lo < 8 * std::uint64_t(n) + 1024;
        if (m_dense) {
            m_denseBase = lo;
            m_denseIds.assign(std::size_t(hi - lo) + 1, IdSlot{});
        } else {
            m_byId.reserve(n);
        }
        std::uint32_t vertices = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const ReadElement& r = m_read[i];
            IdSlot& slot = m_dense ? m_denseIds[r.id - m_denseBase] : m_byId[r.id];
            if (slot.count > 0) m_damagedIds = true;
            slot.count = std::uint8_t(std::min(slot.count + 1, 2));
            slot.last = r.vertex ? vertices++ : std::uint32_t(i);
            slot.vertex = r.vertex;
        }
        m_vertexCount = vertices;
    }

    const IdSlot* Slot(std::uint32_t id) const {
        if (m_dense) return id >= m_denseBase && id - m_denseBase < m_denseIds.size() ? &m_denseIds[id - m_denseBase] : nullptr;
        auto it = m_byId.find(id);
        return it == m_byId.end() ? nullptr : &it->second;
    }

    // The ordinal among the vertices of the element an edge's end refers to, or kLostEnd.
    std::uint32_t ResolveEnd(std::uint32_t id) {
        const IdSlot* slot = FindElementById(id);
        if (slot && !slot->vertex) {
            m_doc.Platform().ShowMessage("Corrupted file: a pointer could not be restored");
            return kLostEnd;
        }
        return slot ? slot->last : kLostEnd;
    }
    static constexpr std::uint32_t kLostEnd = std::numeric_limits<std::uint32_t>::max();

    // The stored ids of every edge's ends become the ordinals of those vertices, with the
    // messages of a damaged file in the order of the edges.
    void ResolveEndIds() {
        IndexIds();
        constexpr std::size_t kSlotsAhead = 16;
        for (std::size_t k = 0; k < m_storedEnds.size(); ++k) {
#if defined(__GNUC__)
            // The slots of consecutive edges' ends lie anywhere in the table.
            if (m_dense && k + kSlotsAhead < m_storedEnds.size())
                for (std::uint32_t id : {m_storedEnds[k + kSlotsAhead].first, m_storedEnds[k + kSlotsAhead].second})
                    if (id - m_denseBase < m_denseIds.size()) __builtin_prefetch(&m_denseIds[id - m_denseBase]);
#endif
            std::pair<std::uint32_t, std::uint32_t>& ends = m_storedEnds[k];
            const std::uint32_t a = ResolveEnd(ends.first);
            const std::uint32_t b = ResolveEnd(ends.second);
            ends = {a, b};
        }
    }
    static bool Resolved(const std::pair<std::uint32_t, std::uint32_t>& ends) {
        return ends.first != kLostEnd && ends.second != kLostEnd;
    }

    // The vertices in element order, and the crossing snapshot with each vertex a shared
    // place at its centre, handed to the document, which may start counting at once while
    // the edges are registered. With automatic counts off the snapshot stays empty: nothing
    // is counted until asked for.
    void TakeSnapshotAndVertexList() {
        m_vertices.reserve(m_vertexCount);
        const bool snapshot = m_doc.m_autoCrossings;
        PendingCrossings taken;
        if (snapshot) taken.Reserve(m_vertexCount, m_storedEnds.size());
        std::size_t edgeIndex = 0;
        for (const ReadElement& r : m_read) {
            if (r.vertex) {
                if (snapshot) taken.AddPlace(r.element, m_vertexPoints[m_vertices.size()]);
                m_vertices.push_back(static_cast<CVertex*>(r.element));
            } else {
                const auto ends = m_storedEnds[edgeIndex++];
                if (snapshot && Resolved(ends) && IsEdgeColorCode(r.code)) taken.AddEdge(ends.first, ends.second, r.code);
            }
        }
        ReleaseStorage(m_vertexPoints);
        m_doc.TakeLoadedCrossings(std::move(taken));
    }

    // The vertices of edges some places ahead lie anywhere in memory: asking early for the
    // list of those a few places ahead, and for the place each edge will take in the lists
    // of those nearer, lets the waits overlap.
    [[gnu::always_inline]] void Prefetch(std::size_t edgeIndex) const {
#if defined(__GNUC__)
        constexpr std::size_t kVerticesAhead = 8, kListsAhead = 4;
        auto vertexOf = [&](std::uint32_t ordinal) -> const CVertex* {
            return ordinal < m_vertices.size() ? m_vertices[ordinal] : nullptr;
        };
        if (edgeIndex + kVerticesAhead < m_storedEnds.size())
            for (std::uint32_t end : {m_storedEnds[edgeIndex + kVerticesAhead].first, m_storedEnds[edgeIndex + kVerticesAhead].second})
                if (const CVertex* v = vertexOf(end)) __builtin_prefetch(&v->m_edges, 1);
        if (edgeIndex + kListsAhead < m_storedEnds.size())
            for (std::uint32_t end : {m_storedEnds[edgeIndex + kListsAhead].first, m_storedEnds[edgeIndex + kListsAhead].second})
                if (const CVertex* v = vertexOf(end)) __builtin_prefetch(v->m_edges.data() + v->m_edges.size(), 1);
#else
        (void)edgeIndex;
#endif
    }

    // Registers every edge with its ends, in element order, which rebuilds every adjacency
    // list in that order, and lists the edges; an edge with a lost end is dropped rather
    // than kept half attached.
    void RegisterEdges() {
        m_edges.reserve(m_storedEnds.size());
        std::vector<CEdge*> unresolved;
        std::size_t edgeIndex = 0;
        for (const ReadElement& r : m_read) {
            CElement* e = r.element;
            if (!r.vertex) {
                CEdge* edge = static_cast<CEdge*>(e);
                Prefetch(edgeIndex);
                const std::pair<std::uint32_t, std::uint32_t> ends = m_storedEnds[edgeIndex++];
                if (!Resolved(ends)) {
                    unresolved.push_back(edge);
                    continue;
                }
                edge->m_v1 = m_vertices[ends.first];
                edge->m_v2 = m_vertices[ends.second];
                edge->m_v1->m_edges.push_back(edge);
                edge->m_v2->m_edges.push_back(edge);
                m_edges.push_back(edge);
                // In front, the ends of the edges that stay, for their lanes.
                m_storedEnds[m_registeredCount++] = ends;
            }
            if (r.selected) m_doc.m_selection.Append(e);
        }
        ReleaseStorage(m_read);
        for (CEdge* edge : unresolved) {
            edge->ForgetEndpoints();
            m_doc.m_elements.Detach(edge);
            delete edge;
        }
    }

    // Once the references are resolved, ids only matter for the next save: an id shared by
    // several elements (all but the last, which the references went to) and an id beyond
    // the ceiling get fresh ids, so the saved file says what is in memory.
    // The edges with a lost end are not renumbered: they are about to go.
    void RenumberDamagedIds() {
        if (!m_damagedIds) return;
        std::uint32_t vertices = 0;
        std::size_t edgeIndex = 0;
        for (std::size_t i = 0; i < m_read.size(); ++i) {
            const ReadElement& r = m_read[i];
            const std::uint32_t place = r.vertex ? vertices++ : std::uint32_t(i);
            if (!r.vertex && !Resolved(m_storedEnds[edgeIndex++])) continue;
            const IdSlot* slot = Slot(r.id);
            const bool last = slot && slot->vertex == r.vertex && slot->last == place;
            const bool duplicate = slot && slot->count > 1 && !last;
            if (duplicate || r.id >= kLoadedIdCeiling) r.element->m_id = NewElementId();
        }
    }

    // The lists the commands would otherwise make with walks over every element come from
    // the loader's own records. Parallel edges get their lanes on the way, as adding them
    // one by one does.
    void HandOverLists() {
        m_storedEnds.resize(m_registeredCount);
        const std::vector<std::int32_t> lanes = ParallelLanes(m_storedEnds, m_vertexCount);
        ReleaseStorage(m_storedEnds);
        for (std::size_t i = 0; i < m_edges.size(); ++i) m_edges[i]->m_parallelIndex = lanes[i];
        m_doc.AdoptLoadedLists(std::move(m_vertices), std::move(m_edges));
    }

    // The tables above were freed, but the C library keeps the pages of freed blocks below
    // its mapping threshold (which it raises after the first large free), and they would
    // stand beside the crossing snapshot at the peak of a large load; so would the pages the
    // element pools faulted in ahead. Small loads (undo steps among them) leave too little
    // to be worth a walk over the heap.
    void ReturnFreedPages() const {
        if (m_doc.m_elements.size() < kTrimAfterElements) return;
#if defined(__GLIBC__)
        malloc_trim(0);
#endif
        VertexPool().ReleasePagesAhead();
        EdgePool().ReleasePagesAhead();
    }
    static constexpr std::size_t kTrimAfterElements = 100000;

    void ResetTransientState() {
        CLattixDoc& d = m_doc;
        d.m_pressTool = d.m_tool;
        d.m_planarResult = 0;
        d.m_showTrackLabels = true;
        d.m_topToBottom = false;
        d.m_autoTrack = false;
        d.m_pqTrees.clear();
        d.m_loadClearedByte = 0;
    }

    CLattixDoc& m_doc;
    ArchiveReader m_ar;
    std::uint32_t m_counter = 1;
    std::unordered_map<std::uint32_t, ElementClass> m_classes;
    std::unordered_map<std::uint32_t, IdSlot> m_byId;
    std::vector<IdSlot> m_denseIds;
    std::uint32_t m_denseBase = 0;
    bool m_dense = false;
    std::uint32_t m_lowestId = UINT32_MAX, m_highestId = 0;
    bool m_damagedIds = false; // a duplicated id or one beyond the ceiling was read
    // The end ids of each edge read, then the ordinals of those vertices (kLostEnd for an
    // end not found); once registered, those of the first m_registeredCount edges, the ones
    // kept, in element order.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> m_storedEnds;
    std::size_t m_registeredCount = 0;
    // Every element read, in file order, with what indexing and resolving ask of it: walking
    // this instead of the elements themselves keeps those passes out of the elements' memory.
    struct ReadElement {
        CElement* element;
        std::uint32_t id;
        bool vertex;
        bool selected;
        std::uint16_t code; // an edge's colour
    };
    std::vector<ReadElement> m_read;
    std::vector<Point> m_vertexPoints; // the centre of each vertex read, in order
    std::uint32_t m_vertexCount = 0;
    // The lists handed to the document: the vertices in order (an end's ordinal indexes
    // it), and the edges registered with their ends.
    std::vector<CVertex*> m_vertices;
    std::vector<CEdge*> m_edges;
};

} // namespace

std::vector<std::uint8_t> WriteDocument(const CLattixDoc& doc) {
    return DocumentWriter(doc.m_elements.size()).Write(doc);
}

std::vector<std::uint8_t> WriteDocument(const CLattixDoc& doc, DocumentRecords& records) {
    records = {};
    return DocumentWriter(doc.m_elements.size()).Write(doc, &records);
}

std::vector<std::uint8_t> WriteElementRecord(const CElement& e) { return DocumentWriter(1).WriteRecord(e); }

std::vector<std::uint8_t> WriteDocumentSettings(const CLattixDoc& doc) {
    return DocumentWriter(0).WriteSettings(doc);
}

LoadStatus ReadDocument(CLattixDoc& doc, std::span<const std::uint8_t> bytes) {
    return DocumentReader(doc, bytes).Read();
}

LoadStatus ReadDocument(CLattixDoc& doc, const ArchiveSource& source, std::uint64_t size, std::size_t chunk) {
    return DocumentReader(doc, source, size, chunk).Read();
}

const char* LoadStatusMessage(LoadStatus status) {
    switch (status) {
    case LoadStatus::Ok: return "";
    case LoadStatus::WrongMagic: return "Invalid File Type";
    case LoadStatus::WrongVersion: return "Incorrect file version.";
    case LoadStatus::FormatError: return "Unexpected file format.";
    case LoadStatus::ReadError: return "Failed to open document.";
    }
    return "";
}
