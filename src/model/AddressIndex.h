#pragma once
// Tables keyed by element address, for algorithm runs that keep a value per vertex or edge
// in arrays of their own instead of in fields of the elements. Open addressing with linear
// probing: a lookup is one hash and usually one slot, which matters when every edge end of
// a large graph is looked up.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace address_index {
inline std::size_t Hash(const void* p, std::size_t mask) {
    return static_cast<std::size_t>((reinterpret_cast<std::uintptr_t>(p) >> 4) * 0x9E3779B97F4A7C15ull >> 17) & mask;
}
} // namespace address_index

// The position of each element of a fixed list. Elements made one after another from a
// pool lie at consecutive addresses, so a list in creation order is mostly a few stretches
// of neighbours: those are kept as runs (address, position, length) and found by a binary
// search, which needs no table and touches no element. A list that breaks into many short
// runs gets a hash table whose slots hold positions only (four bytes each).
template <class T>
class PositionIndex {
public:
    explicit PositionIndex(const std::vector<T*>& list) : m_list(list) {
        if (!BuildRuns()) BuildSlots();
    }
    // The position of p in the list, or -1. A caller that looks up many neighbours in turn
    // may keep a hint (starting at 0) per stream of lookups: the run of the last answer is
    // tried first.
    std::int32_t Of(const T* p, std::size_t* hint = nullptr) const {
        if (m_slots.empty()) return RunOf(p, hint);
        for (std::size_t h = address_index::Hash(p, m_mask);; h = (h + 1) & m_mask) {
            const std::int32_t at = m_slots[h];
            if (at < 0) return -1;
            if (m_list[at] == p) return at;
        }
    }

private:
    struct Run {
        std::uintptr_t begin;
        std::int32_t position, length;
    };
    static std::uintptr_t Address(const T* p) { return reinterpret_cast<std::uintptr_t>(p); }

    // False when the list has too many runs to be worth it, or runs that overlap (a
    // repeated element), which the hash table handles.
    bool BuildRuns() {
        const std::size_t n = m_list.size();
        const std::size_t most = n / 8 + 8;
        std::vector<Run> runs;
        for (std::size_t i = 0; i < n;) {
            std::size_t j = i + 1;
            while (j < n && Address(m_list[j]) == Address(m_list[j - 1]) + sizeof(T)) ++j;
            if (runs.size() == most) return false;
            runs.push_back({Address(m_list[i]), static_cast<std::int32_t>(i), static_cast<std::int32_t>(j - i)});
            i = j;
        }
        std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.begin < b.begin; });
        for (std::size_t r = 1; r < runs.size(); ++r)
            if (runs[r - 1].begin + std::uintptr_t(runs[r - 1].length) * sizeof(T) > runs[r].begin) return false;
        m_runBegins.reserve(runs.size());
        for (const Run& r : runs) m_runBegins.push_back(r.begin);
        m_runs = std::move(runs);
        return true;
    }
    std::int32_t RunOf(const T* p, std::size_t* hint) const {
        const std::uintptr_t a = Address(p);
        if (hint && *hint < m_runs.size()) {
            const std::int32_t at = InRun(m_runs[*hint], a);
            if (at >= 0) return at;
        }
        const auto it = std::upper_bound(m_runBegins.begin(), m_runBegins.end(), a);
        if (it == m_runBegins.begin()) return -1;
        const std::size_t r = std::size_t(it - m_runBegins.begin()) - 1;
        if (hint) *hint = r;
        return InRun(m_runs[r], a);
    }
    static std::int32_t InRun(const Run& r, std::uintptr_t a) {
        const std::uintptr_t offset = a - r.begin; // wraps to a large value below the run
        if (offset % sizeof(T) != 0 || offset / sizeof(T) >= std::uintptr_t(r.length)) return -1;
        return r.position + static_cast<std::int32_t>(offset / sizeof(T));
    }
    void BuildSlots() {
        std::size_t capacity = 16;
        while (capacity < 2 * m_list.size()) capacity *= 2;
        m_mask = capacity - 1;
        m_slots.assign(capacity, -1);
        for (std::size_t i = 0; i < m_list.size(); ++i) {
            std::size_t h = address_index::Hash(m_list[i], m_mask);
            while (m_slots[h] >= 0 && m_list[m_slots[h]] != m_list[i]) h = (h + 1) & m_mask;
            if (m_slots[h] < 0) m_slots[h] = static_cast<std::int32_t>(i); // a repeat keeps its first position
        }
    }

    const std::vector<T*>& m_list;
    std::vector<Run> m_runs;                 // by address
    std::vector<std::uintptr_t> m_runBegins; // their first addresses, for the search
    std::vector<std::int32_t> m_slots;
    std::size_t m_mask = 0;
};

