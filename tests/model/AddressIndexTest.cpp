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

// Elements of one array, listed as stretches of neighbours out of address order: positions
// come from the stretches, and an address between elements or past a stretch is not found.
TEST(AddressIndex, PositionsOfStretchesOfNeighbours) {
    struct Cell {
        std::int64_t a, b;
    };
    std::vector<Cell> cells(1000);
    std::vector<Cell*> list;
    for (int from : {600, 0, 900, 300}) // 300 cells are left out: 100..299 and 400..599 partly
        for (int i = from; i < from + 100; ++i) list.push_back(&cells[i]);
    const PositionIndex<Cell> index(list);
    for (std::size_t i = 0; i < list.size(); ++i) ASSERT_EQ(index.Of(list[i]), static_cast<std::int32_t>(i));
    EXPECT_EQ(index.Of(&cells[150]), -1);
    EXPECT_EQ(index.Of(&cells[700]), -1);
    EXPECT_EQ(index.Of(reinterpret_cast<const Cell*>(&cells[601].b)), -1); // inside an element
    const Cell outside{};
    EXPECT_EQ(index.Of(&outside), -1);

    // A repeat in the middle of a stretch, and a list of lone elements: still first positions.
    std::vector<Cell*> repeated = list;
    repeated.push_back(list[150]);
    repeated.push_back(&cells[150]);
    const PositionIndex<Cell> again(repeated);
    EXPECT_EQ(again.Of(list[150]), 150);
    EXPECT_EQ(again.Of(&cells[150]), static_cast<std::int32_t>(repeated.size()) - 1);
    std::vector<Cell*> every;
    for (std::size_t i = 0; i < cells.size(); i += 2) every.push_back(&cells[i]);
    const PositionIndex<Cell> sparse(every);
    for (std::size_t i = 0; i < cells.size(); ++i)
        ASSERT_EQ(sparse.Of(&cells[i]), i % 2 ? -1 : static_cast<std::int32_t>(i / 2)) << i;
}

TEST(AddressIndex, ListValuesByPositionAndByAddress) {
    std::vector<int> cells(50);
    std::vector<int*> list;
    for (int i = 10; i < 40; ++i) list.push_back(&cells[i]);
    ListValueMap<int> values;
    EXPECT_EQ(values.Get(&cells[10]), -1);
    values.Set(&cells[3], 7); // no list yet: kept by address
    EXPECT_EQ(values.Get(&cells[3]), 7);
    values.Assign(list, std::vector<std::int32_t>(list.size(), 4));
    EXPECT_EQ(values.Get(&cells[3]), -1); // replaced with the rest
    EXPECT_EQ(values.Get(&cells[25]), 4);
    values.Set(&cells[25], 9);
    values.Set(&cells[45], 8);
    EXPECT_EQ(values.Get(&cells[25]), 9);
    EXPECT_EQ(values.Get(&cells[45]), 8);
    EXPECT_EQ(values.Get(&cells[44]), -1);
    list.clear(); // the map keeps its own copy
    EXPECT_EQ(values.Get(&cells[39]), 4);
    values.Reset(std::vector<int*>{&cells[0]});
    EXPECT_EQ(values.Get(&cells[25]), -1);
    EXPECT_EQ(values.Get(&cells[45]), -1);
}

} // namespace
