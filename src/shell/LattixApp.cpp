#include "shell/LattixApp.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "model/LattixDoc.h"
#include "shell/ChildFrame.h"
#include "shell/MainFrame.h"
#include "shell/MessageBoxes.h"
#include "shell/Printing.h"
#include "shell/dialogs/AboutDialog.h"
#include "shell/formats/DrawingExport.h"
#include "shell/formats/GraphMl.h"
#include "shell/dialogs/ExportDrawingDialog.h"
#include "io/ImportedGraph.h"
#include "shell/views/EditorView.h"

namespace {
constexpr int kRecentFileCount = 4;
const char* const kDocumentFilter = "Arborix Files (*.lxd)";
const char* const kOpenFilter = "Arborix documents (*.lxd);;GraphML (*.graphml);;DOT (*.dot *.gv);;GML (*.gml);;All files (*)";
} // namespace

CLattixApp::CLattixApp() {
    m_platform.m_parent = [this]() -> QWidget* {
        if (QWidget* modal = QApplication::activeModalWidget()) return modal;
        return m_frame.get();
    };
    m_platform.m_activeView = [this]() -> CDocView* { return m_frame ? m_frame->ActiveView() : nullptr; };
}

CLattixApp::~CLattixApp() {
    // Windows go first: their views leave the documents before those are destroyed.
    if (m_frame) {
        for (CChildFrame* frame : m_frame->Frames()) frame->DetachDocument();
        m_frame.reset();
    }
    m_documents.clear();
}

bool CLattixApp::InitInstance(const QStringList& args) {
    QCoreApplication::setOrganizationName("Lattix");
    QCoreApplication::setApplicationName("Arborix");
    LoadSettings();

    m_frame = std::make_unique<CMainFrame>(*this);

    // No argument: an empty document; a path: that file. A file that cannot be opened has
    // shown its message by then and leaves the main window without documents, from where
    // the user can open another.
    if (args.size() > 1) {
        OpenDocumentFile(args.at(1));
    } else {
        OnFileNew();
    }
    // Maximised on the whole screen, also where no window manager does it for us.
    if (QScreen* screen = QGuiApplication::primaryScreen()) m_frame->setGeometry(screen->availableGeometry());
    m_frame->showMaximized();
    m_frame->UpdateCommandUI();
    return true;
}

// ---------------------------------------------------------------- documents

CLattixDoc* CLattixApp::CreateDocument() {
    m_documents.push_back(std::make_unique<CLattixDoc>(m_platform));
    return m_documents.back().get();
}

void CLattixApp::DestroyDocument(CLattixDoc* doc) {
    for (CChildFrame* frame : FramesOf(doc)) frame->DetachDocument();
    m_titles.erase(std::remove_if(m_titles.begin(), m_titles.end(), [doc](const auto& t) { return t.first == doc; }),
                   m_titles.end());
    m_documents.erase(std::remove_if(m_documents.begin(), m_documents.end(),
                                     [doc](const std::unique_ptr<CLattixDoc>& d) { return d.get() == doc; }),
                      m_documents.end());
}

QString CLattixApp::Title(const CLattixDoc* doc) const {
    if (!doc) return {};
    if (!doc->GetPathName().empty()) return QFileInfo(QString::fromStdString(doc->GetPathName())).fileName();
    for (const auto& [d, title] : m_titles)
        if (d == doc) return title;
    return "Arborix";
}

std::vector<CChildFrame*> CLattixApp::FramesOf(const CLattixDoc* doc) const {
    std::vector<CChildFrame*> frames;
    if (!m_frame) return frames;
    for (CChildFrame* frame : m_frame->Frames())
        if (frame->Document() == doc) frames.push_back(frame);
    return frames;
}

CChildFrame* CLattixApp::NewFrame(CLattixDoc& doc, ViewKind kind) {
    auto* frame = new CChildFrame(doc, kind);
    connect(frame, &CChildFrame::CloseRequested, this, &CLattixApp::OnFrameCloseRequested);
    m_frame->AddFrame(frame);
    // Several windows on one document are told apart by a number after the title.
    const auto frames = FramesOf(&doc);
    for (std::size_t i = 0; i < frames.size(); ++i)
        frames[i]->setWindowTitle(frames.size() == 1 ? Title(&doc) : QString("%1:%2").arg(Title(&doc)).arg(i + 1));
    doc.RepaintAllViews();
    return frame;
}

CLattixDoc* CLattixApp::OnFileNew() {
    CLattixDoc* doc = CreateDocument();
    m_titles.emplace_back(doc, QString("Arborix%1").arg(++m_untitledCounter));
    // The view exists before the first checkpoint so the snapshot carries its guides.
    NewFrame(*doc, ViewKind::Editor);
    doc->OnNewDocument();
    doc->RepaintAllViews();
    return doc;
}

