#include "io/ParallelLanes.h"

#include <algorithm>
#include <tuple>

std::vector<std::int32_t> ParallelLanes(std::span<const std::pair<std::uint64_t, std::uint64_t>> ends) {
    struct Key {
        std::uint64_t a, b;
        std::uint32_t order;
    };
    std::vector<Key> keys(ends.size());
    for (std::size_t i = 0; i < ends.size(); ++i) {
        const auto [a, b] = std::minmax(ends[i].first, ends[i].second);
        keys[i] = {a, b, static_cast<std::uint32_t>(i)};
    }
    std::sort(keys.begin(), keys.end(),
              [](const Key& x, const Key& y) { return std::tie(x.a, x.b, x.order) < std::tie(y.a, y.b, y.order); });
    std::vector<std::int32_t> lanes(ends.size(), 0);
    for (std::size_t i = 1; i < keys.size(); ++i)
        if (keys[i].a == keys[i - 1].a && keys[i].b == keys[i - 1].b) lanes[keys[i].order] = lanes[keys[i - 1].order] + 1;
    return lanes;
}