// A 32-bit value per address, for any set of elements; grows as values are set.
class AddressMap {
public:
    void Clear() {
        m_slots.clear();
        m_size = 0;
        m_mask = 0;
    }
    void Set(const void* key, std::int32_t value) {
        if (2 * (m_size + 1) > m_slots.size()) Grow();
        Slot& s = Find(key);
        if (!s.key) {
            s.key = key;
            ++m_size;
        }
        s.value = value;
    }
    // The value of key, or `missing` when none was set.
    std::int32_t Get(const void* key, std::int32_t missing = -1) const {
        if (m_slots.empty()) return missing;
        for (std::size_t h = address_index::Hash(key, m_mask);; h = (h + 1) & m_mask) {
            if (m_slots[h].key == key) return m_slots[h].value;
            if (!m_slots[h].key) return missing;
        }
    }
    std::size_t Size() const { return m_size; }

private:
    struct Slot {
        const void* key = nullptr;
        std::int32_t value = 0;
    };
    Slot& Find(const void* key) {
        std::size_t h = address_index::Hash(key, m_mask);
        while (m_slots[h].key && m_slots[h].key != key) h = (h + 1) & m_mask;
        return m_slots[h];
    }
    void Grow() {
        std::vector<Slot> old = std::move(m_slots);
        m_slots.assign(old.empty() ? 16 : 2 * old.size(), Slot{});
        m_mask = m_slots.size() - 1;
        for (const Slot& s : old)
            if (s.key) Find(s.key) = s;
    }
    std::vector<Slot> m_slots;
    std::size_t m_mask = 0;
    std::size_t m_size = 0;
};

// A 32-bit value per element (-1: none), kept by position for the elements of a list given
// up front, which for a list of pool neighbours needs no table at all, and by address for
// any other element. Keeps its own copy of the list, so that the values outlive it.
template <class T>
class ListValueMap {
public:
    ListValueMap() = default;
    ListValueMap(const ListValueMap&) = delete; // the index refers to m_keys
    ListValueMap& operator=(const ListValueMap&) = delete;

    void Clear() { Reset({}); }
    // Forgets every value; the elements of `list` are the ones kept by position.
    void Reset(const std::vector<T*>& list) { Assign(list, std::vector<std::int32_t>(list.size(), -1)); }
    // Replaces every value: values[i] for list[i] (the first place of a repeated element
    // counts), none for the rest.
    void Assign(const std::vector<T*>& list, std::vector<std::int32_t> values) {
        m_index.reset();
        m_extra.Clear();
        m_keys = list;
        m_values = std::move(values);
        m_values.resize(m_keys.size(), -1);
        m_index = std::make_unique<PositionIndex<T>>(m_keys);
    }
    void Set(const T* key, std::int32_t value) {
        if (const std::int32_t at = Position(key); at >= 0) m_values[at] = value;
        else m_extra.Set(key, value);
    }
    std::int32_t Get(const T* key) const {
        const std::int32_t at = Position(key);
        return at >= 0 ? m_values[at] : m_extra.Get(key, -1);
    }

private:
    std::int32_t Position(const T* key) const { return m_index ? m_index->Of(key) : -1; }
    std::vector<T*> m_keys;
    std::vector<std::int32_t> m_values;
    std::unique_ptr<PositionIndex<T>> m_index;
    AddressMap m_extra;
};
