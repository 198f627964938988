#pragma once
// A platform without windows: it records every message and question, answers questions
// and dialogs from scripted queues (or with a default), and keeps its own clock. The
// command-line program and the tests run documents on it.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "model/Platform.h"

class HeadlessPlatform : public IPlatform {
public:
    void ShowMessage(std::string_view text, MessageIcon icon = MessageIcon::Information) override;
    bool AskOkCancel(std::string_view text) override;
    std::optional<std::string> RunTextDialog(TextDialogKind kind, const std::string& initial) override;
    std::optional<std::int32_t> RunTrackNumberDialog(std::int32_t initial) override;
    std::optional<GuidesDialogValues> RunGuidesDialog(const GuidesDialogValues& initial) override;
    std::optional<ColorTracksDialogValues> RunColorTracksDialog(const ColorTracksDialogValues& initial) override;
    std::optional<DrawDialogValues> RunDrawDialog(const DrawDialogValues& initial) override;
    std::optional<RelabelFormat> RunRelabelDialog(int selectedVertices) override;
    std::optional<std::int32_t> RunRandomTreeDialog(std::int32_t initial) override;
    std::optional<std::string> AskTextExportPath() override;
    std::uint32_t TickCount() override { return m_ticks; }
    void Sleep(int ms) override;
    CDocView* ActiveView() override { return m_activeView; }
    std::unique_ptr<IProgress> BeginProgress(std::string_view caption, std::int64_t total) override;

    // Everything shown so far, in order.
    std::vector<std::string> m_messages;
    std::vector<std::string> m_questions;
    // Called for every message and question as it is shown (the CLI prints them).
    std::function<void(std::string_view)> m_echo;

    // Answers to questions, used in order; when empty, m_defaultAnswer.
    std::deque<bool> m_answers;
    bool m_defaultAnswer = false;

    // Scripted dialog results, used in order. An empty optional is Cancel. When a queue
    // is empty the dialog is confirmed with its initial values, or cancelled when
    // m_acceptDialogs is false.
    std::deque<std::optional<std::string>> m_textAnswers;
    std::deque<std::optional<std::int32_t>> m_trackNumberAnswers;
    std::deque<std::optional<GuidesDialogValues>> m_guidesAnswers;
    std::deque<std::optional<ColorTracksDialogValues>> m_colorTracksAnswers;
    std::deque<std::optional<DrawDialogValues>> m_drawAnswers;
    std::deque<std::optional<RelabelFormat>> m_relabelAnswers;
    std::deque<std::optional<std::int32_t>> m_randomTreeAnswers;
    std::deque<std::optional<std::string>> m_exportPathAnswers;
    bool m_acceptDialogs = true;

    std::uint32_t m_ticks = 0;
    std::int64_t m_sleptMs = 0;
    CDocView* m_activeView = nullptr;
    // Progress: the callback sees (caption, done, total) and may cancel by returning false.
    std::function<bool(std::string_view, std::int64_t, std::int64_t)> m_progress;

private:
    template <typename T>
    std::optional<T> Answer(std::deque<std::optional<T>>& queue, const T& initial) {
        if (queue.empty()) return m_acceptDialogs ? std::optional<T>(initial) : std::nullopt;
        std::optional<T> a = queue.front();
        queue.pop_front();
        return a;
    }
};
