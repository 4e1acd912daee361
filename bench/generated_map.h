#pragma once

#include "headless_editor.h"
#include "platform/file_reading.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace vorn::bench {

// The path of a map of `brushes` boxes written by the shared generator into the temporary
// folder (made once per run); none when the generator is not at hand or fails.
inline std::optional<std::string> GeneratedMapPath(int brushes)
{
    const std::filesystem::path generator = std::filesystem::path(VORN_TOOLS_DIR) / "genmap.py";
    if (!std::filesystem::exists(generator)) return std::nullopt;
    const std::filesystem::path out =
        std::filesystem::temp_directory_path() / ("vorn-bench-genmap-" + std::to_string(brushes) + ".map");
    if (!std::filesystem::exists(out)) {
        const std::string command = "python3 '" + generator.string() + "' " + std::to_string(brushes) + " '" + out.string() + "'";
        if (std::system(command.c_str()) != 0) return std::nullopt;
    }
    return out.string();
}

// Reads the generated map of `brushes` boxes into the editor; false when it is not at hand.
inline bool ReadGeneratedMap(Editor& editor, int brushes)
{
    const auto path = GeneratedMapPath(brushes);
    if (!path) return false;
    const FileContents file = ReadWholeFile(*path);
    if (!file.bytes) return false;
    editor.readMapText(*file.bytes);
    return true;
}

// An editor holding a generated map, following every change as the program does; only the
// window is missing.
class GeneratedEditor {
public:
    explicit GeneratedEditor(int brushes)
    {
        headless_.editor.loadEntityClasses();
        loaded_ = ReadGeneratedMap(headless_.editor, brushes);
    }
    GeneratedEditor(const GeneratedEditor&) = delete;
    GeneratedEditor& operator=(const GeneratedEditor&) = delete;

    bool loaded() const { return loaded_; }
    Editor& editor() { return headless_.editor; }
    CQMap& map() { return headless_.editor.map(); }

private:
    bench::HeadlessEditor headless_;
    bool loaded_ = false;
};

// The editor of the generated map of `brushes` boxes, read when first asked for; only the map last
// asked for is kept, since the largest take gigabytes.
inline GeneratedEditor& HeldGeneratedEditor(int brushes)
{
    static int heldBrushes = 0;
    static std::unique_ptr<GeneratedEditor> held;
    if (heldBrushes != brushes) {
        held.reset();
        held = std::make_unique<GeneratedEditor>(brushes);
        heldBrushes = brushes;
    }
    return *held;
}

} // namespace vorn::bench
