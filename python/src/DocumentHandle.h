#pragma once
// A document opened from Python: the document on a headless platform with one editor view
// that carries the guides of its file, as arborix-cli opens one.

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/HeadlessPlatform.h"
#include "model/LattixDoc.h"

// A message of the program that ends a call (a file that cannot be read, a graph that is
// not simple); Python sees it as arborix.ArborixError with the message's text.
class ArborixError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class DocumentHandle {
public:
    DocumentHandle();
    ~DocumentHandle();
    DocumentHandle(const DocumentHandle&) = delete;
    DocumentHandle& operator=(const DocumentHandle&) = delete;

    // ".lxd" or ".graphml"; throws ArborixError with the program's message.
    static std::unique_ptr<DocumentHandle> Open(const std::string& path);
    // By extension: ".lxd", ".graphml" or ".txt" (the text export).
    void Save(const std::string& path);
    // An independent document with the same saved state.
    std::unique_ptr<DocumentHandle> Copy();

    CLattixDoc& Doc() { return *m_doc; }
    HeadlessPlatform& Platform() { return m_platform; }
    CLattixView& View() { return m_view; }

    // The messages shown since `from` (an index into the platform's list).
    std::vector<std::string> MessagesSince(std::size_t from) const;
    // The last message shown since `from`, or `fallback` when there was none.
    std::string LastMessageSince(std::size_t from, const std::string& fallback) const;

private:
    HeadlessPlatform m_platform;
    CLattixView m_view;
    std::unique_ptr<CLattixDoc> m_doc;
};
