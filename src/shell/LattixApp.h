#pragma once
// The application: start-up, the open documents and their windows, the file commands,
// printing, the recent-file list and the About box.

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QObject>
#include <QString>
#include <QStringList>

#include "model/DocView.h"
#include "shell/QtPlatform.h"
#include "shell/dialogs/ExportDrawingDialog.h"

class CChildFrame;
class CLattixDoc;
class CMainFrame;
class QDialog;
class QPrinter;

class CLattixApp : public QObject {
    Q_OBJECT
public:
    CLattixApp();
    ~CLattixApp() override;

    // Start-up: settings, main window, the document named by args[1] or an empty one,
    // then the window shown maximised. A file that cannot be opened shows its message and
    // leaves the window open without documents. False only when startup itself failed.
    bool InitInstance(const QStringList& args);

    CMainFrame* MainFrame() const { return m_frame.get(); }
    QtPlatform& Platform() { return m_platform; }
    const std::vector<std::unique_ptr<CLattixDoc>>& Documents() const { return m_documents; }
    QString Title(const CLattixDoc* doc) const;

    // ------------------------------------------------------------ file commands
    CLattixDoc* OnFileNew();
    void OnFileOpen();
    // Opens a file in a new window, or shows the window it is already open in; null
    // (after the document's message) when it cannot be read.
    CLattixDoc* OpenDocumentFile(const QString& path);
    bool SaveDocument(CLattixDoc* doc, bool askForName);
    // Asks to save a modified document, then closes all its windows; false on Cancel.
    bool CloseDocument(CLattixDoc* doc);
    // Asks to save each modified document; false when the user cancelled.
    bool SaveAllModified();
    // The export dialog, then the file name, then the file.
    void OnExportDrawing(CLattixDoc* doc, CDocView* view);
    CChildFrame* NewFrame(CLattixDoc& doc, ViewKind kind);

    void OnFilePrint(CLattixView* view);
    void OnFilePrintPreview(CLattixView* view);
    void OnFilePrintSetup();
    void OnAppAbout();

    QStringList RecentFiles() const { return m_recentFiles; }
    void AddToRecentFiles(const QString& path);

    // Tests answer the open and save dialogs through this: (is-save, suggested name) to
    // a path, empty for Cancel.
    std::function<QString(bool save, const QString& suggested)> m_fileDialogDriver;
    // Tests look at the print preview through this, once it is on screen.
    std::function<void(QDialog& preview)> m_previewDriver;
    // Prints show the drawing at 1:1 instead of fitted to the page.
    bool m_printActualSize = false;

    // A frame asks to close; the document goes with its last frame.
    void OnFrameCloseRequested(CChildFrame* frame, bool* accept);

private:
    CLattixDoc* CreateDocument();
    void DestroyDocument(CLattixDoc* doc);
    std::vector<CChildFrame*> FramesOf(const CLattixDoc* doc) const;
    // Asks Save / Discard / Cancel for a modified document; false when the user cancelled or
    // the save failed, so that whatever was closing stays open.
    bool MaySaveChanges(CLattixDoc* doc);
    QString AskFileName(bool save, const QString& suggested, const QString& filter, const QString& suffix);
    void LoadSettings();
    void SaveSettings() const;
    QPrinter& Printer();

    QtPlatform m_platform;
    std::unique_ptr<CMainFrame> m_frame;
    std::vector<std::unique_ptr<CLattixDoc>> m_documents;
    std::vector<std::pair<const CLattixDoc*, QString>> m_titles;
    int m_untitledCounter = 0;
    QStringList m_recentFiles;
    std::unique_ptr<QPrinter> m_printer;
    ExportDrawingValues m_exportValues; // the export dialog starts from the last choice
    bool ImportInto(CLattixDoc& doc, const QString& path);
    bool m_closingDocument = false;
};
