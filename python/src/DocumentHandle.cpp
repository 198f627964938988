#include "DocumentHandle.h"

#include "Bindings.h"

#include "io/DocumentFormat.h"
#include "io/FileIO.h"
#include "shell/formats/GraphMl.h"

std::mutex& CoreMutex() {
    static std::mutex mutex;
    return mutex;
}

DocumentHandle::DocumentHandle() {
    // Questions get Cancel, as arborix-cli without --yes answers them.
    m_platform.m_defaultAnswer = false;
    m_platform.m_activeView = &m_view;
    m_doc = std::make_unique<CLattixDoc>(m_platform);
    m_doc->AddView(&m_view);
    m_doc->OnNewDocument();
}

DocumentHandle::~DocumentHandle() { m_doc.reset(); }

std::vector<std::string> DocumentHandle::MessagesSince(std::size_t from) const {
    const auto& all = m_platform.m_messages;
    if (from >= all.size()) return {};
    return {all.begin() + static_cast<std::ptrdiff_t>(from), all.end()};
}

std::string DocumentHandle::LastMessageSince(std::size_t from, const std::string& fallback) const {
    return from < m_platform.m_messages.size() ? m_platform.m_messages.back() : fallback;
}

std::unique_ptr<DocumentHandle> DocumentHandle::Open(const std::string& path) {
    auto handle = std::make_unique<DocumentHandle>();
    CLattixDoc& doc = handle->Doc();
    const std::size_t mark = handle->m_platform.m_messages.size();
    const std::string ext = ExtensionOf(path);
    if (ext == ".graphml") {
        std::string error;
        if (!ReadGraphMl(doc, path, error)) throw ArborixError(error);
        doc.RecomputeDerivedData();
        doc.ClearSelection();
        doc.SetModifiedFlag(false);
        doc.SetPathName(path);
        return handle;
    }
    if (!doc.OnOpenDocument(path)) throw ArborixError(handle->LastMessageSince(mark, "Failed to open document."));
    return handle;
}

void DocumentHandle::Save(const std::string& path) {
    const std::size_t mark = m_platform.m_messages.size();
    const std::string ext = ExtensionOf(path);
    bool ok = false;
    if (ext == ".txt") ok = m_doc->ExportText(path);
    else if (ext == ".graphml") ok = WriteGraphMl(*m_doc, path);
    else if (ext == ".lxd") ok = m_doc->OnSaveDocument(path);
    else throw std::invalid_argument("save: the path must end in .lxd, .graphml or .txt");
    if (!ok) throw ArborixError(LastMessageSince(mark, "Failed to save document."));
}

std::unique_ptr<DocumentHandle> DocumentHandle::Copy() {
    auto copy = std::make_unique<DocumentHandle>();
    const std::vector<std::uint8_t> bytes = WriteDocument(*m_doc);
    if (!copy->Doc().OpenFromBytes(bytes)) throw ArborixError(copy->LastMessageSince(0, "Failed to open document."));
    return copy;
}
