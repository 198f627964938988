#pragma once
// The commands of a document and of its editor views, by command id, with their update
// rules. Menus, toolbars, context menus and keys all reach a command through here.

#include <optional>

class CLattixDoc;
class CLattixView;

struct CommandStatus {
    bool enabled = true;
    bool checked = false;
    bool checkable = false; // the command shows a check mark (or a pressed button)
};

// Whether the id is a command of a document or of its editor views.
bool IsDocumentCommand(int id);

// Shown when a command runs out of memory; it then ends with the document as it was.
inline constexpr const char* kOutOfMemoryMessage = "There is not enough memory to finish the command.";

// Runs a document or view command; false when the id is not one of them (or it needs an
// editor view and none is given).
bool ExecuteCommand(CLattixDoc& doc, CLattixView* view, int id);

// Enabled state and check mark of a document or view command; nullopt for other ids.
std::optional<CommandStatus> QueryCommand(const CLattixDoc& doc, const CLattixView* view, int id);
