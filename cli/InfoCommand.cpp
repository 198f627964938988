#include <iostream>

#include "CliSession.h"
#include "Commands.h"
#include "editor/StatusPanes.h"

namespace {

const char* YesNo(bool b) { return b ? "yes" : "no"; }

} // namespace

int RunInfo(const CliArguments& raw) {
    CliArgs args(raw, {});
    if (!args.Ok() || args.Positional().size() != 1) return UsageError("info", args.Error());
    CliSession session;
    // The count comes from what loading reads anyway, cheaper than a walk afterwards.
    session.Doc().m_autoCrossings = true;
    if (!session.Open(args.Positional()[0])) return kExitFailed;
    CLattixDoc& d = session.Doc();

    std::size_t vertices = 0, edges = 0, bends = 0;
    for (const CElement* e : d.m_elements) {
        if (const CVertex* v = e->AsVertex()) {
            ++vertices;
            if (v->m_isBend) ++bends;
        } else {
            ++edges;
        }
    }
    const GuideSettings g = d.SavedGuides();
    std::cout << "vertices: " << vertices << '\n'
              << "edges: " << edges << '\n'
              << "bends: " << bends << '\n'
              << "vertex color: " << int(RedOf(d.m_currentColor)) << ',' << int(GreenOf(d.m_currentColor)) << ','
              << int(BlueOf(d.m_currentColor)) << '\n'
              << "tool: " << d.m_tool << '\n'
              << "zoom: " << int(d.ZoomFactor() * 100 + 0.5) << "%\n"
              << "directed: " << YesNo(d.m_directed) << '\n'
              << "show name: " << YesNo(d.m_showName) << '\n'
              << "show st-number: " << YesNo(d.m_showStNumber) << '\n'
              << "show weight: " << YesNo(d.m_showWeight) << '\n'
              << "show track number: " << YesNo(d.m_showTrack) << '\n'
              << "label counter: " << d.m_labelCounter << '\n'
              << "guide mode: " << g.m_guideMode << '\n'
              << "snap to guides: " << YesNo(g.m_snapToGuides) << '\n'
              << "lock to tracks: " << YesNo(g.m_lockToTracks) << '\n'
              << "x separation: " << g.m_xSeparation << '\n'
              << "y separation: " << g.m_ySeparation << '\n'
              << "alt mode: " << d.m_altMode << '\n'
              << "ulp recognition mode: " << YesNo(d.m_ulpMode) << '\n'
              << "upward mode: " << YesNo(d.m_upwardMode) << '\n'
              << "sefe mode: " << YesNo(d.m_sefeMode) << '\n';

    // The components pane as ULP Recognition Mode computes it, whatever the saved mode.
    d.RecomputeUlpCounts(true);
    std::cout << "crossings: " << CrossingsPaneText(d) << '\n'
              << "classification: " << ComponentsPaneText(d) << '\n';
    return kExitOk;
}
