// The expected attempts of the rejection samplers, against what the samplers do, and the
// offer of Wilf's method before a run of hours.

#include <gtest/gtest.h>

#include <cmath>

#include "random/AttemptEstimate.h"
#include "random/RandomTreeCommand.h"
#include "support/TestDoc.h"

TEST(AttemptEstimate, MatchesTheSamplersMeanAttempts) {
    // n^(n-2) / F(n) for labeled trees and t(n) / F(n) for rooted ones: 6^4 / 6 and 115 / 23.
    EXPECT_NEAR(std::exp2(Log2ExpectedAttempts(RandomTreeMethod::FreeFromLabeled, 6)), 216.0, 1e-6);
    EXPECT_NEAR(std::exp2(Log2ExpectedAttempts(RandomTreeMethod::FreeFromRooted, 8)), 5.0, 1e-6);
    EXPECT_EQ(Log2ExpectedAttempts(RandomTreeMethod::Wilf, 500), 0.0);

    for (auto [method, n, runs] : {std::tuple{RandomTreeMethod::FreeFromLabeled, 6, 300},
                                   std::tuple{RandomTreeMethod::FreeFromRooted, 8, 2000}}) {
        TestDoc t;
        LcgRandom random(12345);
        RandomTreeGenerator generator(t.d(), random);
        double total = 0;
        for (int i = 0; i < runs; ++i) {
            ASSERT_EQ(generator.Generate(method, n), GenerateOutcome::Added);
            total += double(generator.Attempts());
        }
        // The attempts are geometric: the mean of `runs` of them lies within four
        // standard errors of the estimate.
        const double expected = std::exp2(Log2ExpectedAttempts(method, n));
        const double standardError = std::sqrt(expected * (expected - 1) / runs);
        EXPECT_NEAR(total / runs, expected, 4 * standardError) << n;
    }
}

TEST(AttemptEstimate, AHopelessRejectionRunOffersWilfsMethodFirst) {
    TestDoc t;
    t.platform.m_ticks = 7;
    // Small sizes go ahead without a question.
    t.platform.m_randomTreeAnswers.push_back(8);
    ASSERT_EQ(RunRandomTreeCommand(t.d(), RandomTreeMethod::FreeFromLabeled), GenerateOutcome::Added);
    ASSERT_EQ(RunRandomTreeCommand(t.d(), RandomTreeMethod::FreeFromRooted, {}), GenerateOutcome::Added);
    EXPECT_TRUE(t.platform.m_questions.empty());

    // 200 vertices by labeled rejection is past any lifetime: OK takes Wilf's method.
    t.platform.m_randomTreeAnswers.push_back(200);
    t.platform.m_answers.push_back(true);
    const std::size_t before = t.d().m_elements.size();
    ASSERT_EQ(RunRandomTreeCommand(t.d(), RandomTreeMethod::FreeFromLabeled), GenerateOutcome::Added);
    ASSERT_EQ(t.platform.m_questions.size(), 1u);
    EXPECT_NE(t.platform.m_questions[0].find("200 vertices"), std::string::npos);
    EXPECT_NE(t.platform.m_questions[0].find("Wilf"), std::string::npos);
    EXPECT_EQ(t.d().m_elements.size(), before + 399);
}
