#pragma once
// The native document format (".lxd"), also used for undo snapshots.

#include <cstdint>
#include <span>
#include <vector>

#include "io/Archive.h"
#include "model/LattixDoc.h"

inline constexpr std::uint32_t kDocumentMagic = 123454321;
inline constexpr std::uint32_t kDocumentVersion = 23;
inline constexpr std::uint32_t kOldestReadableVersion = 18;

// The whole document as the file holds it.
std::vector<std::uint8_t> WriteDocument(const CLattixDoc& doc);

// Where WriteDocument put each written element's record (the bytes after its class tag),
// in element order, and where the settings after the elements begin: enough to write a
// few changed records into a stored state instead of writing the document again.
struct DocumentRecords {
    std::vector<const CElement*> elements;
    std::vector<std::size_t> starts, ends;
    std::size_t settingsStart = 0;
    void Begin(const CElement* e, std::size_t at) {
        elements.push_back(e);
        starts.push_back(at);
    }
};
std::vector<std::uint8_t> WriteDocument(const CLattixDoc& doc, DocumentRecords& records);
// One element's record, and the settings after the elements, as WriteDocument writes them.
std::vector<std::uint8_t> WriteElementRecord(const CElement& e);
std::vector<std::uint8_t> WriteDocumentSettings(const CLattixDoc& doc);

// Reads a document into `doc`, which the caller has emptied. Problems with single
// references ("Corrupted file: ...") are reported on the way through the document's
// platform and do not stop the reading; the returned status tells whether the stream
// could be read at all. On success the derived data has been recomputed.
LoadStatus ReadDocument(CLattixDoc& doc, std::span<const std::uint8_t> bytes);
// The same from a stream of `size` bytes, read `chunk` bytes at a time.
LoadStatus ReadDocument(CLattixDoc& doc, const ArchiveSource& source, std::uint64_t size,
                        std::size_t chunk = kArchiveChunk);

// The message a failed read is reported with.
const char* LoadStatusMessage(LoadStatus status);
