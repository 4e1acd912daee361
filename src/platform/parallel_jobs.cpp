#include "platform/parallel_jobs.h"

#include "platform/debug_output.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace vorn {
namespace {

// Jobs taken by a thread at a time: enough to make the hand-out cheap, few enough to share the
// end of the work.
constexpr size_t kBatch = 256;

size_t batchesFor(size_t count)
{
    return (count + kBatch - 1) / kBatch;
}

// Keeps each line with the job that wrote it.
class BatchRecorder final : public DebugOutput {
public:
    bool keepLines = false;
    size_t job = 0;
    std::vector<std::pair<size_t, std::string>> lines;
    void debugOutput(std::string_view text) override
    {
        if (keepLines) lines.emplace_back(job, std::string(text));
    }
    bool shown() const override { return keepLines; }
};

} // namespace

void OrderedLog::replay(size_t index, DebugOutput& log) const
{
    auto it = std::lower_bound(lines_.begin(), lines_.end(), index, [](const auto& line, size_t i) { return line.first < i; });
    for (; it != lines_.end() && it->first == index; ++it) log.debugOutput(it->second);
}

void OrderedLog::append(OrderedLog&& later, size_t firstJob)
{
    for (auto& [job, text] : later.lines_) lines_.emplace_back(firstJob + job, std::move(text));
}

size_t JobWorkers(size_t count)
{
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    return std::max<size_t>(1, std::min(cores, batchesFor(count)));
}

OrderedLog RunJobs(size_t count, bool keepLines,
                   const std::function<void(size_t index, size_t worker, DebugOutput& log)>& job)
{
    const size_t batches = batchesFor(count);
    std::vector<BatchRecorder> recorders(batches);
    for (BatchRecorder& recorder : recorders) recorder.keepLines = keepLines;
    std::atomic<size_t> nextBatch{0};
    const auto work = [&](size_t worker) {
        for (size_t b = nextBatch++; b < batches; b = nextBatch++) {
            BatchRecorder& recorder = recorders[b];
            const size_t end = std::min(count, (b + 1) * kBatch);
            for (size_t i = b * kBatch; i < end; ++i) {
                recorder.job = i;
                job(i, worker, recorder);
            }
        }
    };
    {
        // This thread is worker 0; the others are joined at the end of the scope.
        std::vector<std::jthread> helpers;
        const size_t workers = JobWorkers(count);
        helpers.reserve(workers - 1);
        for (size_t w = 1; w < workers; ++w) helpers.emplace_back(work, w);
        work(0);
    }

    OrderedLog log;
    for (BatchRecorder& recorder : recorders) {
        for (auto& line : recorder.lines) log.lines_.push_back(std::move(line));
    }
    return log;
}

} // namespace vorn
