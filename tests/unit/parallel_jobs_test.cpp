#include "platform/debug_output.h"
#include "platform/parallel_jobs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

using namespace vorn;

namespace {

class CollectedLines final : public DebugOutput {
public:
    std::vector<std::string> lines;
    void debugOutput(std::string_view text) override { lines.emplace_back(text); }
    bool shown() const override { return true; }
};

} // namespace

// Each step is told on the calling thread, in order, once every job below it is done, while the
// other threads go on; what the jobs wrote comes back in job order.
TEST(ParallelJobs, StepsAreToldInOrderOnTheCallingThreadOnceTheirJobsAreDone)
{
    constexpr size_t kJobs = 10000;
    constexpr size_t kStep = 1000;
    std::vector<std::atomic<bool>> done(kJobs);
    std::vector<size_t> told;
    bool allToldHere = true;
    bool allDoneWhenTold = true;
    const std::thread::id caller = std::this_thread::get_id();
    const OrderedLog log = RunJobsInSteps(
        kJobs, kStep, true,
        [&](size_t job, size_t, DebugOutput& out) {
            if (job % 97 == 0) out.debugOutput(std::to_string(job));
            done[job] = true;
        },
        [&](size_t doneTo) {
            allToldHere = allToldHere && std::this_thread::get_id() == caller;
            for (size_t job = 0; job < doneTo; ++job) allDoneWhenTold = allDoneWhenTold && done[job];
            told.push_back(doneTo);
        });
    EXPECT_TRUE(allToldHere);
    EXPECT_TRUE(allDoneWhenTold);
    ASSERT_GE(told.size(), 2u);
    EXPECT_EQ(told.back(), kJobs);
    EXPECT_GE(told.front(), kStep);
    for (size_t i = 0; i + 2 < told.size(); ++i) EXPECT_GE(told[i + 1], told[i] + kStep) << i; // the last may be less
    EXPECT_GT(told.back(), told[told.size() - 2]);

    CollectedLines lines;
    for (size_t job = 0; job < kJobs; ++job) log.replay(job, lines);
    ASSERT_EQ(lines.lines.size(), (kJobs + 96) / 97);
    for (size_t i = 0; i < lines.lines.size(); ++i) EXPECT_EQ(lines.lines[i], std::to_string(97 * i));
}
