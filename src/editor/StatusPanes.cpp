#include "editor/StatusPanes.h"

#include "model/LattixDoc.h"

namespace {

std::string Counted(std::int32_t n, const char* singular, const char* plural) {
    return std::to_string(n) + (n == 1 ? singular : plural);
}

} // namespace

std::string CrossingsPaneText(const CLattixDoc& doc) {
    const std::int32_t total = doc.TotalCrossings();
    std::string text = Counted(total, " Crossing", " Crossings");
    if (total > 0) text += " (";
    // Display order differs from the stored order of the counters.
    static constexpr int kDisplayOrder[8] = {kEdgeBlue, kEdgeRed, kEdgeGreen, kEdgeYellow,
                                             kEdgeOrange, kEdgeCyan, kEdgePurple, kEdgeBlack};
    bool earlier = false;
    for (int code : kDisplayOrder) {
        const std::int32_t n = doc.CrossingsOf(code);
        if (n <= 0) continue;
        const std::string name(EdgeCodeName(code));
        if (earlier) text += "," + std::to_string(n) + " " + name;
        else if (total == 1) text += name;
        else text += std::to_string(n) + " " + name;
        earlier = true;
    }
    if (total > 0) text += ")";
    return text;
}

std::string ComponentsPaneText(const CLattixDoc& doc) {
    const std::int32_t c = doc.m_componentCount, r = doc.m_treeCount;
    const std::int32_t u = doc.m_caterpillarCount + doc.m_spiderCount + doc.m_starCount;
    std::string text;
    if (c > 0) text += Counted(c, " Connected Component", " Connected Components");
    if (r > 0) {
        if (c > 0) text += ", ";
        text += Counted(r, " Tree", " Trees");
    }
    if (u > 0) {
        if (c > 0 || r > 0) text += ", ";
        text += Counted(u, " ULP Tree", " ULP Trees") + " (";
        bool earlier = false;
        auto part = [&](std::int32_t n, const char* one, const char* many) {
            if (n <= 0) return;
            if (earlier) text += ", ";
            text += n == 1 ? std::string("1") + one : std::to_string(n) + many;
            earlier = true;
        };
        part(doc.m_caterpillarCount, " Caterpillar", " Caterpillars");
        part(doc.m_starCount, " Radius 2 Star", " Radius 2 Stars");
        part(doc.m_spiderCount, " 3-Spider", " 3-Spiders");
        text += ")";
    }
    return text;
}
