#include "geometry/parallel_build.h"

#include "geometry/brush.h"
#include "platform/debug_output.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace vorn {
namespace {

// Brushes taken by a thread at a time: enough to make the hand-out cheap, few enough to share
// the end of the work.
constexpr size_t kBatch = 256;

// Keeps each line with the brush being built.
class BatchRecorder final : public DebugOutput {
public:
    size_t brush = 0;
    std::vector<std::pair<size_t, std::string>> lines;
    void debugOutput(std::string_view text) override { lines.emplace_back(brush, std::string(text)); }
};

} // namespace

void BuildReport::replay(size_t index, DebugOutput& log) const
{
    auto it = std::lower_bound(lines_.begin(), lines_.end(), index, [](const auto& line, size_t i) { return line.first < i; });
    for (; it != lines_.end() && it->first == index; ++it) log.debugOutput(it->second);
}

BuildReport BuildWindingsInParallel(std::span<CQBrush* const> brushes)
{
    BuildReport report;
    const size_t batches = (brushes.size() + kBatch - 1) / kBatch;
    if (batches == 0) return report;
    std::vector<BatchRecorder> recorders(batches);
    std::atomic<size_t> nextBatch{0};
    const auto work = [&] {
        for (size_t b = nextBatch++; b < batches; b = nextBatch++) {
            BatchRecorder& recorder = recorders[b];
            const size_t end = std::min(brushes.size(), (b + 1) * kBatch);
            for (size_t i = b * kBatch; i < end; ++i) {
                recorder.brush = i;
                brushes[i]->BuildWindings(recorder);
            }
        }
    };
    {
        // This thread works too; the helpers are joined at the end of the scope.
        const size_t cores = std::max(1u, std::thread::hardware_concurrency());
        const size_t helpers = std::min(cores, batches) - 1;
        std::vector<std::jthread> threads;
        threads.reserve(helpers);
        for (size_t t = 0; t < helpers; ++t) threads.emplace_back(work);
        work();
    }

    for (BatchRecorder& recorder : recorders) {
        for (auto& line : recorder.lines) report.lines_.push_back(std::move(line));
    }
    return report;
}

} // namespace vorn
