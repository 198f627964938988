// What the TikZ, Ipe and DOT writers make of a small figure: names, escapes, flipped y,
// colours defined once and the guides' layer.

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "io/Figure.h"

namespace {

Figure Sample(bool directed) {
    Figure f;
    f.width = 200;
    f.height = 100;
    f.directed = directed;
    f.vertices.push_back({7, {20, 30}, 10, ColorIdToRgb(101), kWhite, kNoHighlight, "a_b&c"});
    f.vertices.push_back({9, {180, 70}, 10, MakeRgb(1, 2, 3), kBlack, MakeRgb(0, 255, 0), "\xE9"});
    FigureEdge e;
    e.from = 0;
    e.to = 1;
    e.points = {{30, 30}, {100, 90}, {170, 70}};
    e.bendFills = {ColorIdToRgb(101)};
    e.color = ColorIdToRgb(101);
    f.edges.push_back(e);
    return f;
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

} // namespace

TEST(FigureWriters, TikzNamesNodesAndDefinesEachColourOnce) {
    std::ostringstream out;
    WriteTikz(Sample(true), out);
    const std::string tex = out.str();
    EXPECT_EQ(Count(tex, "\\definecolor{Blue}"), 1u);
    EXPECT_EQ(Count(tex, "\\definecolor{rgb010203}"), 1u);
    EXPECT_NE(tex.find("(v7) at (20,30) {a\\_b\\&c}"), std::string::npos) << tex;
    EXPECT_NE(tex.find("{\xC3\xA9}"), std::string::npos); // Latin-1 in, UTF-8 out
    EXPECT_NE(tex.find("(v7) -- (100,90) -- (v9)"), std::string::npos) << tex;
    EXPECT_NE(tex.find("->"), std::string::npos);
    EXPECT_EQ(Count(tex, "\\begin{document}"), 1u);
    EXPECT_EQ(Count(tex, "\\end{document}"), 1u);
}

TEST(FigureWriters, DotFlipsYAndPinsPositionsInPoints) {
    std::ostringstream out;
    WriteDot(Sample(false), out);
    const std::string dot = out.str();
    EXPECT_EQ(dot.rfind("graph G {", 0), 0u);
    // (20, 30) of a 100-unit-high figure: 15pt right, (100 - 30) * 0.75 = 52.5pt up.
    EXPECT_NE(dot.find("v7 [pos=\"15,52.5!\""), std::string::npos) << dot;
    EXPECT_NE(dot.find("v7 -- v9"), std::string::npos);
    EXPECT_NE(dot.find("label=\"a_b&c\""), std::string::npos);
    // Three straight pieces' worth of spline points for two segments: 1 + 3 * 2.
    const std::regex route("pos=\"([^\"]*)\"\\]");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(dot, m, route));
    std::istringstream points(m[1].str());
    EXPECT_EQ(std::distance(std::istream_iterator<std::string>(points), std::istream_iterator<std::string>()), 7);
}

TEST(FigureWriters, IpeHasAGuidesLayerOnlyWithGuides) {
    std::ostringstream plain;
    WriteIpe(Sample(true), plain);
    EXPECT_EQ(plain.str().find("name=\"guides\""), std::string::npos);
    EXPECT_NE(plain.str().find("arrow=\"normal/normal\""), std::string::npos);
    EXPECT_NE(plain.str().find(">a\\_b\\&amp;c</text>"), std::string::npos) << plain.str();

    Figure f = Sample(false);
    f.tracks.push_back({1, 50, MakeRgb(200, 200, 200), 1, LineDash::Solid, true});
    std::ostringstream guided;
    WriteIpe(f, guided);
    EXPECT_NE(guided.str().find("<layer name=\"guides\"/>"), std::string::npos);
    EXPECT_NE(guided.str().find("<path layer=\"guides\""), std::string::npos);
    // y counts upwards in Ipe: the vertex at y 30 of 100 sits at 52.5pt.
    EXPECT_NE(guided.str().find("7.5 0 0 7.5 15 52.5 e"), std::string::npos) << guided.str();
}
