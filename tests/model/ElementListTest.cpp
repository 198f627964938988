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
