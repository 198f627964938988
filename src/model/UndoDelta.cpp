#include "model/UndoDelta.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>

namespace {

// Shortest copy worth a new distance: below it the bytes go as new bytes.
constexpr std::size_t kMinFoundCopy = 8;
// Shortest copy at the distance of the copy before.
constexpr std::size_t kMinRepeatCopy = 3;
// Every kStride-th base position is indexed, so a copy of kMinFoundCopy + kStride - 1 bytes
// at a new distance is always found.
constexpr std::size_t kStride = 4;
// The index is asked only from this many new bytes on: a small edit changes a few bytes,
// after which the copy at the old distance resumes, and for such a state the index (a pass
// over the whole base) is never built.
constexpr std::size_t kNewBytesBeforeProbing = 12;
// From this many new bytes on the index is probed only at every kSparseProbe-th position:
// each probe is a likely cache miss, and a long stretch of new bytes rarely holds a copy.
// The interval is prime to kStride, so every alignment of a longer copy with the indexed
// base positions is still met.
constexpr std::size_t kNewBytesBeforeSkipping = 64;
constexpr std::size_t kSparseProbe = 7;

std::uint64_t Load64(const std::uint8_t* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

std::uint32_t HashAt(const std::uint8_t* p, int bits) {
    return static_cast<std::uint32_t>((Load64(p) * 0x9E3779B97F4A7C15ull) >> (64 - bits));
}

// Number of equal bytes from a and b on, at most n.
std::size_t CommonLength(const std::uint8_t* a, const std::uint8_t* b, std::size_t n) {
    std::size_t i = 0;
    while (i + 8 <= n) {
        const std::uint64_t x = Load64(a + i) ^ Load64(b + i);
        if (x) return i + std::countr_zero(x) / 8; // little-endian: the lowest byte comes first
        i += 8;
    }
    while (i < n && a[i] == b[i]) ++i;
    return i;
}

void PutVarint(std::vector<std::uint8_t>& out, std::uint64_t v) {
    while (v >= 0x80) {
        out.push_back(static_cast<std::uint8_t>(v | 0x80));
        v >>= 7;
    }
    out.push_back(static_cast<std::uint8_t>(v));
}

std::uint64_t GetVarint(std::span<const std::uint8_t> in, std::size_t& pos) {
    std::uint64_t v = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        if (pos >= in.size()) throw std::runtime_error("undo difference ends early");
        const std::uint8_t b = in[pos++];
        v |= std::uint64_t(b & 0x7F) << shift;
        if (!(b & 0x80)) return v;
    }
    throw std::runtime_error("undo difference holds a bad number");
}

// Positions of the base, found by the hash of the 8 bytes there; built on first need, since
// a state that only continues the base never asks.
class BaseIndex {
public:
    explicit BaseIndex(std::span<const std::uint8_t> base) : m_base(base) {}

    // A base position whose 8 bytes equal those at p, or -1.
    std::int64_t Find(const std::uint8_t* p) {
        if (m_base.size() < 8) return -1;
        if (m_table.empty()) Build();
        const std::uint32_t slot = m_table[HashAt(p, m_bits)];
        if (slot == 0) return -1;
        const std::size_t pos = slot - 1;
        return Load64(m_base.data() + pos) == Load64(p) ? std::int64_t(pos) : -1;
    }

private:
    void Build() {
        const std::size_t entries = m_base.size() / kStride + 1;
        m_bits = std::max(10, int(std::bit_width(entries)) + 1);
        m_table.assign(std::size_t(1) << m_bits, 0);
        // Later positions win; going backwards keeps the first of equal stretches instead.
        for (std::int64_t pos = std::int64_t((m_base.size() - 8) / kStride * kStride); pos >= 0; pos -= kStride)
            m_table[HashAt(m_base.data() + pos, m_bits)] = static_cast<std::uint32_t>(pos + 1);
    }

    std::span<const std::uint8_t> m_base;
    std::vector<std::uint32_t> m_table; // base position + 1, 0 for none
    int m_bits = 0;
};

} // namespace

