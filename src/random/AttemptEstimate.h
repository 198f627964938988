#pragma once
// How many attempts a rejection sampler needs on average, from the tree counts the
// generators already keep, so that a run of hours can be announced before it starts.

#include "random/RandomTreeGenerator.h"

//! log2 of the expected number of attempts of `method` at size n: 0 for the methods that
//! make their tree at once.
double Log2ExpectedAttempts(RandomTreeMethod method, int n);

//! Beyond about this many expected attempts the command offers Wilf's method instead.
inline constexpr double kLog2AttemptWarning = 26.575; // log2(1e8)

//! The question put before such a run, in the program's words.
std::string LongRejectionQuestion(double log2Attempts, int n);