QString CLattixApp::AskFileName(bool save, const QString& suggested, const QString& filter, const QString& suffix) {
    if (m_fileDialogDriver) return m_fileDialogDriver(save, suggested);
    QFileDialog dialog(m_frame.get(), save ? "Save As" : "Open", QString(), filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!suffix.isEmpty()) dialog.setDefaultSuffix(suffix);
    if (!suggested.isEmpty()) dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

void CLattixApp::OnFileOpen() {
    // The last filter takes any file; the reader refuses what is not a document.
    const QString path = AskFileName(false, {}, kOpenFilter, {});
    if (!path.isEmpty()) OpenDocumentFile(path);
}

bool CLattixApp::ImportInto(CLattixDoc& doc, const QString& path) {
    const std::string file = QFileInfo(path).absoluteFilePath().toStdString();
    const QString suffix = QFileInfo(path).suffix().toLower();
    std::string error;
    const bool ok = suffix == "graphml" ? ReadGraphMl(doc, file, error) : ImportGraphFile(doc, file, error);
    if (!ok) m_platform.ShowMessage(error, MessageIcon::Exclamation);
    return ok;
}

CLattixDoc* CLattixApp::OpenDocumentFile(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    for (const auto& doc : m_documents) {
        if (!canonical.isEmpty() && QFileInfo(QString::fromStdString(doc->GetPathName())).canonicalFilePath() == canonical) {
            if (auto frames = FramesOf(doc.get()); !frames.empty()) m_frame->MdiArea()->setActiveSubWindow(frames.front());
            return doc.get();
        }
    }
    // The document reads the file before any window exists, so a file it cannot read
    // leaves no window behind; it has shown its message by then.
    CLattixDoc* doc = CreateDocument();
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "graphml" || IsImportExtension("." + suffix.toStdString())) {
        // A graph of another format becomes a new untitled document named after the file;
        // Save asks where to put it as an Arborix document.
        if (!ImportInto(*doc, path)) {
            DestroyDocument(doc);
            return nullptr;
        }
        m_titles.emplace_back(doc, QFileInfo(path).completeBaseName());
        NewFrame(*doc, ViewKind::Editor);
        doc->RecomputeDerivedData();
        doc->ClearSelection();
        doc->CheckPoint(); // the first one: undo goes back no further than the import
        doc->SetModifiedFlag(false);
        doc->RepaintAllViews();
        AddToRecentFiles(QFileInfo(path).absoluteFilePath());
        return doc;
    }
    if (!doc->OnOpenDocument(QFileInfo(path).absoluteFilePath().toStdString())) {
        DestroyDocument(doc);
        return nullptr;
    }
    NewFrame(*doc, ViewKind::Editor);
    AddToRecentFiles(QFileInfo(path).absoluteFilePath());
    return doc;
}

bool CLattixApp::SaveDocument(CLattixDoc* doc, bool askForName) {
    if (!doc) return false;
    QString path = QString::fromStdString(doc->GetPathName());
    if (askForName || path.isEmpty()) {
        const QString suggested = path.isEmpty() ? Title(doc) + ".lxd" : path;
        path = AskFileName(true, suggested, kDocumentFilter, "lxd");
        if (path.isEmpty()) return false;
    }
    if (!doc->OnSaveDocument(path.toStdString())) return false;
    AddToRecentFiles(QFileInfo(path).absoluteFilePath());
    for (CChildFrame* frame : FramesOf(doc)) frame->setWindowTitle(Title(doc));
    return true;
}

bool CLattixApp::MaySaveChanges(CLattixDoc* doc) {
    if (!doc->IsModified()) return true;
    switch (AskSaveChanges(m_frame.get(), Title(doc))) {
    case SaveChangesAnswer::Cancel: return false;
    case SaveChangesAnswer::Save: return SaveDocument(doc, false);
    case SaveChangesAnswer::Discard: return true;
    }
    return false;
}

bool CLattixApp::CloseDocument(CLattixDoc* doc) {
    if (!doc || !MaySaveChanges(doc)) return false;
    const auto frames = FramesOf(doc);
    DestroyDocument(doc);
    m_closingDocument = true;
    for (CChildFrame* frame : frames) frame->close();
    m_closingDocument = false;
    return true;
}

bool CLattixApp::SaveAllModified() {
    std::vector<CLattixDoc*> docs;
    for (const auto& d : m_documents) docs.push_back(d.get());
    for (CLattixDoc* doc : docs)
        if (!MaySaveChanges(doc)) return false;
    return true;
}

void CLattixApp::OnFrameCloseRequested(CChildFrame* frame, bool* accept) {
    CLattixDoc* doc = frame->Document();
    if (m_closingDocument || !doc) return;
    if (FramesOf(doc).size() > 1) {
        frame->DetachDocument();
        return;
    }
    // The last window of a document takes the document with it.
    if (!MaySaveChanges(doc)) {
        *accept = false;
        return;
    }
    DestroyDocument(doc);
}

