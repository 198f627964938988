// The size check before a vertex-exchange graph is built.

#include <algorithm>
#include <string>
#include <vector>

#include "level/LevelCommandSteps.h"
#include "model/LattixDoc.h"

bool LevelPairsWithinLimit(CLattixDoc& doc) {
    // Pairs are made of vertices that are not hidden, as the construction makes them.
    std::vector<std::int32_t> tracks;
    tracks.reserve(doc.m_compVertices.size());
    for (const CVertex* v : doc.m_compVertices)
        if (!v->m_hidden) tracks.push_back(v->m_trackNumber);
    std::sort(tracks.begin(), tracks.end());
    long long pairs = 0;
    for (std::size_t i = 0; i < tracks.size();) {
        std::size_t j = i;
        while (j < tracks.size() && tracks[j] == tracks[i]) ++j;
        const long long width = static_cast<long long>(j - i);
        pairs += width * (width - 1) / 2;
        i = j;
    }
    if (pairs <= kMaxLevelPairs) return true;
    doc.Platform().ShowMessage("The graph is too large for the level planarity test: its levels hold " +
                               std::to_string(pairs) + " pairs of vertices, at most " +
                               std::to_string(kMaxLevelPairs) + " can be compared.");
    return false;
}
