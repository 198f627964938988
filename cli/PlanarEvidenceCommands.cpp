#include <iostream>

#include "CliSession.h"
#include "Commands.h"

// arborix-cli kuratowski FILE [-o OUT.lxd] [--yes]: Algorithms > Find Kuratowski Subgraph,
// then the kind of the subdivision and the ids of its edges; -o saves the highlighted
// document.
int RunKuratowski(const CliArguments& raw) {
    CliArgs args(raw, {"-o"});
    if (!args.Ok() || args.Positional().size() != 1) return UsageError("kuratowski", args.Error());
    CliSession session(args.Flag("--yes"));
    if (!session.Open(args.Positional()[0])) return kExitFailed;
    std::vector<std::uint32_t> ids;
    bool k5 = false;
    const CLattixDoc::EvidenceResult result = session.Doc().FindKuratowskiSubgraph(&ids, &k5);
    if (result == CLattixDoc::EvidenceResult::Failed) return kExitFailed;
    if (result == CLattixDoc::EvidenceResult::NonPlanar) {
        std::string line = "edges:";
        for (std::uint32_t id : ids) line += ' ' + std::to_string(id);
        std::cout << "kuratowski: " << (k5 ? "K5" : "K3,3") << '\n' << line << '\n';
    }
    if (const std::string* out = args.Option("-o")) return session.SaveAs(*out) ? kExitOk : kExitFailed;
    return kExitOk;
}

// arborix-cli draw-planar FILE -o OUT.lxd [--yes]: Algorithms > Draw Planar Graph; writes
// nothing unless the graph was drawn.
int RunDrawPlanar(const CliArguments& raw) {
    CliArgs args(raw, {"-o"});
    const std::string* out = args.Option("-o");
    if (!args.Ok() || args.Positional().size() != 1 || !out) return UsageError("draw-planar", args.Error());
    CliSession session(args.Flag("--yes"));
    if (!session.Open(args.Positional()[0])) return kExitFailed;
    if (session.Doc().DrawPlanarGraph() != CLattixDoc::EvidenceResult::Planar) return kExitFailed;
    return session.SaveAs(*out) ? kExitOk : kExitFailed;
}
