// arborix-cli-graphml: GraphML on Qt Core, no pictures.

#include "QtFormats.h"
#include "shell/formats/GraphMl.h"

namespace {

constexpr QtFormatEntries kEntries{ReadGraphMl, WriteGraphMl, nullptr, nullptr};

} // namespace

const QtFormatEntries* QtFormats() { return &kEntries; }
