// libFuzzer target: the DOT reader on arbitrary bytes.
#include "ImportCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return CheckImport(data, size, ReadDot);
}
