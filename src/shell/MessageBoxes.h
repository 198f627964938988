#pragma once
// The shell's modal message boxes. Tests route them to a hook instead of showing them, so
// that a message does not wait for a click that never comes.

#include <functional>

#include <QString>

#include "model/Platform.h"

class QWidget;

enum class SaveChangesAnswer { Save, Discard, Cancel };

struct MessageBoxHook {
    std::function<void(const QString& text, MessageIcon icon)> message;
    std::function<bool(const QString& text)> question;            // OK/Cancel; true for OK
    std::function<SaveChangesAnswer(const QString& title)> saveChanges;
    std::function<void(const QString& detail)> detail; // the smaller text under a message, when it has one
};

// Replaces the boxes by the hook's functions (missing ones answer OK, Save is not chosen:
// Discard); an empty hook restores the real boxes.
void SetMessageBoxHook(MessageBoxHook hook);
bool HasMessageBoxHook();

// A box with the text and an OK button.
void ShowMessageBox(QWidget* parent, const QString& text, MessageIcon icon = MessageIcon::Information);
// The same with a smaller second text under the message (a file and the system's reason).
void ShowMessageBox(QWidget* parent, const QString& text, const QString& detail, MessageIcon icon);
// A question with OK and Cancel.
bool AskOkCancelBox(QWidget* parent, const QString& text);
// "Save changes to <title>?" with Save, Discard and Cancel.
SaveChangesAnswer AskSaveChanges(QWidget* parent, const QString& title);
