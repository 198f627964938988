#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "io/DocumentFormat.h"
#include "model/ElementName.h"
#include "support/TestDoc.h"

namespace {

// Names around the inline limit and the archive's length-prefix limits, and bytes a
// C string would cut short.
std::vector<std::string> AwkwardNames() {
    std::vector<std::string> names = {"", "a", "n123456", "n1234567", std::string("\0", 1),
                                      std::string("ab\0cd\0e", 7), std::string("ab\0cd\0ef", 8), "\xff\xfe"};
    for (std::size_t n : {254u, 255u, 65533u, 65534u, 65535u, 70000u}) names.push_back(std::string(n, 'q'));
    names.back()[35000] = '\0';
    return names;
}

} // namespace

TEST(ElementName, HoldsEveryLengthAndByte) {
    for (const std::string& s : AwkwardNames()) {
        ElementName name;
        name = s;
        EXPECT_EQ(name.size(), s.size());
        EXPECT_EQ(std::string(name), s);
        EXPECT_EQ(name.empty(), s.empty());
        EXPECT_EQ(name.OnHeap(), s.size() > ElementName::kInlineCapacity) << s.size();
        EXPECT_TRUE(name == s);
        EXPECT_FALSE(name == s + "x");
    }
    // Names that differ only after an embedded zero, or only in length, are different.
    EXPECT_FALSE(ElementName(std::string_view("a\0b", 3)) == ElementName(std::string_view("a\0c", 3)));
    EXPECT_FALSE(ElementName("abc") == ElementName(std::string_view("abc\0", 4)));
}

TEST(ElementName, CopiesMovesAndSelfAssignmentKeepTheBytes) {
    for (const std::string& s : {std::string("short"), std::string(40, 'L')}) {
        ElementName a(s);
        ElementName b(a);
        b = "changed";
        EXPECT_EQ(a, s) << "a copy owns its bytes";
        ElementName c(std::move(a));
        EXPECT_EQ(c, s);
        EXPECT_TRUE(a.empty());
        a = c;
        c = std::move(c);
        EXPECT_EQ(c, s);
        const ElementName& alias = c;
        c = alias;
        EXPECT_EQ(c, s);
        // Assigning a part of itself: the source lives in the word or block being replaced.
        c = c.view().substr(1);
        EXPECT_EQ(c, s.substr(1));
        c = std::string_view(c).substr(0, 2);
        EXPECT_EQ(c, s.substr(1, 2));
        EXPECT_EQ(c + "!", s.substr(1, 2) + "!");
        EXPECT_EQ("<" + a + ">", "<" + s + ">");
    }
}

TEST(ElementName, SavedNamesRoundTripByteForByte) {
    TestDoc t;
    const std::vector<std::string> names = AwkwardNames();
    CVertex* prev = nullptr;
    for (const std::string& s : names) {
        CVertex* v = t.Vertex(100, 100);
        v->m_name = s;
        if (prev) t.Edge(prev, v)->m_name = s;
        prev = v;
    }
    const std::vector<std::uint8_t> bytes = WriteDocument(t.d());
    TestDoc u;
    u.d().DeleteContents();
    ASSERT_EQ(ReadDocument(u.d(), bytes), LoadStatus::Ok);
    const std::vector<CVertex*> vertices = u.Vertices();
    ASSERT_EQ(vertices.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(vertices[i]->m_name, names[i]) << i;
    EXPECT_EQ(u.Edges().back()->m_name, names.back());
    EXPECT_EQ(WriteDocument(u.d()), bytes);
}
