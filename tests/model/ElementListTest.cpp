#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "model/ElementList.h"

struct ElementListProbe {
    static void MoveCounters(ElementList& list, std::int32_t first, std::int32_t last) {
        list.m_firstSeq = first;
        list.m_lastSeq = last;
    }
};

namespace {

// Precedes must agree with the walk order for every pair.
void ExpectOrderKept(const ElementList& list) {
    std::vector<CElement*> order(list.begin(), list.end());
    for (std::size_t i = 0; i < order.size(); ++i)
        for (std::size_t j = 0; j < order.size(); ++j)
            EXPECT_EQ(ElementList::Precedes(order[i], order[j]), i < j) << i << " " << j;
}

} // namespace

TEST(ElementList, PositionsStayComparableWhenTheCountersRunOut) {
    ElementList list;
    for (int i = 0; i < 3; ++i) list.Append(new CVertex());
    // Both ends at their last numbers: the next insertions must renumber, not wrap.
    ElementListProbe::MoveCounters(list, std::numeric_limits<std::int32_t>::min(),
                                   std::numeric_limits<std::int32_t>::max());
    CElement* back = new CVertex();
    list.Append(back);
    CElement* front = new CVertex();
    list.Prepend(front);
    ElementListProbe::MoveCounters(list, std::numeric_limits<std::int32_t>::min(),
                                   std::numeric_limits<std::int32_t>::max());
    list.Prepend(new CVertex());
    list.Append(new CVertex());
    ASSERT_EQ(list.size(), 7u);
    EXPECT_EQ(*std::next(list.begin()), front);
    ExpectOrderKept(list);
    list.Detach(back);
    DestroyElement(back);
    list.Append(new CVertex());
    ExpectOrderKept(list);
}

namespace {

std::vector<CElement*> Walk(const SelectionList& s) { return {s.begin(), s.end()}; }

} // namespace

TEST(SelectionList, KeepsOrderThroughRemovalsReuseAndReordering) {
    ElementList owner;
    std::vector<CElement*> e;
    for (int i = 0; i < 6; ++i) {
        e.push_back(new CVertex());
        owner.Append(e.back());
    }
    SelectionList a, b;
    for (int i : {0, 1, 2, 3}) a.Append(e[i]);
    b.Append(e[4]); // the same slot number as e[0] in the other list
    EXPECT_TRUE(a.Contains(e[0]));
    EXPECT_FALSE(b.Contains(e[0]));
    EXPECT_FALSE(a.Contains(e[4]));

    a.Remove(e[1]);
    a.Append(e[5]); // takes the freed slot, but goes last
    EXPECT_EQ(Walk(a), (std::vector<CElement*>{e[0], e[2], e[3], e[5]}));
    // The loop body may remove the element it is at.
    for (CElement* x : a)
        if (x == e[2] || x == e[5]) a.Remove(x);
    EXPECT_EQ(Walk(a), (std::vector<CElement*>{e[0], e[3]}));
    EXPECT_EQ(a.size(), 2u);

    a.Append(e[1]);
    a.Reorder(std::vector<CElement*>{e[1], e[3]});
    EXPECT_EQ(Walk(a), (std::vector<CElement*>{e[1], e[3], e[0]}));
    EXPECT_EQ(a.front(), e[1]);

    // A destroyed element leaves its selection.
    owner.Detach(e[3]);
    DestroyElement(e[3]);
    EXPECT_EQ(Walk(a), (std::vector<CElement*>{e[1], e[0]}));

    // Emptied one by one or cleared, a list starts afresh and its elements belong nowhere.
    a.Remove(e[1]);
    a.Remove(e[0]);
    EXPECT_TRUE(a.empty());
    EXPECT_EQ(a.front(), nullptr);
    a.Append(e[2]);
    EXPECT_EQ(Walk(a), (std::vector<CElement*>{e[2]}));
    b.Clear();
    EXPECT_FALSE(b.Contains(e[4]));
    b.Append(e[0]);
    EXPECT_TRUE(b.Contains(e[0]));
    EXPECT_FALSE(a.Contains(e[0]));
}
