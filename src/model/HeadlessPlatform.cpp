#include "model/HeadlessPlatform.h"

void HeadlessPlatform::ShowMessage(std::string_view text, MessageIcon) {
    m_messages.emplace_back(text);
    if (m_echo) m_echo(text);
}

bool HeadlessPlatform::AskOkCancel(std::string_view text) {
    m_questions.emplace_back(text);
    if (m_echo) m_echo(text);
    if (m_answers.empty()) return m_defaultAnswer;
    const bool a = m_answers.front();
    m_answers.pop_front();
    return a;
}

std::optional<std::string> HeadlessPlatform::RunTextDialog(TextDialogKind, const std::string& initial) {
    return Answer(m_textAnswers, initial);
}

std::optional<std::int32_t> HeadlessPlatform::RunTrackNumberDialog(std::int32_t initial) {
    return Answer(m_trackNumberAnswers, initial);
}

std::optional<GuidesDialogValues> HeadlessPlatform::RunGuidesDialog(const GuidesDialogValues& initial) {
    return Answer(m_guidesAnswers, initial);
}

std::optional<ColorTracksDialogValues> HeadlessPlatform::RunColorTracksDialog(const ColorTracksDialogValues& initial) {
    return Answer(m_colorTracksAnswers, initial);
}

std::optional<DrawDialogValues> HeadlessPlatform::RunDrawDialog(const DrawDialogValues& initial) {
    return Answer(m_drawAnswers, initial);
}

std::optional<RelabelFormat> HeadlessPlatform::RunRelabelDialog(int selectedVertices) {
    return Answer(m_relabelAnswers, selectedVertices > 26 ? RelabelFormat::Numbers : RelabelFormat::Lowercase);
}

std::optional<std::int32_t> HeadlessPlatform::RunRandomTreeDialog(std::int32_t initial) {
    return Answer(m_randomTreeAnswers, initial);
}

std::optional<std::string> HeadlessPlatform::AskTextExportPath() {
    if (m_exportPathAnswers.empty()) return std::nullopt;
    std::optional<std::string> a = m_exportPathAnswers.front();
    m_exportPathAnswers.pop_front();
    return a;
}

void HeadlessPlatform::Sleep(int ms) {
    if (ms > 0) {
        m_sleptMs += ms;
        m_ticks += static_cast<std::uint32_t>(ms);
    }
}

namespace {
class CallbackProgress final : public IProgress {
public:
    CallbackProgress(std::function<bool(std::string_view, std::int64_t, std::int64_t)> f, std::string caption,
                     std::int64_t total)
        : m_f(std::move(f)), m_caption(std::move(caption)), m_total(total) {}
    bool Update(std::int64_t done) override { return !m_f || m_f(m_caption, done, m_total); }

private:
    std::function<bool(std::string_view, std::int64_t, std::int64_t)> m_f;
    std::string m_caption;
    std::int64_t m_total;
};
} // namespace

std::unique_ptr<IProgress> HeadlessPlatform::BeginProgress(std::string_view caption, std::int64_t total) {
    return std::make_unique<CallbackProgress>(m_progress, std::string(caption), total);
}
