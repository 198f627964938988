#include <chrono>
#include <iostream>
#include <map>

#include "CliSession.h"
#include "Commands.h"
#include "random/RandomTreeCommand.h"

namespace {

const std::map<std::string, RandomTreeMethod> kMethods = {
    {"labeled", RandomTreeMethod::Labeled},
    {"rooted", RandomTreeMethod::Rooted},
    {"free-labeled", RandomTreeMethod::FreeFromLabeled},
    {"free-rooted", RandomTreeMethod::FreeFromRooted},
    {"wilf", RandomTreeMethod::Wilf},
};

std::uint32_t ClockMilliseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

} // namespace

int RunRandom(const CliArguments& raw) {
    CliArgs args(raw, {"-n", "--seed", "--max-attempts", "-o"});
    if (!args.Ok()) return UsageError("random", args.Error());
    if (args.Positional().size() != 1 || !kMethods.count(args.Positional()[0]))
        return UsageError("random", "choose one of labeled, rooted, free-labeled, free-rooted, wilf");
    long long n = 0, seed = 0, maxAttempts = 0;
    const std::string* nText = args.Option("-n");
    if (!nText || !ParseInt(*nText, n) || n < kMinRandomTreeSize || n > kMaxRandomTreeSize)
        return UsageError("random", "-n takes a number of vertices from 3 to 1000");
    const std::string* seedText = args.Option("--seed");
    if (seedText && (!ParseInt(*seedText, seed) || seed < 0 || seed > 0xFFFFFFFFll))
        return UsageError("random", "--seed takes a number from 0 to 4294967295");
    const std::string* attemptsText = args.Option("--max-attempts");
    if (attemptsText && (!ParseInt(*attemptsText, maxAttempts) || maxAttempts < 1))
        return UsageError("random", "--max-attempts takes a positive number");

    CliSession session;
    // A given seed makes the tree repeatable; without one, the clock picks it.
    session.Platform().m_ticks = seedText ? std::uint32_t(seed) : ClockMilliseconds();
    session.Platform().m_randomTreeAnswers.push_back(std::int32_t(n));
    RandomTreeOptions options;
    options.maxAttempts = maxAttempts;
    const GenerateOutcome outcome = RunRandomTreeCommand(session.Doc(), kMethods.at(args.Positional()[0]), options);
    if (outcome == GenerateOutcome::AttemptLimitReached) {
        std::cout << "No tree was accepted in " << maxAttempts << " attempts; nothing was written.\n";
        return kExitFailed;
    }
    if (outcome != GenerateOutcome::Added) return kExitFailed;

    if (const std::string* out = args.Option("-o")) return session.SaveAs(*out) ? kExitOk : kExitFailed;
    std::size_t vertices = 0, edges = 0;
    for (const CElement* e : session.Doc().m_elements) (e->IsVertex() ? vertices : edges) += 1;
    std::cout << "vertices: " << vertices << "\nedges: " << edges << '\n';
    return kExitOk;
}
