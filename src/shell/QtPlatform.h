#pragma once
// The platform of the desktop program: Qt message boxes and dialogs, the clock, a sleep
// that keeps the windows painted, a progress dialog, and the active view of the main window.

#include <functional>

#include <QElapsedTimer>

#include "model/Platform.h"

class QDialog;
class QWidget;

class QtPlatform : public IPlatform {
public:
    QtPlatform();

    void ShowMessage(std::string_view text, MessageIcon icon = MessageIcon::Information) override;
    void ShowMessageDetail(std::string_view text, std::string_view detail, MessageIcon icon) override;
    bool AskOkCancel(std::string_view text) override;
    std::optional<std::string> RunTextDialog(TextDialogKind kind, const std::string& initial) override;
    std::optional<std::int32_t> RunTrackNumberDialog(std::int32_t initial) override;
    std::optional<GuidesDialogValues> RunGuidesDialog(const GuidesDialogValues& initial) override;
    std::optional<ColorTracksDialogValues> RunColorTracksDialog(const ColorTracksDialogValues& initial) override;
    std::optional<DrawDialogValues> RunDrawDialog(const DrawDialogValues& initial) override;
    std::optional<RelabelFormat> RunRelabelDialog(int selectedVertices) override;
    std::optional<std::int32_t> RunRandomTreeDialog(std::int32_t initial) override;
    std::optional<std::string> AskTextExportPath() override;
    std::uint32_t TickCount() override;
    void Sleep(int ms) override;
    CDocView* ActiveView() override;
    std::unique_ptr<IProgress> BeginProgress(std::string_view caption, std::int64_t total) override;

    // The window that owns the dialogs, and where the active view comes from.
    std::function<QWidget*()> m_parent;
    std::function<CDocView*()> m_activeView;
    // Tests fill and close every dialog through this, called once it is on screen; the
    // dialog's result decides as a user's would.
    std::function<void(QDialog&)> m_dialogDriver;
    // Tests answer the save-file dialog of the text export through this.
    std::function<std::optional<std::string>()> m_exportPathDriver;

private:
    QWidget* Parent() const;
    // Runs a modal dialog, letting the driver work it when one is set; true for OK.
    bool Run(QDialog& dialog);

    QElapsedTimer m_clock;
};
