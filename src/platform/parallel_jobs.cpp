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

size_t JobWorkers(size_t count)
{
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    return std::max<size_t>(1, std::min(cores, batchesFor(count)));
}

OrderedLog RunJobs(size_t count, bool keepLines,
                   const std::function<void(size_t index, size_t worker, DebugOutput& log)>& job)
{
    return RunJobsInSteps(count, count, keepLines, job, {});
}

OrderedLog RunJobsInSteps(size_t count, size_t step, bool keepLines,
                          const std::function<void(size_t index, size_t worker, DebugOutput& log)>& job,
                          const std::function<void(size_t doneTo)>& stepDone)
{
    const size_t batches = batchesFor(count);
    const size_t batchesPerStep = std::max<size_t>(1, batchesFor(step));
    const size_t steps = (batches + batchesPerStep - 1) / batchesPerStep;
    std::vector<BatchRecorder> recorders(batches);
    for (BatchRecorder& recorder : recorders) recorder.keepLines = keepLines;
    // Batches are taken in order; each step counts its batches done.
    std::atomic<size_t> nextBatch{0};
    std::vector<std::atomic<size_t>> batchesDone(steps);
    const auto batchesIn = [&](size_t s) { return std::min(batches, (s + 1) * batchesPerStep) - s * batchesPerStep; };
    const auto runBatch = [&](size_t b, size_t worker) {
        BatchRecorder& recorder = recorders[b];
        const size_t end = std::min(count, (b + 1) * kBatch);
        for (size_t i = b * kBatch; i < end; ++i) {
            recorder.job = i;
            job(i, worker, recorder);
        }
        std::atomic<size_t>& done = batchesDone[b / batchesPerStep];
        done.fetch_add(1, std::memory_order_release);
        done.notify_all();
    };
    // This thread tells of the steps done, in order, between its own batches and then as the
    // others finish theirs.
    size_t told = 0;
    const auto tell = [&](bool waiting) {
        for (; told < steps; ++told) {
            const size_t all = batchesIn(told);
            for (size_t done = batchesDone[told].load(std::memory_order_acquire); done < all;
                 done = batchesDone[told].load(std::memory_order_acquire)) {
                if (!waiting) return;
                batchesDone[told].wait(done, std::memory_order_acquire);
            }
            if (stepDone) stepDone(std::min(count, (told + 1) * batchesPerStep * kBatch));
        }
    };
    {
        // This thread is worker 0; the others are joined at the end of the scope.
        std::vector<std::jthread> helpers;
        const size_t workers = JobWorkers(count);
        helpers.reserve(workers - 1);
        for (size_t w = 1; w < workers; ++w) {
            helpers.emplace_back([&, w] {
                for (size_t b = nextBatch++; b < batches; b = nextBatch++) runBatch(b, w);
            });
        }
        for (size_t b = nextBatch++; b < batches; b = nextBatch++) {
            runBatch(b, 0);
            tell(false);
        }
        tell(true);
    }

    OrderedLog log;
    for (BatchRecorder& recorder : recorders) {
        for (auto& line : recorder.lines) log.lines_.push_back(std::move(line));
    }
    return log;
}

} // namespace vorn
