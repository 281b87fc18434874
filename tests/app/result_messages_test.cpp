// The result-code table.
#include "app/result_messages.h"
#include "conversion/result_code.h"

#include <gtest/gtest.h>

using namespace quillex;

TEST(ResultMessages, VerifyBatchesUseTheirOwnTexts) {
    EXPECT_EQ(resultEffect(5000, BatchKind::Forward).lines,
              (std::vector<std::string>{"Conversion failed! This file is not a valid QMX file.",
                                        "QMX files must begin with the tag <qmx \"I2.xx\">."}));
    EXPECT_EQ(resultEffect(5000, BatchKind::Verify).lines.front(),
              "Verification failed! This file is not a valid QMX file.");
    EXPECT_EQ(resultEffect(7, BatchKind::Verify).lines.front(),
              "Conversion failed! There is not enough disk space available.");
    EXPECT_EQ(resultEffect(5, BatchKind::Verify).finalBoxId, MessageId::BatchOutOfMemoryVerified);
}

TEST(ResultMessages, FailsAndStopsFollowTheTable) {
    for (int code : {1, 2, 5}) {
        const ResultEffect effect = resultEffect(code, BatchKind::Forward);
        EXPECT_TRUE(effect.fails && effect.stops) << code;
    }
    for (int code :
         {3,    4,    6,    7,    8,    1000, 1010, 1030, 1040,  1050,  1060,  1070, 1080,
          1090, 1100, 1110, 5000, 5010, 5020, 5060, 5070, 5080,  5090,  5100,  5110, 5120,
          6000, 6010, 6020, 6030, 6040, 6050, 7000, 7010, 10000, 10010, 10020, 10040}) {
        const ResultEffect effect = resultEffect(code, BatchKind::Backward);
        EXPECT_TRUE(effect.fails) << code;
        EXPECT_FALSE(effect.stops) << code;
        EXPECT_EQ(effect.lines.empty(), code == 4) << code;
        for (const std::string& line : effect.lines)
            EXPECT_FALSE(line.empty()) << code;
    }
    EXPECT_FALSE(resultEffect(0, BatchKind::Forward).fails);
    EXPECT_FALSE(resultEffect(10030, BatchKind::Verify).fails);
    EXPECT_TRUE(resultEffect(-7, BatchKind::Forward).stops);
}

TEST(ResultMessages, CounterLinesOnlyForNonZeroCounters) {
    VerificationCounts counts;
    counts.errors = 3;
    counts.warnings = 1;
    EXPECT_EQ(resultEffect(10020, BatchKind::Verify, counts).lines,
              (std::vector<std::string>{"Verification failed! The files could not be fully "
                                        "compared.",
                                        "Errors: 3", "Warnings: 1"}));
    EXPECT_EQ(resultEffect(10030, BatchKind::Verify).lines,
              std::vector<std::string>{"Verification complete!"});
}

TEST(ResultMessages, NewerVersionLineEndsWithTheWebAddress) {
    const auto lines = resultEffect(5070, BatchKind::Verify).lines;
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(
        lines[0],
        "Verification failed! This file was created by a more recent version of The Quillex.");
    EXPECT_EQ(lines[1],
              "Contact technical support to get an upgrade or check the product web site.");
}
