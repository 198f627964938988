#include "shell/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace {

MessageBoxHook& Hook() {
    static MessageBoxHook hook;
    return hook;
}

bool Hooked() { return Hook().message || Hook().question || Hook().saveChanges; }

QString Caption() { return QApplication::applicationName().isEmpty() ? "Arborix" : QApplication::applicationName(); }

} // namespace

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }
bool HasMessageBoxHook() { return Hooked(); }

void ShowMessageBox(QWidget* parent, const QString& text, MessageIcon icon) { ShowMessageBox(parent, text, {}, icon); }

void ShowMessageBox(QWidget* parent, const QString& text, const QString& detail, MessageIcon icon) {
    if (Hooked()) {
        if (Hook().message) Hook().message(text, icon);
        if (Hook().detail && !detail.isEmpty()) Hook().detail(detail);
        return;
    }
    const QMessageBox::Icon qicon = icon == MessageIcon::Error         ? QMessageBox::Critical
                                    : icon == MessageIcon::Exclamation ? QMessageBox::Warning
                                                                       : QMessageBox::Information;
    QMessageBox box(qicon, Caption(), text, QMessageBox::Ok, parent);
    if (!detail.isEmpty()) box.setInformativeText(detail);
    box.exec();
}

bool AskOkCancelBox(QWidget* parent, const QString& text) {
    if (Hooked()) return Hook().question ? Hook().question(text) : true;
    QMessageBox box(QMessageBox::Question, Caption(), text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    return box.exec() == QMessageBox::Ok;
}

SaveChangesAnswer AskSaveChanges(QWidget* parent, const QString& title) {
    if (Hooked()) return Hook().saveChanges ? Hook().saveChanges(title) : SaveChangesAnswer::Discard;
    QMessageBox box(QMessageBox::Warning, Caption(), QString("Save changes to %1?").arg(title),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save: return SaveChangesAnswer::Save;
    case QMessageBox::Discard: return SaveChangesAnswer::Discard;
    default: return SaveChangesAnswer::Cancel;
    }
}
