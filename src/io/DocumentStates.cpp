// The document's states: read from and written to files, stored and reloaded by undo.
// They live here, above the document, because they need the file format; the document's
// construction comes with them, so that its virtual table, which refers to StoreState and
// LoadState, is made here and the model needs nothing from this module.

#include "model/LattixDoc.h"

#include "io/DocumentFormat.h"
#include "io/FileIO.h"

CLattixDoc::CLattixDoc(IPlatform& platform) : m_platform(&platform) {}

CLattixDoc::~CLattixDoc() {
    DeleteContents();
    for (CDocView* view : m_views) view->m_doc = nullptr;
}

// ---------------------------------------------------------------- files

bool CLattixDoc::OnOpenDocument(const std::string& path) {
    std::string reason;
    // A regular file is read as the document is built, never held whole.
    if (auto file = FileReader::Open(path, &reason)) {
        DeleteContents();
        SetModifiedFlag(true);
        const LoadStatus status =
            ReadDocument(*this, [&](std::uint8_t* dst, std::size_t n) { return file->Read(dst, n); }, file->Size());
        if (file->Failed(&reason)) {
            DeleteContents();
            m_platform->ShowMessageDetail(LoadStatusMessage(LoadStatus::ReadError), path + ": " + reason);
            return false;
        }
        if (!FinishOpen(status)) return false;
        m_pathName = path;
        return true;
    }
    if (!reason.empty()) {
        DeleteContents();
        m_platform->ShowMessageDetail(LoadStatusMessage(LoadStatus::ReadError), path + ": " + reason);
        return false;
    }
    auto bytes = ReadFileBytes(path, &reason);
    if (!bytes) {
        DeleteContents();
        m_platform->ShowMessageDetail(LoadStatusMessage(LoadStatus::ReadError), path + ": " + reason);
        return false;
    }
    if (!OpenFromBytes(*bytes)) return false;
    m_pathName = path;
    return true;
}

bool CLattixDoc::OpenFromBytes(std::span<const std::uint8_t> bytes) {
    DeleteContents();
    SetModifiedFlag(true);
    return FinishOpen(ReadDocument(*this, bytes));
}

bool CLattixDoc::FinishOpen(LoadStatus status) {
    if (status != LoadStatus::Ok) {
        // Whatever was read before the failure goes; the caller discards the document.
        DeleteContents();
        m_platform->ShowMessage(LoadStatusMessage(status), status == LoadStatus::FormatError
                                                               ? MessageIcon::Exclamation
                                                               : MessageIcon::Information);
        return false;
    }
    SetModifiedFlag(false);
    ClearHistory();
    CheckPoint();
    return true;
}

bool CLattixDoc::OnSaveDocument(const std::string& path) {
    const std::vector<std::uint8_t> bytes = WriteDocument(*this);
    std::string reason;
    if (!WriteFileAtomically(path, bytes, &reason)) {
        m_platform->ShowMessageDetail("Failed to save document.", path + ": " + reason, MessageIcon::Exclamation);
        return false;
    }
    m_pathName = path;
    SetModifiedFlag(false);
    return true;
}

// ---------------------------------------------------------------- undo and redo

std::vector<std::uint8_t> CLattixDoc::StoreState() { return WriteDocument(*this); }

void CLattixDoc::LoadState(std::span<const std::uint8_t> bytes) {
    DeleteContents();
    ReadDocument(*this, bytes); // our own snapshot: it always reads
}

void CLattixDoc::OnEditUndo() {
    const KeptSettings kept = ReadKeptSettings();
    StepBack();
    WriteKeptSettings(kept);
    RecomputeDerivedData();
    RepaintAllViews();
}

void CLattixDoc::OnEditRedo() {
    const KeptSettings kept = ReadKeptSettings();
    StepForward();
    WriteKeptSettings(kept);
    RecomputeDerivedData();
    RepaintAllViews();
}
