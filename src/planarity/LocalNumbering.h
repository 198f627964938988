#pragma once
// Numbers the vertices a subgraph touches 0, 1, 2, ... in the order they are first met,
// so that each planarity test of a subgraph runs on a small graph; a new round starts
// without clearing arrays the size of the whole graph.

#include <cstdint>
#include <vector>

class LocalNumbering {
public:
    explicit LocalNumbering(std::int32_t n) : m_stamp(n, 0), m_local(n, 0) {}
    void NewRound() {
        ++m_round;
        m_count = 0;
    }
    std::int32_t Of(std::int32_t v) {
        if (m_stamp[v] != m_round) {
            m_stamp[v] = m_round;
            m_local[v] = m_count++;
        }
        return m_local[v];
    }
    // Vertices numbered in this round.
    std::int32_t Count() const { return m_count; }

private:
    std::vector<std::uint32_t> m_stamp;
    std::vector<std::int32_t> m_local;
    std::uint32_t m_round = 0;
    std::int32_t m_count = 0;
};
