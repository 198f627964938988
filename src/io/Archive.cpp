#include "io/Archive.h"

#include <algorithm>

void ArchiveWriter::PutString(const std::string& s) {
    const std::size_t n = s.size();
    if (n < 255) {
        PutU8(static_cast<std::uint8_t>(n));
    } else if (n < 65534) {
        PutU8(0xFF);
        PutU16(static_cast<std::uint16_t>(n));
    } else {
        PutU8(0xFF);
        PutU16(0xFFFF);
        PutU32(static_cast<std::uint32_t>(n));
    }
    PutRaw(s.data(), n);
}

// A step at a time, small while the buffer is: zeroing a whole reserve at once would make
// pages resident that the file may never need, and undo records are a few dozen bytes.
void ArchiveWriter::Grow(std::size_t n) {
    constexpr std::size_t kLeast = 256, kMost = 64 * 1024;
    const std::size_t step = std::clamp(m_bytes.size(), kLeast, kMost);
    m_bytes.resize(std::max(m_size + n, m_bytes.size() + step));
}

void ArchiveWriter::PutCount(std::uint32_t n) {
    if (n < 0xFFFF) {
        PutU16(static_cast<std::uint16_t>(n));
    } else {
        PutU16(0xFFFF);
        PutU32(n);
    }
}

std::uint32_t ArchiveReader::GetCount() {
    const std::uint16_t n = GetU16();
    return n != 0xFFFF ? n : GetU32();
}

std::uint32_t ArchiveReader::GetStringLength(bool& wide) {
    const std::uint8_t b = GetU8();
    if (b < 0xFF) return b;
    const std::uint16_t w = GetU16();
    if (w == 0xFFFE) {
        // 16-bit text follows, with a length prefix of its own.
        if (wide) throw ArchiveFormatError("repeated text marker");
        wide = true;
        return GetStringLength(wide);
    }
    if (w < 0xFFFF) return w;
    return GetU32();
}

std::string ArchiveReader::GetString() {
    bool wide = false;
    const std::uint32_t length = GetStringLength(wide);
    if (!wide) {
        Require(length);
        std::string s;
        s.reserve(length);
        while (s.size() < length) {
            if (m_pos == m_bytes.size()) Refill(1);
            const std::size_t take = std::min<std::size_t>(length - s.size(), m_bytes.size() - m_pos);
            s.append(reinterpret_cast<const char*>(m_bytes.data() + m_pos), take);
            m_pos += take;
        }
        return s;
    }
    Require(std::size_t(length) * 2);
    std::string s;
    s.reserve(length);
    for (std::uint32_t i = 0; i < length; ++i) {
        const std::uint16_t unit = GetU16();
        // Text is kept in an 8-bit code page: Latin-1 passes, anything beyond becomes '?'.
        s.push_back(unit < 0x100 ? static_cast<char>(unit) : '?');
    }
    return s;
}

void ArchiveReader::Skip(std::uint64_t n) {
    Require(n);
    while (n > 0) {
        if (m_pos == m_bytes.size()) Refill(1);
        const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(n, m_bytes.size() - m_pos));
        m_pos += take;
        n -= take;
    }
}

void ArchiveReader::Refill(std::size_t need) {
    if (!m_source) throw ArchiveFormatError("unexpected end of stream");
    const std::size_t left = m_bytes.size() - m_pos;
    if (m_buffer.size() < m_chunk) m_buffer.resize(m_chunk);
    if (left > 0) std::memmove(m_buffer.data(), m_bytes.data() + m_pos, left);
    m_base += m_pos;
    std::size_t filled = left;
    // Never past the announced size, so that every byte at hand is one the stream may hold.
    const std::size_t limit = static_cast<std::size_t>(std::min<std::uint64_t>(m_buffer.size(), m_total - m_base));
    while (filled < limit) {
        const std::size_t n = m_source(m_buffer.data() + filled, limit - filled);
        if (n == 0) break;
        filled += n;
    }
    m_bytes = {m_buffer.data(), filled};
    m_pos = 0;
    // The stream ended before the size it was announced with.
    if (filled < need) throw ArchiveFormatError("unexpected end of stream");
}
