#include "model/ElementName.h"

#include <bit>
#include <cstring>
#include <new>
#include <ostream>

namespace {

// Where the seven inline bytes sit within the word: after its low byte, which holds the tag.
constexpr std::size_t kInlineOffset = std::endian::native == std::endian::little ? 1 : 0;

} // namespace

std::uint64_t ElementName::Encode(std::string_view s) {
    if (s.empty()) return 0;
    if (s.size() <= kInlineCapacity) {
        std::uint64_t word = 1 | (std::uint64_t(s.size()) << 1);
        std::memcpy(reinterpret_cast<char*>(&word) + kInlineOffset, s.data(), s.size());
        return word;
    }
    void* raw = ::operator new(offsetof(HeapBlock, bytes) + s.size() + 1);
    auto* block = static_cast<HeapBlock*>(raw);
    block->size = s.size();
    char* bytes = static_cast<char*>(raw) + offsetof(HeapBlock, bytes); // runs past the declared array
    std::memcpy(bytes, s.data(), s.size());
    bytes[s.size()] = '\0';
    return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(block));
}

void ElementName::Release(std::uint64_t word) noexcept {
    if (word != 0 && (word & 1) == 0) ::operator delete(reinterpret_cast<void*>(static_cast<std::uintptr_t>(word)));
}

ElementName& ElementName::operator=(ElementName&& other) noexcept {
    if (this != &other) {
        Release(m_word);
        m_word = other.m_word;
        other.m_word = 0;
    }
    return *this;
}

ElementName& ElementName::operator=(std::string_view s) {
    // Encode first: s may point into the block or the word about to be replaced.
    const std::uint64_t word = Encode(s);
    Release(m_word);
    m_word = word;
    return *this;
}

std::string_view ElementName::view() const noexcept {
    if (m_word == 0) return {};
    if (m_word & 1) return {reinterpret_cast<const char*>(&m_word) + kInlineOffset, std::size_t((m_word >> 1) & 7)};
    const HeapBlock* block = Block();
    return {block->bytes, block->size};
}

std::string operator+(const ElementName& a, std::string_view b) {
    std::string s;
    s.reserve(a.size() + b.size());
    s.append(a.view()).append(b);
    return s;
}

std::string operator+(std::string_view a, const ElementName& b) {
    std::string s;
    s.reserve(a.size() + b.size());
    s.append(a).append(b.view());
    return s;
}

std::ostream& operator<<(std::ostream& os, const ElementName& name) { return os << name.view(); }