// ---------------------------------------------------------------- export, printing, about

void CLattixApp::OnExportDrawing(CLattixDoc* doc, CDocView* view) {
    if (!doc) return;
    CExportDrawingDialog dialog(m_exportValues, !doc->m_selection.empty(), m_frame.get());
    if (m_platform.m_dialogDriver) QTimer::singleShot(0, &dialog, [this, &dialog] { m_platform.m_dialogDriver(dialog); });
    if (dialog.exec() != QDialog::Accepted) return;
    m_exportValues = dialog.Values();
    const QString suffix = ExportSuffixOf(m_exportValues.format);
    const QString base = QFileInfo(Title(doc)).completeBaseName();
    const QString path = AskFileName(true, base + "." + suffix, ExportFilterOf(m_exportValues.format), suffix);
    if (path.isEmpty()) return;
    std::string error;
    CDocView* source = view && view->IsEditorView() ? view : doc->GetGraphView();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = ::ExportDrawing(*doc, source, path.toStdString(), m_exportValues.options, error);
    QApplication::restoreOverrideCursor();
    if (!ok && !error.empty()) m_platform.ShowMessage(error, MessageIcon::Exclamation);
}

QPrinter& CLattixApp::Printer() {
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

namespace {
void PrintView(EditorView& view, QPrinter& printer, bool actualSize) {
    QPainter painter;
    if (!painter.begin(&printer)) return;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    PaintPage(view, painter, QRect(0, 0, page.width(), page.height()), printer.resolution() / 96.0, actualSize);
    painter.end();
}

// The choice between fitting and actual size, offered in the print and preview dialogs.
QCheckBox* ActualSizeBox(bool checked) {
    auto* box = new QCheckBox("Print at actual size (1:1)");
    box->setChecked(checked);
    box->setToolTip("Off: the drawing is fitted to the page");
    return box;
}
} // namespace

void CLattixApp::OnFilePrint(CLattixView* view) {
    auto* editor = dynamic_cast<EditorView*>(view);
    if (!editor) return;
    QPrintDialog dialog(&Printer(), m_frame.get());
    auto* options = new QWidget;
    options->setWindowTitle("Scale");
    auto* layout = new QVBoxLayout(options);
    QCheckBox* actual = ActualSizeBox(m_printActualSize);
    layout->addWidget(actual);
    layout->addStretch();
    dialog.setOptionTabs({options});
    if (dialog.exec() != QDialog::Accepted) return;
    m_printActualSize = actual->isChecked();
    PrintView(*editor, Printer(), m_printActualSize);
}

void CLattixApp::OnFilePrintPreview(CLattixView* view) {
    auto* editor = dynamic_cast<EditorView*>(view);
    if (!editor) return;
    QPrintPreviewDialog preview(&Printer(), m_frame.get());
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this, editor](QPrinter* printer) { PrintView(*editor, *printer, m_printActualSize); });
    if (auto* bar = preview.findChild<QToolBar*>()) {
        bar->addSeparator();
        QCheckBox* actual = ActualSizeBox(m_printActualSize);
        bar->addWidget(actual);
        auto* widget = preview.findChild<QPrintPreviewWidget*>();
        connect(actual, &QCheckBox::toggled, this, [this, widget](bool on) {
            m_printActualSize = on;
            if (widget) widget->updatePreview();
        });
    }
    if (m_previewDriver) QTimer::singleShot(0, &preview, [this, &preview] { m_previewDriver(preview); });
    preview.exec();
}

void CLattixApp::OnFilePrintSetup() {
    QPageSetupDialog dialog(&Printer(), m_frame.get());
    dialog.exec();
}

void CLattixApp::OnAppAbout() {
    CAboutDlg about(m_frame.get());
    if (m_platform.m_dialogDriver) QTimer::singleShot(0, &about, [this, &about] { m_platform.m_dialogDriver(about); });
    about.exec();
}

// ---------------------------------------------------------------- recent files

void CLattixApp::LoadSettings() {
    QSettings settings;
    m_recentFiles.clear();
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString file = settings.value(QString("Recent File List/File%1").arg(i)).toString();
        if (!file.isEmpty()) m_recentFiles.push_back(file);
    }
}

void CLattixApp::SaveSettings() const {
    QSettings settings;
    settings.remove("Recent File List");
    for (int i = 0; i < m_recentFiles.size(); ++i)
        settings.setValue(QString("Recent File List/File%1").arg(i + 1), m_recentFiles[i]);
}

void CLattixApp::AddToRecentFiles(const QString& path) {
    m_recentFiles.removeAll(path);
    m_recentFiles.prepend(path);
    while (m_recentFiles.size() > kRecentFileCount) m_recentFiles.removeLast();
    SaveSettings();
    if (m_frame) m_frame->RebuildRecentFiles();
}
