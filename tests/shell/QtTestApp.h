#pragma once
// One QApplication for the whole test program, on the offscreen platform, with settings
// kept away from the user's, and message boxes recorded instead of shown.

#include <cstdlib>
#include <string>
#include <vector>

#include <QApplication>
#include <QStandardPaths>

#include <QEventLoop>
#include <QStringList>
#include <QTimer>

#include "shell/LattixApp.h"
#include "shell/MainFrame.h"
#include "shell/MessageBoxes.h"

inline QApplication& TestApp() {
    static int argc = 1;
    static char name[] = "shell_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        QStandardPaths::setTestModeEnabled(true);
        return new QApplication(argc, argv);
    }();
    return *app;
}

// Records every message box while it lives.
struct RecordedBoxes {
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    SaveChangesAnswer saveAnswer = SaveChangesAnswer::Discard;

    RecordedBoxes() {
        TestApp();
        MessageBoxHook hook;
        hook.message = [this](const QString& text, MessageIcon) { messages.push_back(text.toStdString()); };
        hook.question = [this](const QString& text) {
            questions.push_back(text.toStdString());
            return true;
        };
        hook.saveChanges = [this](const QString& title) {
            questions.push_back("save " + title.toStdString());
            return saveAnswer;
        };
        SetMessageBoxHook(hook);
    }
    ~RecordedBoxes() { SetMessageBoxHook({}); }
};

struct Started {
    RecordedBoxes boxes;
    CLattixApp app;
    bool ok;
    explicit Started(QStringList args = {"arborix"}) : ok(app.InitInstance(args)) {}
    CMainFrame& frame() { return *app.MainFrame(); }
};

// Lets closed windows go, as the event loop would.
inline void Flush() {
    QEventLoop loop;
    QTimer::singleShot(0, &loop, &QEventLoop::quit);
    loop.exec();
}

