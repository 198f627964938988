#include "io/ChangedCheckPoint.h"

#include <algorithm>

#include "io/DocumentFormat.h"
#include "model/ChangedElements.h"
#include "model/LattixDoc.h"
#include "model/UndoDelta.h"

namespace {

void CheckPointWhole(CLattixDoc& doc, ChangedElements& changed) {
    DocumentRecords records;
    doc.CheckPointState(WriteDocument(doc, records));
    changed.m_elements = std::move(records.elements);
    changed.m_starts = std::move(records.starts);
    changed.m_ends = std::move(records.ends);
    changed.m_settingsStart = records.settingsStart;
    changed.m_recordOf.clear();
    changed.m_recordOf.reserve(changed.m_elements.size());
    for (std::size_t r = 0; r < changed.m_elements.size(); ++r)
        changed.m_recordOf.emplace(changed.m_elements[r], static_cast<std::uint32_t>(r));
    changed.m_generation = doc.StateGeneration();
    changed.m_elementsVersion = doc.m_elements.Version();
}

// After patches that changed lengths, every later record has moved.
void ShiftLayout(ChangedElements& changed, const std::vector<StatePatch>& patches) {
    std::size_t next = 0;
    std::int64_t shift = 0;
    auto moved = [&](std::size_t pos) {
        for (; next < patches.size() && patches[next].offset < pos; ++next)
            shift += std::int64_t(patches[next].bytes.size()) - std::int64_t(patches[next].length);
        return static_cast<std::size_t>(std::int64_t(pos) + shift);
    };
    for (std::size_t r = 0; r < changed.m_starts.size(); ++r) {
        changed.m_starts[r] = moved(changed.m_starts[r]);
        changed.m_ends[r] = moved(changed.m_ends[r]);
    }
    changed.m_settingsStart = moved(changed.m_settingsStart);
}

} // namespace

void CheckPointChanged(CLattixDoc& doc, ChangedElements& changed) {
    if (!doc.KeepsHistory()) {
        changed.m_noted.clear();
        return; // nothing is stored, so nothing need be written
    }
    std::vector<const CElement*> noted;
    noted.swap(changed.m_noted);
    if (changed.m_generation != doc.StateGeneration() || changed.m_elementsVersion != doc.m_elements.Version())
        return CheckPointWhole(doc, changed);

    std::vector<std::uint32_t> records;
    records.reserve(noted.size());
    for (const CElement* e : noted) {
        const auto found = changed.m_recordOf.find(e);
        if (found == changed.m_recordOf.end()) return CheckPointWhole(doc, changed); // not written last time
        records.push_back(found->second);
    }
    std::sort(records.begin(), records.end());
    records.erase(std::unique(records.begin(), records.end()), records.end());

    const std::span<const std::uint8_t> state = doc.CurrentState();
    std::vector<StatePatch> patches;
    bool lengthChanged = false;
    // Only the stretch that differs is stored, so that the difference kept for undo stays
    // as small as CheckPoint's.
    auto patch = [&](std::size_t start, std::size_t end, std::vector<std::uint8_t> bytes) {
        const std::size_t length = end - start;
        if (bytes.size() != length) {
            lengthChanged = true;
            patches.push_back({start, length, std::move(bytes)});
            return;
        }
        std::size_t a = 0, b = length;
        while (a < b && bytes[a] == state[start + a]) ++a;
        while (b > a && bytes[b - 1] == state[start + b - 1]) --b;
        if (a < b) patches.push_back({start + a, b - a, {bytes.begin() + std::ptrdiff_t(a), bytes.begin() + std::ptrdiff_t(b)}});
    };
    for (std::uint32_t r : records)
        patch(changed.m_starts[r], changed.m_ends[r], WriteElementRecord(*changed.m_elements[r]));
    patch(changed.m_settingsStart, state.size(), WriteDocumentSettings(doc));

    doc.CheckPointPatched(patches);
    if (lengthChanged) ShiftLayout(changed, patches);
    changed.m_generation = doc.StateGeneration();
}
