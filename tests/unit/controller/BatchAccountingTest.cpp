// The batch's figures while several jobs run, as scripted timelines: finished bytes and the
// running jobs' shares in, percentage and times out.

#include "engine/BatchAccounting.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quillabe;

namespace {

struct Step {
    bool afterJob; // a job has just ended (else: a running job reported)
    int64_t finishedBytes;
    std::vector<RunningShare> running; // {bytes, percent}
    int expectedPercent;               // -1: no percentage
    int64_t elapsedMs = 0;
    int64_t expectedRemainingMs = -1; // -1: not checked
};

struct Timeline {
    const char* name;
    int64_t totalBytes;
    std::vector<Step> steps;
};

TEST(BatchAccounting, ScriptedTimelines) {
    const Timeline timelines[] = {
        // One running job gives the single-job figures: 25 % halfway through the first of two
        // equal files, 50 % once it has ended.
        {"one at a time",
         200,
         {{false, 0, {{100, 50}}, 25}, {true, 100, {}, 50}, {false, 100, {{100, 50}}, 75}}},
        {"two side by side",
         400,
         {{false, 0, {{100, 60}, {100, 20}}, 20, 10000, 40000},
          {false, 0, {{100, 100}, {100, 60}}, 40},
          {true, 100, {{100, 60}}, 40},
          {false, 100, {{100, 60}, {100, 0}}, 40},
          {false, 100, {{100, 90}, {100, 50}}, 60}}},
        {"shares weigh by size", 1000, {{false, 0, {{900, 50}, {100, 100}}, 55}}},
        {"a second pass starts over",
         100,
         {{false, 0, {{100, 80}}, 80}, {false, 0, {{100, 10}}, 80}}},
        // Rounded while running (6.52 -> 7), truncated after a job (6.95 -> 6): it stays at 7.
        {"truncation never goes back",
         230,
         {{false, 0, {{10, 90}, {220, 3}}, 7}, {true, 10, {{220, 3}}, 7}}},
        {"a percentage beyond 100 is not believed", 100, {{false, 0, {{100, 250}}, 100}}},
        {"unknown sizes", 0, {{false, 0, {{0, 50}}, -1}, {true, 0, {}, -1}}},
    };
    for (const Timeline& t : timelines) {
        SCOPED_TRACE(t.name);
        BatchAccounting accounting;
        accounting.Reset(t.totalBytes);
        for (size_t i = 0; i < t.steps.size(); ++i) {
            SCOPED_TRACE(i);
            const Step& s = t.steps[i];
            std::optional<int> percent;
            std::optional<int64_t> remaining;
            if (s.afterJob) {
                BatchAfterJob after = accounting.AfterJob(s.finishedBytes, s.running, s.elapsedMs);
                percent = after.percent;
                remaining = after.remainingMs;
            } else if (auto figures = accounting.During(s.finishedBytes, s.running, s.elapsedMs)) {
                percent = figures->percent;
                remaining = figures->remainingMs;
            }
            EXPECT_EQ(percent.value_or(-1), s.expectedPercent);
            if (s.expectedRemainingMs >= 0) {
                EXPECT_EQ(remaining.value_or(-1), s.expectedRemainingMs);
            }
        }
    }
}

TEST(BatchAccounting, ANewBatchStartsFromNothing) {
    BatchAccounting accounting;
    accounting.Reset(100);
    const std::vector<RunningShare> most = {{100, 90}};
    ASSERT_TRUE(accounting.During(0, most, 1000));
    accounting.Reset(100);
    const std::vector<RunningShare> little = {{100, 10}};
    EXPECT_EQ(accounting.During(0, little, 1000)->percent, 10);
    EXPECT_EQ(accounting.ProcessedBytes(), 10);
}

} // namespace