std::vector<std::uint8_t> EncodeDelta(std::span<const std::uint8_t> base, std::span<const std::uint8_t> target) {
    if (base.size() >= 0xFFFFFFFFu) throw std::length_error("undo state too large");
    std::vector<std::uint8_t> out;
    BaseIndex index(base);
    const std::uint8_t* t = target.data();
    const std::uint8_t* b = base.data();
    const std::size_t n = target.size();
    std::int64_t distance = 0; // base position minus target position of the last copy
    std::size_t pos = 0, newStart = 0;

    auto emit = [&](std::size_t copyLength, std::int64_t copyDistance) {
        PutVarint(out, pos - newStart);
        out.insert(out.end(), t + newStart, t + pos);
        PutVarint(out, copyLength);
        if (copyLength == 0) return;
        const std::int64_t change = copyDistance - distance;
        PutVarint(out, (std::uint64_t(change) << 1) ^ std::uint64_t(change >> 63));
        distance = copyDistance;
        pos += copyLength;
        newStart = pos;
    };

    while (pos < n) {
        // The copy before, continued at the same distance.
        const std::int64_t at = std::int64_t(pos) + distance;
        if (at >= 0 && std::size_t(at) < base.size()) {
            const std::size_t len = CommonLength(t + pos, b + at, std::min(n - pos, base.size() - std::size_t(at)));
            if (len >= kMinRepeatCopy) {
                emit(len, distance);
                continue;
            }
        }
        const std::size_t newBytes = pos - newStart + 1;
        if (pos + 8 <= n && newBytes >= kNewBytesBeforeProbing &&
            (newBytes < kNewBytesBeforeSkipping || newBytes % kSparseProbe == 0)) {
            const std::int64_t found = index.Find(t + pos);
            if (found >= 0) {
                const std::size_t len =
                    CommonLength(t + pos, b + found, std::min(n - pos, base.size() - std::size_t(found)));
                if (len >= kMinFoundCopy) {
                    emit(len, found - std::int64_t(pos));
                    continue;
                }
            }
        }
        ++pos;
    }
    if (newStart < n || out.empty()) emit(0, 0);
    out.shrink_to_fit();
    return out;
}

std::vector<std::uint8_t> DecodeDelta(std::span<const std::uint8_t> base, std::span<const std::uint8_t> delta) {
    std::vector<std::uint8_t> out;
    std::size_t pos = 0;
    std::int64_t distance = 0;
    while (pos < delta.size()) {
        const std::uint64_t fresh = GetVarint(delta, pos);
        if (fresh > delta.size() - pos) throw std::runtime_error("undo difference ends early");
        out.insert(out.end(), delta.begin() + pos, delta.begin() + pos + fresh);
        pos += fresh;
        const std::uint64_t copy = GetVarint(delta, pos);
        if (copy == 0) continue;
        const std::uint64_t zigzag = GetVarint(delta, pos);
        distance += std::int64_t(zigzag >> 1) ^ -std::int64_t(zigzag & 1);
        const std::int64_t from = std::int64_t(out.size()) + distance;
        if (from < 0 || std::uint64_t(from) > base.size() || copy > base.size() - std::uint64_t(from))
            throw std::runtime_error("undo difference copies from outside its base");
        out.insert(out.end(), base.begin() + from, base.begin() + from + std::int64_t(copy));
    }
    return out;
}

std::vector<std::uint8_t> EncodeUnpatch(std::span<const std::uint8_t> state, std::span<const StatePatch> patches) {
    if (state.size() >= 0xFFFFFFFFu) throw std::length_error("undo state too large");
    // The target is `state`; the base is the patched state. Between the patches the target
    // is a copy of the base, shifted by what the patches before added or removed.
    std::vector<std::uint8_t> out;
    std::int64_t distance = 0, shift = 0;
    std::size_t pos = 0; // in the target
    auto unit = [&](std::span<const std::uint8_t> fresh, std::size_t copyLength) {
        PutVarint(out, fresh.size());
        out.insert(out.end(), fresh.begin(), fresh.end());
        PutVarint(out, copyLength);
        if (copyLength == 0) return;
        const std::int64_t change = shift - distance;
        PutVarint(out, (std::uint64_t(change) << 1) ^ std::uint64_t(change >> 63));
        distance = shift;
    };
    std::span<const std::uint8_t> fresh;
    for (const StatePatch& p : patches) {
        if (p.offset < pos || p.offset > state.size() || p.length > state.size() - p.offset)
            throw std::invalid_argument("undo patches out of order");
        unit(fresh, p.offset - pos);
        fresh = state.subspan(p.offset, p.length);
        shift += std::int64_t(p.bytes.size()) - std::int64_t(p.length);
        pos = p.offset + p.length;
    }
    unit(fresh, state.size() - pos);
    out.shrink_to_fit();
    return out;
}

void ApplyPatches(std::vector<std::uint8_t>& state, std::span<const StatePatch> patches) {
    const bool sameLength =
        std::all_of(patches.begin(), patches.end(), [](const StatePatch& p) { return p.bytes.size() == p.length; });
    if (sameLength) {
        for (const StatePatch& p : patches) std::copy(p.bytes.begin(), p.bytes.end(), state.begin() + std::ptrdiff_t(p.offset));
        return;
    }
    std::vector<std::uint8_t> out;
    std::size_t size = state.size();
    for (const StatePatch& p : patches) size = size - p.length + p.bytes.size();
    out.reserve(size);
    std::size_t pos = 0;
    for (const StatePatch& p : patches) {
        out.insert(out.end(), state.begin() + std::ptrdiff_t(pos), state.begin() + std::ptrdiff_t(p.offset));
        out.insert(out.end(), p.bytes.begin(), p.bytes.end());
        pos = p.offset + p.length;
    }
    out.insert(out.end(), state.begin() + std::ptrdiff_t(pos), state.end());
    state = std::move(out);
}
