#pragma once
// Storage for the vertices and edges of every document: blocks of one size cut from large
// slabs, so that a graph of millions of elements costs no per-block header, and its pages
// are faulted in a stretch at a time rather than one by one. Freed blocks go to a free list
// and are handed out again first. Blocks may be taken and given back on any thread.
//
// Under AddressSanitizer every block comes from the global heap instead, so that the
// sanitizer still sees uses after free and leaks.

#include <cstddef>
#include <mutex>
#include <vector>

class PagePrefaulter;

#if defined(__SANITIZE_ADDRESS__)
#define ARBORIX_ELEMENT_POOL_OFF 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ARBORIX_ELEMENT_POOL_OFF 1
#endif
#endif

class ElementPool {
public:
    // Blocks of `blockSize` bytes aligned to `alignment` (a power of two).
    ElementPool(std::size_t blockSize, std::size_t alignment);
    ~ElementPool();
    ElementPool(const ElementPool&) = delete;
    ElementPool& operator=(const ElementPool&) = delete;

    void* Allocate();
    void Free(void* block) noexcept;

    // Gives back the pages faulted in ahead of the blocks handed out, for the end of a large
    // load: they would stand idle until the next elements come, if any do.
    void ReleasePagesAhead() noexcept;
    // From SetPrefaulter to DropPrefaulter, the pages ahead of the blocks are faulted in by
    // `prefaulter`, a couple of stretches before they are reached, instead of by the thread
    // that allocates. The caller keeps it alive until it is dropped; dropping one that was
    // replaced since changes nothing.
    void SetPrefaulter(PagePrefaulter* prefaulter) noexcept;
    void DropPrefaulter(const PagePrefaulter* prefaulter) noexcept;
    // Blocks handed out and not given back.
    std::size_t LiveBlocks() const;
    // Bytes of address space held in slabs.
    std::size_t SlabBytes() const;
    std::size_t BlockSize() const { return m_blockSize; }
    static constexpr bool kPooled =
#if defined(ARBORIX_ELEMENT_POOL_OFF)
        false;
#else
        true;
#endif

private:
    struct FreeBlock {
        FreeBlock* next;
    };
    struct Slab {
        void* base;
        std::size_t bytes;
    };
    void AddSlab();
    // Gives the slabs back once no block is live.
    void ReleaseIfEmpty() noexcept;

    const std::size_t m_blockSize;
    const std::size_t m_alignment;
    mutable std::mutex m_lock;
    FreeBlock* m_free = nullptr;
    char* m_bump = nullptr; // the untouched rest of the newest slab
    char* m_bumpEnd = nullptr;
    char* m_populated = nullptr; // the slab's pages before this are faulted in
    void Populate() noexcept;
    bool PopulateDue() const noexcept;
    PagePrefaulter* m_prefaulter = nullptr;
    std::vector<Slab> m_slabs;
    std::size_t m_slabBytes = 0;
    std::size_t m_live = 0;
};

// The pools of CVertex and CEdge. They live for the whole run: elements may be freed as late
// as the destruction of static objects.
ElementPool& VertexPool();
ElementPool& EdgePool();
