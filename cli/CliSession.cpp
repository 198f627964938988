#include "CliSession.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <iostream>

#include "QtFormats.h"
#include "io/ImportedGraph.h"

CliArgs::CliArgs(std::vector<std::string> args, const std::set<std::string>& valued) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() > 1 && a[0] == '-' && !std::isdigit(static_cast<unsigned char>(a[1]))) {
            if (valued.count(a)) {
                if (i + 1 >= args.size()) {
                    m_error = "option " + a + " needs a value";
                    return;
                }
                m_options[a] = args[++i];
            } else {
                m_flags.insert(a);
            }
        } else {
            m_positional.push_back(a);
        }
    }
}

const std::string* CliArgs::Option(const std::string& name) const {
    auto it = m_options.find(name);
    return it == m_options.end() ? nullptr : &it->second;
}

bool ParseInt(const std::string& text, long long& value) {
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && p == end && !text.empty();
}

CliSession::CliSession(bool answerYes) {
    m_platform.m_defaultAnswer = answerYes;
    m_platform.m_echo = [](std::string_view text) { std::cout << text << '\n'; };
    m_platform.m_activeView = &m_view;
    m_doc = std::make_unique<CLattixDoc>(m_platform);
    // No command of this program undoes, and a failed one saves nothing: snapshots of
    // every state would only cost time and memory.
    m_doc->KeepHistory(false);
    // Nor are crossings counted unless a command asks: only info and minimize-crossings show
    // them, and they do. Otherwise loading and editing would take and keep a snapshot of
    // every edge for a count no one reads.
    m_doc->m_autoCrossings = false;
    m_doc->AddView(&m_view);
    m_doc->OnNewDocument();
}

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kLeakChecked = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(leak_sanitizer)
constexpr bool kLeakChecked = true;
#else
constexpr bool kLeakChecked = false;
#endif
#else
constexpr bool kLeakChecked = false;
#endif

bool g_leaveDocumentAtExit = false;

} // namespace

void CliSession::LeaveDocumentAtExit() { g_leaveDocumentAtExit = true; }

CliSession::~CliSession() {
    // Taking a large document apart element by element costs a good part of a short
    // command's run; the process is about to end and gives all of it back at once.
    // A leak checker would report it, so its builds still tear down.
    if (g_leaveDocumentAtExit && !kLeakChecked) {
        m_doc->RemoveView(&m_view);
        (void)m_doc.release();
        return;
    }
    m_doc.reset();
}

bool CliSession::Open(const std::string& path) {
    const std::string ext = ExtensionOf(path);
    if (ext == ".graphml" || IsImportExtension(ext)) {
        if (ext == ".graphml" && !HasGraphMl()) {
            m_platform.ShowMessage(kNoGraphMl);
            return false;
        }
        m_doc->OnNewDocument();
        std::string error;
        if (!(ext == ".graphml" ? QtFormats()->readGraphMl(*m_doc, path, error) : ImportGraphFile(*m_doc, path, error))) {
            m_platform.ShowMessage(error);
            return false;
        }
        m_doc->RecomputeDerivedData();
        m_doc->ClearSelection();
        m_doc->SetModifiedFlag(false);
        return true;
    }
    return m_doc->OnOpenDocument(path);
}

bool CliSession::SaveAs(const std::string& path) {
    const std::string ext = ExtensionOf(path);
    if (ext == ".txt") return m_doc->ExportText(path);
    if (ext == ".graphml") {
        if (!HasGraphMl()) {
            m_platform.ShowMessage(kNoGraphMl);
            return false;
        }
        if (QtFormats()->writeGraphMl(*m_doc, path)) return true;
        m_platform.ShowMessage("Failed to save document.");
        return false;
    }
    return m_doc->OnSaveDocument(path);
}
