#include "document/console_filter.h"
#include "document/point_file.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace vorn;

namespace {

// Output as a compile tool writes it: coloured lines and progress lines written over themselves.
std::string toolOutput(int lines)
{
    std::string out;
    for (int i = 0; i < lines; ++i) {
        if (i % 10 == 0) {
            out += "\x1b[90m[ 13%]  est: 00:00:00\r\x1b[0m\x1b[90m[ 20%]  est: 00:00:00\r\x1b[0m\n";
        } else {
            out += "\x1b[36m    " + std::to_string(i) + " brushes written to the level file\n\x1b[0m";
        }
    }
    return out;
}

void BM_FilterToolOutput(benchmark::State& state)
{
    const std::string output = toolOutput(20000);
    constexpr size_t kChunk = 4096; // what one read from the tool's pipe gives
    for (auto _ : state) {
        ConsoleFilter filter;
        size_t shown = 0;
        for (size_t at = 0; at < output.size(); at += kChunk) shown += filter.feed(std::string_view(output).substr(at, kChunk)).size();
        benchmark::DoNotOptimize(shown);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * output.size()));
}
BENCHMARK(BM_FilterToolOutput);

void BM_ParsePointFile(benchmark::State& state)
{
    std::string text;
    const int points = static_cast<int>(state.range(0));
    for (int i = 0; i < points; ++i) text += std::to_string(i % 4096 - 2048) + " -28.5 " + std::to_string(i % 512) + "\n";
    for (auto _ : state) benchmark::DoNotOptimize(ParsePointFile(text));
    state.SetItemsProcessed(state.iterations() * points);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParsePointFile)->Arg(1000)->Arg(100000);

} // namespace
