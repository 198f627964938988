// What the user cannot do while a command runs, and how saving treats the file that is
// there already: read-only files, symbolic links and permissions.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <QDir>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressDialog>
#include <QTimer>

#include "QtTestApp.h"
#include "editor/CommandIds.h"
#include "model/LattixDoc.h"
#include "shell/ChildFrame.h"
#include "shell/dialogs/IntegerDialogs.h"
#include "shell/views/EditorView.h"

namespace {

namespace fs = std::filesystem;

void PostClick(QWidget* surface, QPoint at) {
    for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QCoreApplication::postEvent(surface, new QMouseEvent(type, at, surface->mapToGlobal(at), Qt::LeftButton, held, {}));
    }
}

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct Folder {
    fs::path path = fs::temp_directory_path() / ("arborix-files-" + std::to_string(::getpid()));
    Folder() {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~Folder() {
        std::error_code ec;
        fs::permissions(path, fs::perms::all, ec);
        fs::remove_all(path, ec);
    }
};

} // namespace

TEST(BusyCommands, ClicksDuringALongCommandAreDroppedAndItsBoxShowsAtOnce) {
    Started s;
    ASSERT_TRUE(s.ok);
    auto* view = dynamic_cast<EditorView*>(s.frame().ActiveView());
    ASSERT_NE(view, nullptr);
    CLattixDoc& doc = *view->GetDocument();

    // Rejection sampling at 30 vertices would take years; the offer of Wilf's method is
    // declined, so the sampler runs until its box is cancelled.
    std::vector<std::string> questions;
    MessageBoxHook hook;
    hook.question = [&questions](const QString& text) {
        questions.push_back(text.toStdString());
        return false;
    };
    SetMessageBoxHook(hook);

    bool shownInTime = false, busy = false;
    s.app.Platform().m_dialogDriver = [&](QDialog& dialog) {
        static_cast<CRandomTreeDialog&>(dialog).Field()->setText("30");
        dialog.accept();
        PostClick(view->viewport(), {200, 200});
        QTimer::singleShot(500, &s.frame(), [&] {
            auto* box = s.frame().findChild<QProgressDialog*>();
            shownInTime = box && box->isVisible();
            busy = box && box->maximum() == 0;
            if (box) box->cancel();
        });
    };
    s.frame().Action(cmd::kFreeTreeFromLabeled)->trigger();
    Flush();

    ASSERT_EQ(questions.size(), 1u);
    EXPECT_NE(questions[0].find("Wilf"), std::string::npos);
    EXPECT_TRUE(shownInTime);
    EXPECT_TRUE(busy); // no total: a busy bar, not "100%"
    EXPECT_TRUE(doc.m_elements.empty()); // neither the click's vertex nor a tree

    // Once the command is over, clicks edit again.
    PostClick(view->viewport(), {200, 200});
    Flush();
    EXPECT_EQ(doc.m_elements.size(), 1u);
}

TEST(SavingFiles, ReadOnlyFilesAreRefusedLinksWrittenThroughAndPermissionsKept) {
    Folder folder;
    Started s;
    ASSERT_TRUE(s.ok);
    std::vector<std::string> details;
    MessageBoxHook hook;
    hook.message = [&](const QString& text, MessageIcon) { s.boxes.messages.push_back(text.toStdString()); };
    hook.detail = [&](const QString& text) { details.push_back(text.toStdString()); };
    SetMessageBoxHook(hook);
    QString target;
    s.app.m_fileDialogDriver = [&](bool, const QString&) { return target; };
    CLattixDoc& doc = *s.frame().ActiveDocument();

    // Read-only: refused with the usual message, the file and the reason as its detail.
    const fs::path locked = folder.path / "locked.lxd";
    std::ofstream(locked) << "keep me";
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    target = QString::fromStdString(locked.string());
    s.frame().Action(cmd::kFileSaveAs)->trigger();
    EXPECT_EQ(s.boxes.messages, std::vector<std::string>{"Failed to save document."});
    ASSERT_EQ(details.size(), 1u);
    EXPECT_NE(details[0].find(locked.string()), std::string::npos);
    EXPECT_NE(details[0].find("read-only"), std::string::npos);
    EXPECT_EQ(Contents(locked), "keep me");
    EXPECT_EQ(fs::status(locked).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    // A link stays a link; the file it names gets the document and keeps its permissions.
    const fs::path real = folder.path / "real.lxd";
    const fs::path link = folder.path / "link.lxd";
    std::ofstream(real) << "old";
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(real, mode);
    fs::create_symlink("real.lxd", link);
    target = QString::fromStdString(link.string());
    s.frame().Action(cmd::kFileSaveAs)->trigger();
    EXPECT_EQ(s.boxes.messages.size(), 1u);
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_EQ(fs::read_symlink(link), fs::path("real.lxd"));
    EXPECT_NE(Contents(real), "old");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, mode);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator{}), 3); // no temporary left
}
