#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace vorn {

class DebugOutput;

// What numbered jobs wrote to their debug output, kept by job number, so that it can be given
// out in that order as if the jobs had run one after another.
class OrderedLog {
public:
    // The lines of job `index`, to `log`.
    void replay(size_t index, DebugOutput& log) const;

private:
    friend OrderedLog RunJobsInSteps(size_t count, size_t step, bool keepLines,
                                     const std::function<void(size_t, size_t, DebugOutput&)>& job,
                                     const std::function<void(size_t)>& stepDone);
    std::vector<std::pair<size_t, std::string>> lines_; // by job number, in order
};

// The threads RunJobs runs `count` jobs on; each has a number below this, for state of its own.
size_t JobWorkers(size_t count);

// Runs job(index, worker, log) for every index below `count`, sharing the jobs among the
// machine's cores. Jobs must not depend on one another; what they write to `log` waits in the
// result when `keepLines`, and is not even worded otherwise (their log is not shown).
OrderedLog RunJobs(size_t count, bool keepLines,
                   const std::function<void(size_t index, size_t worker, DebugOutput& log)>& job);

// RunJobs in steps of at least `step` jobs (whole batches of those handed out at a time), each
// told of on the calling thread: `stepDone(doneTo)` once every job below `doneTo` is done, for
// each step in order (the last one `count`), while the other threads go on with the next steps.
OrderedLog RunJobsInSteps(size_t count, size_t step, bool keepLines,
                          const std::function<void(size_t index, size_t worker, DebugOutput& log)>& job,
                          const std::function<void(size_t doneTo)>& stepDone);

} // namespace vorn
