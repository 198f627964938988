#include "model/ElementPool.h"

#include <algorithm>
#include <cstdint>
#include <new>

#include "model/PagePrefaulter.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

constexpr std::size_t kFirstSlabBytes = 64 * 1024;

std::size_t RoundUp(std::size_t n, std::size_t to) { return (n + to - 1) / to * to; }

#if defined(__linux__)
// Anonymous memory, given back to the system whole. Huge pages were tried and made loading
// slower: zeroing 2 MB at a fault cost more than the faults they saved.
void* MapSlab(std::size_t bytes) {
    void* base = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED) throw std::bad_alloc();
    return base;
}
void UnmapSlab(void* base, std::size_t bytes) { munmap(base, bytes); }
#else
void* MapSlab(std::size_t bytes) { return ::operator new(bytes, std::align_val_t(64)); }
void UnmapSlab(void* base, std::size_t) { ::operator delete(base, std::align_val_t(64)); }
#endif

} // namespace

ElementPool::ElementPool(std::size_t blockSize, std::size_t alignment)
    : m_blockSize(RoundUp(std::max({blockSize, sizeof(FreeBlock), std::size_t(1)}),
                          std::max(alignment, alignof(FreeBlock)))),
      m_alignment(std::max(alignment, alignof(FreeBlock))) {}

ElementPool::~ElementPool() {
    for (const Slab& s : m_slabs) UnmapSlab(s.base, s.bytes);
}

void ElementPool::AddSlab() {
    // Each slab about as large as all before it together, so the slabs stay few.
    const std::size_t bytes = std::max({kFirstSlabBytes, m_slabBytes, RoundUp(m_blockSize, 4096)});
    void* base = MapSlab(bytes);
    try {
        m_slabs.push_back({base, bytes});
    } catch (...) {
        UnmapSlab(base, bytes);
        throw;
    }
    m_slabBytes += bytes;
    // Slab bases are page aligned, which covers any block alignment up to a page.
    m_bump = m_populated = static_cast<char*>(base);
    m_bumpEnd = m_bump + bytes / m_blockSize * m_blockSize;
}

namespace {
constexpr std::size_t kStretch = 1024 * 1024;
// With a prefaulter, this much lies faulted in, or on its way, ahead of the bump.
constexpr std::size_t kPrefaultedAhead = 2 * kStretch;
} // namespace

// Faulting the pages in ahead, a stretch per call, costs much less than a fault per page.
void ElementPool::Populate() noexcept {
    char* const end = m_bumpEnd + (4096 - reinterpret_cast<std::uintptr_t>(m_bumpEnd) % 4096) % 4096;
    char* from = std::max(m_populated, m_bump);
    from -= reinterpret_cast<std::uintptr_t>(from) % 4096;
    do {
        char* const to = std::size_t(end - from) > kStretch ? from + kStretch : end;
        if (to <= from) break;
        if (m_prefaulter) {
            m_prefaulter->Post(from, std::size_t(to - from));
        } else {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
            madvise(from, std::size_t(to - from), MADV_POPULATE_WRITE); // a hint: failure is harmless
#endif
        }
        m_populated = from = to;
    } while (m_prefaulter && std::size_t(m_populated - m_bump) < kPrefaultedAhead);
}

// Without a prefaulter, a stretch is faulted in when the bump reaches it; with one, it is
// posted while a stretch still lies ahead, so the prefaulter has that long to do it.
bool ElementPool::PopulateDue() const noexcept {
    if (m_bump >= m_populated) return true;
    return m_prefaulter && std::size_t(m_populated - m_bump) < kStretch && m_populated < m_bumpEnd;
}

void ElementPool::SetPrefaulter(PagePrefaulter* prefaulter) noexcept {
    std::lock_guard guard(m_lock);
    m_prefaulter = prefaulter;
}

void ElementPool::DropPrefaulter(const PagePrefaulter* prefaulter) noexcept {
    std::lock_guard guard(m_lock);
    if (m_prefaulter == prefaulter) m_prefaulter = nullptr;
}

void* ElementPool::Allocate() {
    if constexpr (!kPooled) {
        return ::operator new(m_blockSize, std::align_val_t(m_alignment));
    } else {
        std::lock_guard guard(m_lock);
        if (FreeBlock* b = m_free) {
            m_free = b->next;
            ++m_live;
            return b;
        }
        if (m_bump == m_bumpEnd) AddSlab();
        if (PopulateDue()) Populate();
        void* b = m_bump;
        m_bump += m_blockSize;
        ++m_live;
        return b;
    }
}

void ElementPool::Free(void* block) noexcept {
    if (!block) return;
    if constexpr (!kPooled) {
        ::operator delete(block, std::align_val_t(m_alignment));
    } else {
        std::lock_guard guard(m_lock);
        auto* b = static_cast<FreeBlock*>(block);
        b->next = m_free;
        m_free = b;
        --m_live;
        ReleaseIfEmpty();
    }
}

void ElementPool::ReleaseIfEmpty() noexcept {
    if (m_live != 0 || m_slabBytes <= kFirstSlabBytes) return;
    // A lone first slab stays, so that one element made and dropped over and over on an
    // empty pool does not map and unmap each time.
    for (const Slab& s : m_slabs) UnmapSlab(s.base, s.bytes);
    m_slabs.clear();
    m_slabBytes = 0;
    m_free = nullptr;
    m_bump = m_bumpEnd = m_populated = nullptr;
}

void ElementPool::ReleasePagesAhead() noexcept {
#if defined(__linux__)
    std::lock_guard guard(m_lock);
    if (!m_bump) return;
    // The page holding the next block may hold live ones too: only whole pages after it go.
    char* from = m_bump + (4096 - reinterpret_cast<std::uintptr_t>(m_bump) % 4096) % 4096;
    if (m_populated <= from) return;
    madvise(from, std::size_t(m_populated - from), MADV_DONTNEED); // a hint: failure is harmless
    m_populated = from;
#endif
}

std::size_t ElementPool::LiveBlocks() const {
    std::lock_guard guard(m_lock);
    return m_live;
}

std::size_t ElementPool::SlabBytes() const {
    std::lock_guard guard(m_lock);
    return m_slabBytes;
}
