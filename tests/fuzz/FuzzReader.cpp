// libFuzzer target: the document reader on arbitrary bytes. Whatever loads must survive
// the derived-data passes and a write/read round trip.

#include <cstddef>
#include <cstdint>

#include "io/DocumentFormat.h"
#include "model/HeadlessPlatform.h"
#include "model/LattixDoc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    HeadlessPlatform platform;
    CLattixView view;
    platform.m_activeView = &view;
    CLattixDoc doc(platform);
    doc.AddView(&view);
    if (!doc.OpenFromBytes({data, size})) return 0;
    doc.RecomputeUlpCounts(true);
    const auto bytes = WriteDocument(doc);
    CLattixDoc again(platform);
    if (ReadDocument(again, bytes) != LoadStatus::Ok) __builtin_trap();
    return 0;
}
