#include "shell/CommandGuard.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace {

bool IsUserInput(const QEvent& event) {
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

class InputBlocker final : public QObject {
public:
    QPointer<QWidget> m_main;
    int m_depth = 0;
    int m_pumping = 0;
    QElapsedTimer m_clock;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        const bool closing = event->type() == QEvent::Close && m_pumping > 0;
        if (!closing && !IsUserInput(*event)) return false;
        return BelongsToMainWindow(receiver, event->type());
    }

private:
    bool BelongsToMainWindow(QObject* receiver, QEvent::Type type) const {
        if (auto* widget = qobject_cast<QWidget*>(receiver)) return !m_main || widget->window() == m_main;
        if (auto* window = qobject_cast<QWindow*>(receiver)) return m_main && window == m_main->windowHandle();
        // Shortcuts go to actions and shortcut objects, not to widgets: while a command
        // runs the only keys that count are those of its own dialogs, which go to widgets.
        return type == QEvent::Shortcut || type == QEvent::ShortcutOverride;
    }
};

InputBlocker& Blocker() {
    static InputBlocker* blocker = new InputBlocker;
    return *blocker;
}

} // namespace

CommandGuard::CommandGuard(QWidget* mainWindow) {
    InputBlocker& b = Blocker();
    if (b.m_depth++ == 0) {
        b.m_main = mainWindow;
        b.m_clock.start();
        qApp->installEventFilter(&b);
    }
}

CommandGuard::~CommandGuard() {
    InputBlocker& b = Blocker();
    if (--b.m_depth == 0) qApp->removeEventFilter(&b);
}

bool CommandGuard::Active() { return Blocker().m_depth > 0; }

qint64 CommandGuard::Elapsed() { return Active() ? Blocker().m_clock.elapsed() : 0; }

CommandGuard::Pumping::Pumping() { ++Blocker().m_pumping; }
CommandGuard::Pumping::~Pumping() { --Blocker().m_pumping; }
