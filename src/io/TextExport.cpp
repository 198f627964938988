#include "io/TextExport.h"

#include <algorithm>
#include <climits>
#include <unordered_map>

#include "io/FileIO.h"
#include "model/LattixDoc.h"

std::string BuildTextExport(const CLattixDoc& doc) {
    std::unordered_map<const CVertex*, std::string> numbers;
    int k = 0;
    std::int32_t minX = INT32_MAX, maxX = INT32_MIN, minY = INT32_MAX, maxY = INT32_MIN;
    for (CElement* e : doc.m_elements) {
        const CVertex* v = e->AsVertex();
        if (!v) continue;
        numbers[v] = std::to_string(k++);
        minX = std::min(minX, v->m_center.x);
        maxX = std::max(maxX, v->m_center.x);
        minY = std::min(minY, v->m_center.y);
        maxY = std::max(maxY, v->m_center.y);
    }
    // Halves of the sums truncate towards zero; computed wide so extreme files stay defined.
    const std::int64_t midX = (std::int64_t(minX) + maxX) / 2;
    const std::int64_t midY = (std::int64_t(minY) + maxY) / 2;
    auto numberOf = [&](const CVertex* v) {
        auto it = numbers.find(v);
        return it != numbers.end() ? it->second : v->m_exportName;
    };

    std::string out;
    for (CElement* e : doc.m_elements) {
        if (const CVertex* v = e->AsVertex()) {
            out += "node " + numbers[v] + " " + std::to_string(v->m_center.x - midX) + " " +
                   std::to_string(v->m_center.y - midY) + "\r\n";
        }
    }
    out += "\r\n";
    for (CElement* e : doc.m_elements) {
        if (const CEdge* edge = e->AsEdge(); edge && edge->m_v1 && edge->m_v2)
            out += "edge 0 " + numberOf(edge->m_v1) + " " + numberOf(edge->m_v2) + "\r\n";
    }
    return out;
}

void ApplyExportNames(CLattixDoc& doc) {
    int k = 0;
    for (CElement* e : doc.m_elements) {
        if (CVertex* v = e->AsVertex()) {
            v->m_exportName = std::to_string(k++);
            v->m_name = v->m_exportName;
        }
    }
}

bool CLattixDoc::ExportText(const std::string& path) {
    const std::string text = BuildTextExport(*this);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    std::string reason;
    if (!WriteFileAtomically(path, {bytes, text.size()}, &reason)) {
        Platform().ShowMessageDetail("Couldn't save the file", path + ": " + reason);
        return false;
    }
    // The export names the vertices by their numbers; the views show it at their next
    // repaint, and neither undo nor the modified flag records it.
    ApplyExportNames(*this);
    return true;
}

void CLattixDoc::OnFileExportText() {
    if (auto path = Platform().AskTextExportPath()) ExportText(*path);
}
