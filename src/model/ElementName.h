#pragma once
// The name of a vertex or edge, in one machine word.
//
// Almost every element carries no name or a short one ("n123456", a number), and a graph
// holds millions of them, so a name costs eight bytes: none at all, up to seven bytes kept
// in the word itself, or a pointer to a heap block holding the length and the bytes.
// Names are byte strings: any byte, zero included, and any length.

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

class ElementName {
public:
    static constexpr std::size_t kInlineCapacity = 7;

    ElementName() noexcept = default;
    explicit ElementName(std::string_view s) { m_word = Encode(s); }
    ElementName(const ElementName& other) : ElementName(other.view()) {}
    ElementName(ElementName&& other) noexcept : m_word(other.m_word) { other.m_word = 0; }
    ~ElementName() { Release(m_word); }

    ElementName& operator=(const ElementName& other) { return *this = other.view(); }
    ElementName& operator=(ElementName&& other) noexcept;
    // Safe when s points into this name itself.
    ElementName& operator=(std::string_view s);

    std::size_t size() const noexcept { return view().size(); }
    bool empty() const noexcept { return m_word == 0; }
    // True when the bytes live in a heap block (the name is longer than kInlineCapacity).
    bool OnHeap() const noexcept { return m_word != 0 && (m_word & 1) == 0; }

    std::string_view view() const noexcept;
    std::string str() const { return std::string(view()); }
    operator std::string_view() const noexcept { return view(); }
    operator std::string() const { return str(); }

    friend bool operator==(const ElementName& a, const ElementName& b) noexcept { return a.view() == b.view(); }
    friend bool operator==(const ElementName& a, std::string_view b) noexcept { return a.view() == b; }
    friend std::string operator+(const ElementName& a, std::string_view b);
    friend std::string operator+(std::string_view a, const ElementName& b);
    friend std::ostream& operator<<(std::ostream& os, const ElementName& name);

private:
    struct HeapBlock {
        std::size_t size;
        char bytes[1]; // size bytes and a terminating zero follow
    };

    static std::uint64_t Encode(std::string_view s);
    static void Release(std::uint64_t word) noexcept;
    const HeapBlock* Block() const noexcept {
        return reinterpret_cast<const HeapBlock*>(static_cast<std::uintptr_t>(m_word));
    }

    // 0: empty. Low bit set: inline, length in bits 1..3, the bytes in the word's other
    // seven bytes. Otherwise: the address of a HeapBlock (aligned, so its low bit is clear).
    std::uint64_t m_word = 0;
};
