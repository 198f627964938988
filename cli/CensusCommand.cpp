// The census of unlabeled level planar trees on the command line.

#include <iostream>

#include "CliSession.h"
#include "Commands.h"
#include "level/UlpCensus.h"

int RunCensus(const CliArguments& raw) {
    CliArgs args(raw, {"--csv"});
    long long n = 0;
    if (!args.Ok() || args.Positional().size() != 1 || !ParseInt(args.Positional()[0], n) ||
        n < kCensusMinVertices || n > kCensusMaxVertices)
        return UsageError("census", args.Ok() ? "N is a number of vertices from 3 to 12" : args.Error());
    const CensusResult result = RunUlpCensus(static_cast<int>(n), static_cast<int>(n), nullptr);
    for (const CensusRow& row : result.rows) std::cout << CensusRowLine(row) << '\n';
    for (int size : result.miscounted)
        std::cout << "The number of trees with " << size << " vertices is not " << KnownFreeTreeCount(size) << '\n';
    std::cout << CensusSummary(result) << '\n';
    if (const std::string* csv = args.Option("--csv"); csv && !WriteCensusCsv(result, *csv)) {
        std::cout << "Cannot write " << *csv << '\n';
        return kExitFailed;
    }
    return kExitOk;
}
