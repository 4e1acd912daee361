#include "platform/file_reading.h"
#include "textures/default_palette.h"
#include "textures/texture_archives.h"
#include "textures/texture_colours.h"
#include "textures/texture_image.h"
#include "textures/wad.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <filesystem>

using namespace vorn;

namespace {

const std::filesystem::path kDevWad = std::filesystem::path(VORN_CORPUS_DIR) / "wads" / "lq_dev.wad";

// Loading the archive from disk and listing its textures, as the texture list does.
void BM_WadLoadAndList(benchmark::State& state)
{
    if (!std::filesystem::exists(kDevWad)) return state.SkipWithError("no corpus");
    size_t textures = 0;
    for (auto _ : state) {
        FileContents file = ReadWholeFile(kDevWad.string());
        CQWad wad;
        if (!file.bytes || wad.loadBytes(std::move(*file.bytes)) != WadStatus::Loaded) {
            return state.SkipWithError("lq_dev.wad did not load");
        }
        const auto names = wad.textureNames();
        textures = names.size();
        benchmark::DoNotOptimize(names.data());
    }
    state.counters["textures"] = static_cast<double>(textures);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * std::filesystem::file_size(kDevWad)));
}
BENCHMARK(BM_WadLoadAndList)->Unit(benchmark::kMillisecond);

// Reading every texture of the archive and turning it into RGBA.
void BM_WadTexturesToRgba(benchmark::State& state)
{
    FileContents file = ReadWholeFile(kDevWad.string());
    CQWad wad;
    if (!file.bytes || wad.loadBytes(std::move(*file.bytes)) != WadStatus::Loaded) return state.SkipWithError("no corpus");
    TextureArchives none;
    const TextureColours colours = FindTextureColours(none, {});
    const auto names = wad.textureNames();
    size_t pixels = 0;
    for (auto _ : state) {
        pixels = 0;
        for (const std::string& name : names) {
            const RgbaImage image = ToRgba(wad.readTexture(name), colours);
            pixels += image.rgba.size() / 4;
            benchmark::DoNotOptimize(image.rgba.data());
        }
    }
    state.counters["textures_per_s"] =
        benchmark::Counter(static_cast<double>(names.size()), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["pixels_per_texture"] = static_cast<double>(pixels) / static_cast<double>(names.size());
}
BENCHMARK(BM_WadTexturesToRgba)->Unit(benchmark::kMillisecond);

// Heap a loaded archive holds beyond the file's own bytes.
void BM_WadMemory(benchmark::State& state)
{
    const FileContents file = ReadWholeFile(kDevWad.string());
    if (!file.bytes) return state.SkipWithError("no corpus");
    for (auto _ : state) {
        std::string bytes = *file.bytes;
        const size_t before = mallinfo2().uordblks;
        auto wad = std::make_unique<CQWad>();
        wad->loadBytes(std::move(bytes));
        const size_t after = mallinfo2().uordblks;
        state.counters["file_KB"] = static_cast<double>(file.bytes->size()) / 1e3;
        state.counters["beyond_file_KB"] = static_cast<double>(after - before) / 1e3;
        state.counters["directory_KB"] = static_cast<double>(wad->directoryMemory()) / 1e3;
    }
}
BENCHMARK(BM_WadMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
