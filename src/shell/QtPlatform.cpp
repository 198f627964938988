#include "shell/QtPlatform.h"

#include <limits>

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QProgressDialog>
#include <QTimer>

#include "shell/CommandGuard.h"
#include "shell/MessageBoxes.h"
#include "shell/dialogs/ChoiceDialogs.h"
#include "shell/dialogs/GuidesDialog.h"
#include "shell/dialogs/IntegerDialogs.h"
#include "shell/dialogs/TextFieldDialogs.h"

QtPlatform::QtPlatform() { m_clock.start(); }

QWidget* QtPlatform::Parent() const {
    if (m_parent) return m_parent();
    return QApplication::activeWindow();
}

bool QtPlatform::Run(QDialog& dialog) {
    if (m_dialogDriver) QTimer::singleShot(0, &dialog, [this, &dialog] { m_dialogDriver(dialog); });
    return dialog.exec() == QDialog::Accepted;
}

void QtPlatform::ShowMessage(std::string_view text, MessageIcon icon) {
    ShowMessageBox(Parent(), QString::fromUtf8(text.data(), static_cast<int>(text.size())), icon);
}

void QtPlatform::ShowMessageDetail(std::string_view text, std::string_view detail, MessageIcon icon) {
    ShowMessageBox(Parent(), QString::fromUtf8(text.data(), static_cast<int>(text.size())),
                   QString::fromUtf8(detail.data(), static_cast<int>(detail.size())), icon);
}

bool QtPlatform::AskOkCancel(std::string_view text) {
    return AskOkCancelBox(Parent(), QString::fromUtf8(text.data(), static_cast<int>(text.size())));
}

std::optional<std::string> QtPlatform::RunTextDialog(TextDialogKind kind, const std::string& initial) {
    const QString start = QString::fromStdString(initial);
    std::unique_ptr<CTextFieldDialog> dialog;
    switch (kind) {
    case TextDialogKind::ResetLabelCounter: dialog = std::make_unique<CLabelCounterDialog>(start, Parent()); break;
    case TextDialogKind::Rename: dialog = std::make_unique<CRenameDialog>(start, Parent()); break;
    case TextDialogKind::Resize: dialog = std::make_unique<CSizeDialog>(start, Parent()); break;
    case TextDialogKind::Weight: dialog = std::make_unique<CWeightDialog>(start, Parent()); break;
    }
    if (!Run(*dialog)) return std::nullopt;
    return dialog->Text().toStdString();
}

std::optional<std::int32_t> QtPlatform::RunTrackNumberDialog(std::int32_t initial) {
    CTrackNumberDialog dialog(initial, Parent());
    if (!Run(dialog)) return std::nullopt;
    return dialog.Value();
}

std::optional<GuidesDialogValues> QtPlatform::RunGuidesDialog(const GuidesDialogValues& initial) {
    CGuidesDialog dialog(initial, Parent());
    if (!Run(dialog)) return std::nullopt;
    return dialog.Values();
}

std::optional<ColorTracksDialogValues> QtPlatform::RunColorTracksDialog(const ColorTracksDialogValues& initial) {
    CColorTrackDialog dialog(initial, Parent());
    if (!Run(dialog)) return std::nullopt;
    return dialog.Values();
}

std::optional<DrawDialogValues> QtPlatform::RunDrawDialog(const DrawDialogValues& initial) {
    CAnimateDialog dialog(initial, Parent());
    if (!Run(dialog)) return std::nullopt;
    return dialog.Values();
}

std::optional<RelabelFormat> QtPlatform::RunRelabelDialog(int selectedVertices) {
    CRelabelVertices dialog(selectedVertices, Parent());
    if (!Run(dialog)) return std::nullopt;
    return dialog.Format();
}

std::optional<std::int32_t> QtPlatform::RunRandomTreeDialog(std::int32_t initial) {
    CRandomTreeDialog dialog(initial, Parent());
    if (!Run(dialog)) return std::nullopt;
    return dialog.m_numVertices;
}

std::optional<std::string> QtPlatform::AskTextExportPath() {
    if (m_exportPathDriver) return m_exportPathDriver();
    QFileDialog dialog(Parent(), "Export As Text File", QString(), "Text File (*.txt);;All Files (*)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("txt");
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.selectFile("*.txt");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

std::uint32_t QtPlatform::TickCount() {
    return static_cast<std::uint32_t>(QDateTime::currentMSecsSinceEpoch());
}

void QtPlatform::Sleep(int ms) {
    // Animations pause between steps; the windows keep painting meanwhile. Input is held
    // back so that nothing can start another command in the middle of this one; inside a
    // running command it is dropped rather than kept for afterwards.
    const auto flags = CommandGuard::Active() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents;
    const CommandGuard::Pumping pumping;
    QElapsedTimer timer;
    timer.start();
    do {
        const int left = std::max(0, ms - static_cast<int>(timer.elapsed()));
        QApplication::processEvents(flags, std::max(1, left));
    } while (timer.elapsed() < ms);
}

CDocView* QtPlatform::ActiveView() { return m_activeView ? m_activeView() : nullptr; }

namespace {
// The box comes up once the command has run this long, counted from the command's start
// where a command is running, so that it is on screen within half a second of the click.
constexpr qint64 kShowAfterMs = 300;

class DialogProgress final : public IProgress {
public:
    DialogProgress(QWidget* parent, std::string_view caption, std::int64_t total)
        : m_dialog(QString::fromUtf8(caption.data(), static_cast<int>(caption.size())), "Cancel", 0, 1000, parent),
          m_total(total) {
        m_dialog.setWindowModality(Qt::ApplicationModal);
        // The box is shown here, not by its own timer, which waits for an estimate first.
        m_dialog.setMinimumDuration(std::numeric_limits<int>::max());
        m_dialog.setAutoClose(false);
        m_dialog.setAutoReset(false);
        // Without a total the bar runs as a busy indicator instead of standing at 100%.
        if (m_total <= 0) m_dialog.setRange(0, 0);
        m_clock.start();
        m_startedBefore = CommandGuard::Elapsed();
    }
    bool Update(std::int64_t done) override {
        // A modal box lets events through in setValue too.
        const CommandGuard::Pumping pumping;
        if (m_total > 0) m_dialog.setValue(static_cast<int>(std::clamp<std::int64_t>(done * 1000 / m_total, 0, 1000)));
        if (!m_dialog.isVisible() && m_startedBefore + m_clock.elapsed() >= kShowAfterMs) m_dialog.show();
        QApplication::processEvents();
        return !m_dialog.wasCanceled();
    }

private:
    QProgressDialog m_dialog;
    std::int64_t m_total;
    QElapsedTimer m_clock;
    qint64 m_startedBefore = 0;
};
} // namespace

std::unique_ptr<IProgress> QtPlatform::BeginProgress(std::string_view caption, std::int64_t total) {
    return std::make_unique<DialogProgress>(Parent(), caption, total);
}
