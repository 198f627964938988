#pragma once
// The object-archive encoding of document files and undo snapshots: little-endian
// fixed-width integers, length-prefixed 8-bit strings and counts.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/Geometry.h"

class ArchiveWriter {
public:
    explicit ArchiveWriter(std::size_t reserve = 0) { m_bytes.reserve(reserve); }

    void PutU8(std::uint8_t v) { PutRaw(&v, 1); }
    void PutBool(bool v) { PutU8(v ? 1 : 0); }
    void PutU16(std::uint16_t v) { PutRaw(&v, 2); }
    void PutU32(std::uint32_t v) { PutRaw(&v, 4); }
    void PutI32(std::int32_t v) { PutRaw(&v, 4); }
    void PutPoint(Point p) {
        PutI32(p.x);
        PutI32(p.y);
    }
    void PutRect(const Rect& r) {
        PutI32(r.left);
        PutI32(r.top);
        PutI32(r.right);
        PutI32(r.bottom);
    }
    void PutString(const std::string& s);
    void PutCount(std::uint32_t n);

    std::size_t Size() const { return m_size; }
    std::span<const std::uint8_t> Bytes() const { return {m_bytes.data(), m_size}; }
    std::vector<std::uint8_t> Take() {
        m_bytes.resize(m_size);
        std::vector<std::uint8_t> taken = std::move(m_bytes);
        m_bytes.clear(); // a moved-from vector holds something valid, not necessarily nothing
        m_size = 0;
        return taken;
    }

private:
    // The buffer runs a step ahead of what was written, so that a field is one copy: a file
    // of millions of small fields is written at the speed of memory.
    void PutRaw(const void* p, std::size_t n) {
        // The format is little-endian, as is every machine Arborix is built for.
        static_assert(std::endian::native == std::endian::little);
        if (m_bytes.size() - m_size < n) Grow(n);
        std::memcpy(m_bytes.data() + m_size, p, n);
        m_size += n;
    }
    void Grow(std::size_t n);
    std::vector<std::uint8_t> m_bytes; // written up to m_size
    std::size_t m_size = 0;
};

// Thrown by ArchiveReader when the stream ends early or holds something impossible.
class ArchiveFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr std::size_t kArchiveChunk = 1 << 20;

// Fills up to n bytes at dst with the next bytes of a stream; fewer only at its end.
using ArchiveSource = std::function<std::size_t(std::uint8_t* dst, std::size_t n)>;

class ArchiveReader {
public:
    explicit ArchiveReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes), m_total(bytes.size()) {}
    // Reads a stream of `total` bytes `chunk` bytes at a time (at least 8), so that it is
    // never held whole.
    ArchiveReader(ArchiveSource source, std::uint64_t total, std::size_t chunk = kArchiveChunk)
        : m_total(total), m_source(std::move(source)), m_chunk(std::max<std::size_t>(chunk, 8)) {}

    std::uint8_t GetU8() { return Get<std::uint8_t>(); }
    bool GetBool() { return GetU8() != 0; }
    std::uint16_t GetU16() { return Get<std::uint16_t>(); }
    std::uint32_t GetU32() { return Get<std::uint32_t>(); }
    std::int32_t GetI32() { return Get<std::int32_t>(); }
    Point GetPoint() {
        Point p;
        p.x = GetI32();
        p.y = GetI32();
        return p;
    }
    Rect GetRect() {
        Rect r;
        r.left = GetI32();
        r.top = GetI32();
        r.right = GetI32();
        r.bottom = GetI32();
        return r;
    }
    std::string GetString();
    std::uint32_t GetCount();
    // Passes over n bytes.
    void Skip(std::uint64_t n);

    std::uint64_t Remaining() const { return m_total - (m_base + m_pos); }
    // Fails unless n more bytes are there; guards allocations sized from the stream.
    void Require(std::uint64_t n) const {
        if (n > Remaining()) throw ArchiveFormatError("unexpected end of stream");
    }

private:
    template <typename T>
    T Get() {
        // Bytes at hand lie within the stream, so only a refill needs the length check.
        if (m_bytes.size() - m_pos < sizeof(T)) [[unlikely]] {
            Require(sizeof(T));
            Refill(sizeof(T));
        }
        T v;
        std::memcpy(&v, m_bytes.data() + m_pos, sizeof(T));
        m_pos += sizeof(T);
        return v;
    }
    // Length prefix of a string; sets wide when the 16-bit marker precedes it.
    std::uint32_t GetStringLength(bool& wide);

    // Brings at least `need` (at most 8) more bytes of the stream into the buffer.
    void Refill(std::size_t need);

    std::span<const std::uint8_t> m_bytes; // the bytes at hand, from stream offset m_base
    std::size_t m_pos = 0;
    std::uint64_t m_base = 0;
    std::uint64_t m_total;
    ArchiveSource m_source; // empty when all bytes are at hand
    std::size_t m_chunk = 0;
    std::vector<std::uint8_t> m_buffer;
};
