#pragma once
// Tables keyed by element address, for algorithm runs that keep a value per vertex or edge
// in arrays of their own instead of in fields of the elements. Open addressing with linear
// probing: a lookup is one hash and usually one slot, which matters when every edge end of
// a large graph is looked up.

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace address_index {
inline std::size_t Hash(const void* p, std::size_t mask) {
    return static_cast<std::size_t>((reinterpret_cast<std::uintptr_t>(p) >> 4) * 0x9E3779B97F4A7C15ull >> 17) & mask;
}
} // namespace address_index

// The position of each element of a fixed list. Slots hold positions only (four bytes
// each), so an index over millions of edges stays small.
template <class T>
class PositionIndex {
public:
    explicit PositionIndex(const std::vector<T*>& list) : m_list(list) {
        std::size_t capacity = 16;
        while (capacity < 2 * list.size()) capacity *= 2;
        m_mask = capacity - 1;
        m_slots.assign(capacity, -1);
        for (std::size_t i = 0; i < list.size(); ++i) {
            std::size_t h = address_index::Hash(list[i], m_mask);
            while (m_slots[h] >= 0 && list[m_slots[h]] != list[i]) h = (h + 1) & m_mask;
            if (m_slots[h] < 0) m_slots[h] = static_cast<std::int32_t>(i); // a repeat keeps its first position
        }
    }
    // The position of p in the list, or -1.
    std::int32_t Of(const T* p) const {
        for (std::size_t h = address_index::Hash(p, m_mask);; h = (h + 1) & m_mask) {
            const std::int32_t at = m_slots[h];
            if (at < 0) return -1;
            if (m_list[at] == p) return at;
        }
    }

private:
    const std::vector<T*>& m_list;
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
