#pragma once
// Faults pages of anonymous memory in on a thread of its own, so that a thread that fills
// memory fast (a large load) does not wait while the system clears each page for it.
// Faulting a page in changes nothing a program can read, so a stretch posted and never
// reached, or reached first by the thread that fills it, is harmless either way.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

class PagePrefaulter {
public:
    // Starts the thread; throws std::system_error when none can be had.
    PagePrefaulter();
    // Drops the stretches not begun and waits for the one under way.
    ~PagePrefaulter();
    PagePrefaulter(const PagePrefaulter&) = delete;
    PagePrefaulter& operator=(const PagePrefaulter&) = delete;

    // Queues a page-aligned stretch; returns at once. A stretch that cannot be queued is
    // left to be faulted in when touched.
    void Post(char* from, std::size_t bytes) noexcept;
    // Whether this system can fault pages in ahead at all.
    static bool Supported();

private:
    void Run(std::stop_token stop);

    std::mutex m_lock;
    std::condition_variable_any m_posted;
    std::deque<std::pair<char*, std::size_t>> m_queue;
    std::jthread m_thread; // last: it starts once the queue exists, and is joined first
};
