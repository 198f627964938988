// `experiment FILE`: every level assignment of the document's graph.

#include <iostream>

#include "CliSession.h"
#include "Commands.h"
#include "level/GraphExperimentCommand.h"

int RunGraphExperiment(const CliArguments& raw) {
    CliArgs args(raw, {"--levels", "--csv"});
    if (!args.Ok() || args.Positional().size() != 1) return UsageError("experiment", args.Error());
    long long levels = 0;
    if (const std::string* text = args.Option("--levels"); text && (!ParseInt(*text, levels) || levels < 1 || levels > 1000))
        return UsageError("experiment", "--levels takes a number of levels from 1 to 1000");
    CliSession session(args.Flag("--yes"));
    if (!session.Open(args.Positional()[0])) return kExitFailed;
    std::optional<GraphExperimentInput> input = PrepareGraphExperiment(session.Doc());
    if (!input) return kExitOk; // the message is printed; the command ended as in the program
    input->problem.levels = static_cast<int>(levels);
    const std::optional<std::int64_t> bound = AssignmentCountBound(input->problem.vertexCount, input->problem.levels);
    if (!bound || *bound > kMaxExperimentAssignments) {
        std::cout << "There are more than " << kMaxExperimentAssignments << " level assignments to test\n";
        return kExitFailed;
    }
    const AssignmentExperimentResult result = RunGraphExperiment(session.Doc(), input->problem);
    std::cout << AssignmentCountLine(result) << '\n';
    for (const std::vector<int>& failure : result.failures) std::cout << "fail: " << AssignmentText(failure) << '\n';
    if (const std::string* csv = args.Option("--csv"); csv && !WriteAssignmentCsv(result, input->vertexNames, *csv)) {
        std::cout << "Cannot write " << *csv << '\n';
        return kExitFailed;
    }
    return kExitOk;
}
