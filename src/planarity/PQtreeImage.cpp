#include "planarity/PQtreeImage.h"

#include <utility>

#include "planarity/PQnode.h"

namespace {

// Word layout: bits 0-1 node type, 2-4 label, 5 arrow, 6 shade, 7-8 edge class, 9-31 a
// payload (child count, or st-number of a leaf). A payload that does not fit is stored
// in the next word. Labels outside 0..4 and classes outside 0..2 draw alike, so they
// share one code each.
constexpr std::uint32_t kPayloadShift = 9;
constexpr std::uint32_t kPayloadEscape = (1u << (32 - kPayloadShift)) - 1;
constexpr std::uint32_t kOtherLabel = 7;
constexpr std::uint32_t kOtherKind = 3;

std::uint32_t TypeCode(PQNodeType t) { return t == PQNodeType::P ? 0 : t == PQNodeType::Q ? 1 : 2; }

void Put(std::vector<std::uint32_t>& out, const CNode& n, std::int32_t payload) {
    const std::uint32_t label = n.m_label >= 0 && n.m_label <= 4 ? std::uint32_t(n.m_label) : kOtherLabel;
    const std::uint32_t kind = n.m_kind >= 0 && n.m_kind <= 2 ? std::uint32_t(n.m_kind) : kOtherKind;
    const bool escaped = payload < 0 || std::uint32_t(payload) >= kPayloadEscape;
    out.push_back(TypeCode(n.Type()) | label << 2 | std::uint32_t(n.m_arrow) << 5 | std::uint32_t(n.m_shaded) << 6 |
                  kind << 7 | (escaped ? kPayloadEscape : std::uint32_t(payload)) << kPayloadShift);
    if (escaped) out.push_back(std::uint32_t(payload));
}

} // namespace

PQtreeImage PQtreeImage::Of(const CNode* root) {
    PQtreeImage image;
    if (!root) return image;
    // Snapshots follow each other closely; one scratch buffer serves them all, and each
    // image gets exactly the memory it needs.
    static thread_local std::vector<std::uint32_t> buffer;
    static thread_local std::vector<const CNode*> stack;
    buffer.clear();
    stack.assign(1, root);
    while (!stack.empty()) {
        const CNode* n = stack.back();
        stack.pop_back();
        if (n->IsLeaf()) {
            Put(buffer, *n, static_cast<const CLeafnode*>(n)->ShownStNumber());
            continue;
        }
        Put(buffer, *n, n->ChildCount());
        for (const CNode* c = n->LastChild(); c; c = c->PrevSibling()) stack.push_back(c);
    }
    image.m_words.assign(buffer.begin(), buffer.end());
    return image;
}

std::unique_ptr<CNode> PQtreeImage::Build() const {
    if (m_words.empty()) return nullptr;
    std::unique_ptr<CNode> root;
    // Inner nodes waiting for children, with the number still to come.
    std::vector<std::pair<CNode*, std::uint32_t>> open;
    for (std::size_t i = 0; i < m_words.size(); ++i) {
        const std::uint32_t w = m_words[i];
        std::uint32_t payload = w >> kPayloadShift;
        if (payload == kPayloadEscape) payload = m_words[++i];
        CNode* n = nullptr;
        switch (w & 3) {
        case 0: n = new CPnode(); break;
        case 1: n = new CQnode(); break;
        default: n = new CLeafnode(static_cast<std::int32_t>(payload)); break;
        }
        const std::uint32_t label = (w >> 2) & 7;
        const std::uint32_t kind = (w >> 7) & 3;
        n->m_label = label == kOtherLabel ? -1 : std::int32_t(label);
        n->m_arrow = (w >> 5) & 1;
        n->m_shaded = (w >> 6) & 1;
        n->m_kind = kind == kOtherKind ? -1 : std::int32_t(kind);
        if (open.empty()) root.reset(n);
        else {
            open.back().first->AppendChild(n);
            if (--open.back().second == 0) open.pop_back();
        }
        if (!n->IsLeaf() && payload > 0) open.push_back({n, payload});
    }
    return root;
}
