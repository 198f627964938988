#pragma once
// Work split into numbered parts and shared among threads, for counts whose sum must not
// depend on how many threads there were.

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace crossings {

// Runs `part(k, worker)` for k in 0..parts-1 on up to `threads` threads and sums the
// results; the sum is the same whatever the threads.
template <class Part>
std::int64_t SumOverParts(std::size_t parts, unsigned threads, Part part) {
    threads = unsigned(std::min<std::size_t>(std::max(threads, 1u), parts));
    if (threads <= 1) {
        std::int64_t sum = 0;
        for (std::size_t k = 0; k < parts; ++k) sum += part(k, 0u);
        return sum;
    }
    std::atomic<std::size_t> next{0};
    std::vector<std::int64_t> sums(threads, 0);
    std::exception_ptr failure;
    std::mutex failureLock;
    auto work = [&](unsigned w) {
        try {
            for (std::size_t k; (k = next.fetch_add(1)) < parts;) sums[w] += part(k, w);
        } catch (...) {
            // Out of memory, most likely: the others stop too, and the caller hears of it
            // as if it had counted alone.
            next = parts;
            const std::lock_guard lock(failureLock);
            if (!failure) failure = std::current_exception();
        }
    };
    std::vector<std::thread> pool;
    pool.reserve(threads - 1);
    for (unsigned w = 1; w < threads; ++w) {
        try {
            pool.emplace_back(work, w);
        } catch (const std::system_error&) {
            break; // no more threads to be had: fewer workers take all the parts
        }
    }
    work(0);
    for (auto& t : pool) t.join();
    if (failure) std::rethrow_exception(failure);
    std::int64_t sum = 0;
    for (std::int64_t s : sums) sum += s;
    return sum;
}

} // namespace crossings
