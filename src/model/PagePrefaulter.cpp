#include "model/PagePrefaulter.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

bool PagePrefaulter::Supported() {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    return true;
#else
    return false;
#endif
}

PagePrefaulter::PagePrefaulter() : m_thread([this](std::stop_token stop) { Run(stop); }) {}

PagePrefaulter::~PagePrefaulter() {
    m_thread.request_stop();
    // The jthread joins on destruction, before the queue and the lock go.
}

void PagePrefaulter::Post(char* from, std::size_t bytes) noexcept {
    try {
        {
            const std::lock_guard guard(m_lock);
            m_queue.emplace_back(from, bytes);
        }
        m_posted.notify_one();
    } catch (...) {
        // Out of memory for the queue: the pages fault in when touched instead.
    }
}

void PagePrefaulter::Run(std::stop_token stop) {
    for (;;) {
        std::pair<char*, std::size_t> stretch;
        {
            std::unique_lock lock(m_lock);
            if (!m_posted.wait(lock, stop, [&] { return !m_queue.empty(); })) return;
            stretch = m_queue.front();
            m_queue.pop_front();
        }
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
        madvise(stretch.first, stretch.second, MADV_POPULATE_WRITE); // a hint: failure is harmless
#endif
    }
}
