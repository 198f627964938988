// The address tables that algorithm runs keep per element: every key found after the table
// grows, absent keys answer "missing", and a repeated list entry keeps its first position.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "model/AddressIndex.h"

namespace {

TEST(AddressIndex, MapKeepsEveryValueThroughGrowth) {
    // Neighbouring addresses, as elements of one allocation have them, probe into each other.
    std::vector<std::int64_t> cells(5000);
    AddressMap map;
    EXPECT_EQ(map.Get(&cells[0]), -1);
    for (std::size_t i = 0; i < cells.size(); i += 2) map.Set(&cells[i], static_cast<std::int32_t>(i));
    for (std::size_t i = 0; i < cells.size(); i += 4) map.Set(&cells[i], static_cast<std::int32_t>(i) + 1); // overwrite
    EXPECT_EQ(map.Size(), cells.size() / 2);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::int32_t expected = i % 4 == 0 ? static_cast<std::int32_t>(i) + 1 : i % 2 == 0 ? static_cast<std::int32_t>(i) : -7;
        ASSERT_EQ(map.Get(&cells[i], -7), expected) << i;
    }
    map.Clear();
    EXPECT_EQ(map.Size(), 0u);
    EXPECT_EQ(map.Get(&cells[2]), -1);
    map.Set(&cells[2], 9);
    EXPECT_EQ(map.Get(&cells[2]), 9);
}

TEST(AddressIndex, PositionsOfAList) {
    std::vector<std::unique_ptr<int>> owned;
    std::vector<int*> list;
    for (int i = 0; i < 3000; ++i) {
        owned.push_back(std::make_unique<int>(i));
        list.push_back(owned.back().get());
    }
    list.push_back(list[17]); // a repeat keeps the first position
    const PositionIndex<int> index(list);
    for (int i = 0; i < 3000; ++i) ASSERT_EQ(index.Of(list[i]), i);
    int outside = 0;
    EXPECT_EQ(index.Of(&outside), -1);
    const std::vector<int*> none;
    EXPECT_EQ(PositionIndex<int>(none).Of(&outside), -1);
}

} // namespace
