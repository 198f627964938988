// libFuzzer target: the GraphML reader on arbitrary bytes. A refused file must leave the
// document as it was; whatever loads must be a consistent graph that survives the
// derived-data passes and a write/read round trip through the native format.

#include <cstddef>
#include <cstdint>
#include <string>

#include "io/DocumentFormat.h"
#include "io/TextExport.h"
#include "model/HeadlessPlatform.h"
#include "model/LattixDoc.h"
#include "shell/formats/GraphMl.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    g_nextId = 0;
    HeadlessPlatform platform;
    CLattixView view;
    platform.m_activeView = &view;
    CLattixDoc doc(platform);
    doc.AddView(&view);
    doc.OnNewDocument();
    std::string error;
    if (!ReadGraphMlBytes(doc, {data, size}, error)) {
        if (error.empty() || !doc.m_elements.empty()) __builtin_trap();
        return 0;
    }
    for (const CElement* e : doc.m_elements) {
        const CEdge* edge = e->AsEdge();
        if (edge && (!doc.m_elements.Contains(edge->m_v1) || !doc.m_elements.Contains(edge->m_v2))) __builtin_trap();
    }
    doc.RecomputeDerivedData();
    doc.RecomputeUlpCounts(true);
    BuildTextExport(doc);
    const auto bytes = WriteDocument(doc);
    CLattixDoc again(platform);
    if (ReadDocument(again, bytes) != LoadStatus::Ok) __builtin_trap();
    if (again.m_elements.size() != doc.m_elements.size()) __builtin_trap();
    return 0;
}
