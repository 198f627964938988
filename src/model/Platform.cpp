#include "model/Platform.h"

namespace {
class SilentProgress final : public IProgress {
public:
    bool Update(std::int64_t) override { return true; }
};
} // namespace

std::unique_ptr<IProgress> IPlatform::BeginProgress(std::string_view, std::int64_t) {
    return std::make_unique<SilentProgress>();
}

void IPlatform::ShowMessageDetail(std::string_view text, std::string_view, MessageIcon icon) { ShowMessage(text, icon); }
