#pragma once
// While a command runs, the user cannot act on the main window: clicks, keys, the wheel,
// shortcuts and requests to close a window are dropped until the command returns. Only
// the windows the command opens itself (its progress box, its questions) take input.
// Guards nest; the outermost one decides when input flows again.

#include <QElapsedTimer>

class QWidget;

class CommandGuard {
public:
    explicit CommandGuard(QWidget* mainWindow);
    ~CommandGuard();
    CommandGuard(const CommandGuard&) = delete;
    CommandGuard& operator=(const CommandGuard&) = delete;

    static bool Active();

    // Marks where a running command lets the event loop run (progress, animation pauses):
    // requests to close a window that arrive there wait for the command to end. Requests
    // the command makes itself are not inside one and go through.
    class Pumping {
    public:
        Pumping();
        ~Pumping();
        Pumping(const Pumping&) = delete;
        Pumping& operator=(const Pumping&) = delete;
    };

    // Milliseconds since the outermost running command began; 0 when none runs.
    static qint64 Elapsed();
};
