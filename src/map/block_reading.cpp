#include "map/block_reading.h"

#include "map/brush_text.h"
#include "map/text_reader.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

namespace vorn {
namespace {

// Brushes built between two looks at the progress, and two givings back of the text.
constexpr size_t kBrushesAtATime = 16384;

// How long the building waits for the pass before it says again how far the reading is.
constexpr std::chrono::milliseconds kProgressPause{100};

// The brushes the pass has found, handed to the building a run at a time, and how far the pass
// has come. The pass adds; the building takes.
class FoundBrushes {
public:
    // The pass thread's side.
    void add(BrushSource&& source, size_t passedTo)
    {
        pending_.push_back(std::move(source));
        passed_.store(passedTo, std::memory_order_relaxed);
        if (pending_.size() == kBrushesAtATime) handOver();
    }
    void passedTo(size_t position) { passed_.store(position, std::memory_order_relaxed); }
    void finish()
    {
        handOver();
        {
            const std::lock_guard lock(mutex_);
            finished_ = true;
        }
        ready_.notify_one();
    }

    // The building's side: the next run, waiting for it; none once the pass is over and every run
    // was taken. While it waits, `waiting` is called now and then.
    std::optional<std::vector<BrushSource>> next(const std::function<void()>& waiting)
    {
        std::unique_lock lock(mutex_);
        while (runs_.empty() && !finished_) {
            if (!ready_.wait_for(lock, kProgressPause, [&] { return !runs_.empty() || finished_; })) {
                lock.unlock();
                waiting();
                lock.lock();
            }
        }
        if (runs_.empty()) return std::nullopt;
        std::vector<BrushSource> run = std::move(runs_.front());
        runs_.pop_front();
        return run;
    }
    size_t passed() const { return passed_.load(std::memory_order_relaxed); }

private:
    void handOver()
    {
        if (pending_.empty()) return;
        {
            const std::lock_guard lock(mutex_);
            runs_.push_back(std::move(pending_));
        }
        pending_ = std::vector<BrushSource>();
        ready_.notify_one();
    }

    std::vector<BrushSource> pending_; // the pass thread's alone
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::vector<BrushSource>> runs_;
    bool finished_ = false;
    std::atomic<size_t> passed_{0};
};

// Every block up to the first that ends the reading for sure, each brush handed to `found` as
// it is passed over.
std::vector<EntityBlock> passBlocks(std::string_view text, FoundBrushes& found)
{
    TextCursor in(text);
    const auto foundBrush = [&](BrushSource&& source) {
        const auto passedTo = static_cast<size_t>(source.text.data() + source.text.size() - text.data());
        found.add(std::move(source), passedTo);
    };
    std::vector<EntityBlock> blocks;
    for (;;) {
        EntityBlock& block = blocks.emplace_back(ReadEntityBlock(in, foundBrush));
        found.passedTo(in.position());
        if (block.status != EntityReadResult::Complete || (block.pairs.empty() && block.brushesFound == 0)) break;
    }
    return blocks;
}

// A run of brushes as built, in the order the pass found them.
struct BuiltRun {
    std::vector<BrushSource> sources;
    std::vector<CQBrush> brushes;
};

// Gives each block back its sources with their findings, and its built brushes, run after run,
// freeing each run once it is given out.
void giveBack(std::vector<EntityBlock>& blocks, std::vector<BuiltRun>& runs)
{
    size_t run = 0;
    size_t at = 0;
    for (EntityBlock& block : blocks) {
        block.sources.reserve(block.brushesFound);
        block.brushes.reserve(block.brushesFound);
        for (size_t b = 0; b < block.brushesFound; ++b) {
            while (at == runs[run].sources.size()) {
                runs[run] = {};
                ++run;
                at = 0;
            }
            block.sources.push_back(std::move(runs[run].sources[at]));
            block.brushes.push_back(std::move(runs[run].brushes[at]));
            ++at;
        }
    }
}

} // namespace

BlocksRead ReadBlocksAndBrushes(std::string_view text, bool keepLines, const ReadingReached& reached,
                                const TextRelease& release)
{
    FoundBrushes found;
    // Both the pass and the building go through the text: the reading is where they are together.
    const auto tell = [&](size_t built) { reached(found.passed() + built, 2 * text.size()); };
    BlocksRead read;
    std::jthread pass([&] {
        read.blocks = passBlocks(text, found);
        found.finish();
    });

    // Each thread carves the faces and polygons of its brushes from an arena of its own.
    const size_t workers = JobWorkers(kBrushesAtATime);
    std::vector<BulkArena> arenas(workers);
    std::vector<BrushFaceReader> readers;
    for (BulkArena& arena : arenas) readers.emplace_back(&arena);
    std::vector<BuiltRun> runs;
    size_t builtTo = 0;
    size_t firstBrush = 0;
    while (auto sources = found.next([&] { tell(builtTo); })) {
        BuiltRun& run = runs.emplace_back(BuiltRun{std::move(*sources), {}});
        run.brushes.resize(run.sources.size());
        read.log.append(RunJobs(run.sources.size(), keepLines,
                                [&](size_t index, size_t worker, DebugOutput& jobLog) {
                                    ReadBlockBrush(run.sources[index], run.brushes[index], readers[worker], jobLog);
                                }),
                        firstBrush);
        firstBrush += run.sources.size();
        const std::string_view last = run.sources.back().text;
        builtTo = static_cast<size_t>(last.data() + last.size() - text.data());
        if (release) release(builtTo);
        tell(builtTo);
    }
    pass.join();
    giveBack(read.blocks, runs);
    if (release) release(text.size());
    tell(text.size());
    return read;
}

} // namespace vorn
