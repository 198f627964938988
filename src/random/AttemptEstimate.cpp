#include "random/AttemptEstimate.h"

#include <cmath>
#include <string>

#include "random/TreeCounts.h"

double Log2ExpectedAttempts(RandomTreeMethod method, int n) {
    if (n < 2) return 0.0;
    switch (method) {
    case RandomTreeMethod::FreeFromLabeled:
        // Each free tree T stands for n! / |Aut T| of the n^(n-2) labeled trees and is kept
        // with probability |Aut T| / n!, so an attempt succeeds with probability F(n) / n^(n-2).
        return double(n - 2) * std::log2(double(n)) - treecount::Log2CountFree(n);
    case RandomTreeMethod::FreeFromRooted:
        // Each free tree has k rootings among the t(n) rooted trees, each kept with
        // probability 1 / k: an attempt succeeds with probability F(n) / t(n).
        return treecount::CountRooted(n).Log2() - treecount::Log2CountFree(n);
    case RandomTreeMethod::Labeled:
    case RandomTreeMethod::Rooted:
    case RandomTreeMethod::Wilf: return 0.0;
    }
    return 0.0;
}

std::string LongRejectionQuestion(double log2Attempts, int n) {
    const long long power = std::llround(log2Attempts * std::log10(2.0));
    return "A free tree on " + std::to_string(n) + " vertices needs about 10^" + std::to_string(power) +
           " attempts by rejection sampling, which takes hours at the least.\n"
           "Wilf's method draws the same trees at once. Use it instead?\n"
           "(Cancel keeps rejection sampling; the labeled tree generator is quicker still.)";
}
