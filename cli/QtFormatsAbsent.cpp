// arborix-cli itself: no Qt formats; main() hands the commands that need them over.

#include "QtFormats.h"

const QtFormatEntries* QtFormats() { return nullptr; }
