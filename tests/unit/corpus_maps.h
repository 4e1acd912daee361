#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace vorn::test {

// The .map files of a folder of the shared corpus, sorted; none when the corpus is absent.
inline std::vector<std::filesystem::path> CorpusMaps(const std::string& folderName = "maps")
{
    std::vector<std::filesystem::path> maps;
    const std::filesystem::path folder = std::filesystem::path(VORN_CORPUS_DIR) / folderName;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".map") maps.push_back(entry.path());
    }
    std::sort(maps.begin(), maps.end());
    return maps;
}

} // namespace vorn::test
