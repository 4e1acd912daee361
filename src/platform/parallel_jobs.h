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
    // Takes the lines of a later run whose jobs are numbered from `firstJob` on here.
    void append(OrderedLog&& later, size_t firstJob);

private:
    friend OrderedLog RunJobs(size_t count, bool keepLines, const std::function<void(size_t, size_t, DebugOutput&)>& job);
    std::vector<std::pair<size_t, std::string>> lines_; // by job number, in order
};

// The threads RunJobs runs `count` jobs on; each has a number below this, for state of its own.
size_t JobWorkers(size_t count);

// Runs job(index, worker, log) for every index below `count`, sharing the jobs among the
// machine's cores. Jobs must not depend on one another; what they write to `log` waits in the
// result when `keepLines`, and is not even worded otherwise (their log is not shown).
OrderedLog RunJobs(size_t count, bool keepLines,
                   const std::function<void(size_t index, size_t worker, DebugOutput& log)>& job);

} // namespace vorn
