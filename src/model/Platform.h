#pragma once
// What the document needs from the world outside it: message boxes, OK/Cancel questions,
// the small dialogs as value-returning calls, time, and progress for long work.
// The desktop shell implements it with Qt; tests and the command-line program use
// scripted implementations. Nothing here knows a toolkit.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class CDocView;

enum class MessageIcon { Information, Exclamation, Error };

// Values of the "Grid and Tracks" dialog.
struct GuidesDialogValues {
    std::int32_t mode = 0;
    bool snapToGuides = false;
    bool lockToTracks = false;
    bool dashedTracks = false;
    std::int32_t xSeparation = 30;
    std::int32_t ySeparation = 30;
};

// Values of the "Color Tracks Randomly" dialog.
struct ColorTracksDialogValues {
    std::int32_t fromTrack = 0;
    std::int32_t toTrack = 1999;
    std::int32_t colorCountIndex = 7; // list index; the number of colours is index + 1
};

// Values of the "Draw" dialog.
struct DrawDialogValues {
    bool animate = false;
    std::string stepDelayText = "0";
};

enum class RelabelFormat { Lowercase, Uppercase, Numbers };

// The one-field text dialogs.
enum class TextDialogKind { ResetLabelCounter, Rename, Resize, Weight };

// Progress of long work. Update returns false once the user asked to cancel.
class IProgress {
public:
    virtual ~IProgress() = default;
    virtual bool Update(std::int64_t done) = 0;
};

class IPlatform {
public:
    virtual ~IPlatform() = default;

    // A modal message box with an OK button.
    virtual void ShowMessage(std::string_view text, MessageIcon icon = MessageIcon::Information) = 0;
    // The same box with a second, smaller text under the message (a file's name and the
    // system's reason, say); by default only the message is shown.
    virtual void ShowMessageDetail(std::string_view text, std::string_view detail,
                                   MessageIcon icon = MessageIcon::Information);
    // A modal question with OK and Cancel; true for OK.
    virtual bool AskOkCancel(std::string_view text) = 0;

    // Dialogs; std::nullopt means Cancel.
    virtual std::optional<std::string> RunTextDialog(TextDialogKind kind, const std::string& initial) = 0;
    virtual std::optional<std::int32_t> RunTrackNumberDialog(std::int32_t initial) = 0;
    virtual std::optional<GuidesDialogValues> RunGuidesDialog(const GuidesDialogValues& initial) = 0;
    virtual std::optional<ColorTracksDialogValues> RunColorTracksDialog(const ColorTracksDialogValues& initial) = 0;
    virtual std::optional<DrawDialogValues> RunDrawDialog(const DrawDialogValues& initial) = 0;
    virtual std::optional<RelabelFormat> RunRelabelDialog(int selectedVertices) = 0;
    virtual std::optional<std::int32_t> RunRandomTreeDialog(std::int32_t initial) = 0;
    // The save-file dialog of the text export; the path chosen, or nullopt.
    virtual std::optional<std::string> AskTextExportPath() = 0;

    // Milliseconds since some fixed moment; seeds the random generators.
    virtual std::uint32_t TickCount() = 0;
    // Pauses for ms milliseconds while keeping the windows painted.
    virtual void Sleep(int ms) = 0;
    // The view of the active frame window, or null.
    virtual CDocView* ActiveView() = 0;
    // Long work shows progress; the default shows nothing and never cancels.
    virtual std::unique_ptr<IProgress> BeginProgress(std::string_view caption, std::int64_t total);
};
